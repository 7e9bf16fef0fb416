#!/usr/bin/env bash
# Every resource of the tested LAUNCH.EXE and of each example brand's, written from it by
# the brand tool, as Windows' own loader finds it by type, name and language: the bytes
# tools/pe_resources.py reads there, and no other resource.
#   brand_resources_loaded.sh LAUNCH.EXE 24 WORK_FOLDER LOADED_RESOURCES.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
e2e_begin "$2" "$3"
. "$root/scripts/lib/brand.sh"

listing() {  # one line a resource: type, name, language, length, CRC-32
  PYTHONPATH=$root/tools python3 - "$1" <<'PY'
import sys, zlib
from pe_resources import PeFile
for key, data in PeFile(open(sys.argv[1], "rb").read()).resources_by_language().items():
    print(*key, len(data), f"{zlib.crc32(data):08x}")
PY
}

files=("$1")
for brand in copperwick harbourlight; do
  brand_tool prepare "$root/examples/$brand" "$work/$brand" "$1" >/dev/null ||
    fail "the brand tool didn't write $brand's launcher"
  files+=("$work/$brand/LAUNCH.EXE")
done
for file in "${files[@]}"; do
  listing "$file" >"$work/listing.txt" || fail "no listing of $file"
  # Into a file: the services Wine's first start leaves running would hold a pipe open.
  "$WINE" "$4" "$(windows_path "$file")" "$(windows_path "$work/listing.txt")" >"$work/said.txt" 2>&1 ||
    fail "$file: $(cat "$work/said.txt")"
  echo "$(wc -l <"$work/listing.txt") resources loaded as listed from $file"
done
