#!/usr/bin/env bash
# The vendor's kit (scripts/make-kit), unpacked into an empty folder and run by a user who
# isn't root with nothing on PATH but Python and xorriso, makes the example brand's disc:
# its LAUNCH.EXE is the tested file's code with the resources the brand tool writes, and
# the image holds the brand's files and nothing left beside it.   kit_test.sh LAUNCH.EXE
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
tested=$1
work=$(mktemp -d) && chmod 755 "$work" || exit 1
trap 'rm -rf "$work"' EXIT
. "$root/tests/scripts/checks.sh"
python=/usr/bin/python3
[ -x "$python" ] || python=$(command -v python3)

"$root/scripts/make-kit" --launcher "$tested" --out "$work/kit.zip" --version 9.8.7 >/dev/null
check "make-kit: exit code" 0 $?
mkdir "$work/unpacked" "$work/bin" "$work/discs" && chown 65534:65534 "$work/discs" &&
  (cd "$work/unpacked" && "$python" -m zipfile -e ../kit.zip .)
check "what the zip unpacks into" disc-kit-9.8.7 "$(ls "$work/unpacked")"
kit=$work/unpacked/disc-kit-9.8.7
ln -s "$python" "$work/bin/python3" && ln -s "$(command -v xorriso)" "$work/bin/xorriso"
(cd "$work/discs" && setpriv --reuid=65534 --regid=65534 --clear-groups \
  env -i PATH="$work/bin" HOME=/nonexistent python3 "$kit/make-disc.py" \
  --brand "$kit/examples/harbourlight" --out harbourlight.iso >"$work/log" 2>&1)
check "make-disc.py as nobody: exit code" 0 $?
check "what it left" harbourlight.iso "$(ls -A "$work/discs")"

image=$work/discs/harbourlight.iso
"$python" "$root/tests/product_file/disc_files.py" "$image" --extract /LAUNCH.EXE >"$work/LAUNCH.EXE"
"$python" "$root/tools/brand.py" prepare "$root/examples/harbourlight" "$work/brand" "$tested" 2>/dev/null
check "the disc's LAUNCH.EXE is the brand tool's" same \
  "$(cmp -s "$work/LAUNCH.EXE" "$work/brand/LAUNCH.EXE" && echo same)"
check "its .text is the tested file's" same "$(PYTHONPATH=$root/tools "$python" - "$work/LAUNCH.EXE" "$tested" <<'PY'
import sys
from pe_resources import PeFile
text = lambda pe: pe.data[pe.sections[".text"][2]:][:pe.sections[".text"][3]]
disc, tested = (PeFile(open(path, "rb").read()) for path in sys.argv[1:])
print("same" if text(disc) == text(tested) else "different")
PY
)"
check "the image's volume and files" \
  "volume HARBOURLIGHT /AUTORUN.INF /LAUNCH.EXE /Manual/Harbourlight.pdf /Seekarten/Nordhaven.txt /Setup/Harbourlight.msi" \
  "$("$python" "$root/tests/product_file/disc_files.py" "$image" |
    awk 'NR == 1 { printf "%s", $0 } / [0-9a-f]+$/ { printf " %s", $1 }')"

# Signed with a PKCS#12 file by osslsigncode, the password read from a file.
. "$root/tests/scripts/throwaway_signers.sh"
mkdir "$work/signers" && make_throwaway_signers "$work/signers" >/dev/null 2>&1 && chmod -R a+rX "$work/signers" &&
  ln -s "$(command -v osslsigncode)" "$work/bin/osslsigncode"
(cd "$work/discs" && setpriv --reuid=65534 --regid=65534 --clear-groups \
  env -i PATH="$work/bin" HOME=/nonexistent python3 "$kit/make-disc.py" --out signed.iso \
  --sign "$work/signers/signer.p12" --sign-password-file "$work/signers/password" >"$work/log" 2>&1)
check "--sign: exit code" 0 $?
"$python" "$root/tests/product_file/disc_files.py" "$work/discs/signed.iso" --extract /LAUNCH.EXE >"$work/signed.exe"
check "its LAUNCH.EXE is signed by the signer" yes "$(osslsigncode verify -CAfile "$work/signers/ca.pem" \
  -in "$work/signed.exe" 2>&1 | grep -q 'Norvane Test Signer' && echo yes)"
rm -f "$work/discs/signed.iso"

# A Python without its site packages (Pillow, pycdlib) and no xorriso: one line saying what
# to install, exit code 2, no image.
mkdir "$work/bare" && printf '#!/bin/sh\nexec %s -S "$@"\n' "$python" >"$work/bare/python3" &&
  chmod +x "$work/bare/python3"
for row in "--brand $kit/examples/harbourlight|install Debian's python3-pil" \
  "--out bare.iso|install Debian's python3-pycdlib (or \`pip install pycdlib\`) or xorriso"; do
  (cd "$work/discs" && env -i PATH="$work/bare" python3 "$kit/make-disc.py" ${row%%|*} \
    >/dev/null 2>"$work/said")
  check "${row%%|*} with nothing to install with: exit code, lines, image" \
    "2 1 harbourlight.iso" "$? $(wc -l <"$work/said") $(ls "$work/discs")"
  check "what it says" yes "$(grep -qF "${row#*|}" "$work/said" && echo yes)"
done
[ "$failures" = 0 ] || cat "$work/log"
checks_summary
