#!/usr/bin/env bash
# A brand's LAUNCH.EXE as the brand tool writes it, without a compiler, from the tested one:
# every resource (type, name, language, bytes) is what the resource compiler makes of the
# same launcher.rc, every other section is the tested file's, and a program it doesn't
# know is refused.   brand_launcher_test.sh LAUNCH.EXE MINGW_PREFIX
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
tested=$1 mingw=$2
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
. "$root/tests/scripts/checks.sh"
. "$root/scripts/lib/brand.sh"

brand_tool prepare "$root/examples/harbourlight" "$work/out" "$tested" 2>/dev/null
check "prepare with the tested launcher: exit code" 0 $?
# The compiler's resources, linked alone, as the launcher's link takes them.
(cd "$work/out" && "$mingw-windres" -i launcher.rc -O coff -o "$work/rc.o") &&
  "$mingw-ld" --subsystem windows -e 0 -o "$work/compiled.exe" "$work/rc.o"
check "the resource compiler's build: exit code" 0 $?

compare() {  # WRITTEN COMPILED TESTED
  PYTHONPATH=$root/tools python3 - "$@" <<'PY'
import sys
from pe_resources import PeFile
written, compiled, tested = (PeFile(open(path, "rb").read()) for path in sys.argv[1:])
mine, theirs = written.resources_by_language(), compiled.resources_by_language()
print("resources:", len(mine), "differ:", sorted({*mine, *theirs} - {k for k in mine if mine[k] == theirs.get(k)}, key=str))
section = lambda pe, name: pe.data[pe.sections[name][2]:][:pe.sections[name][3]]
print("sections unlike the tested:", [name for name in tested.sections
      if name != ".rsrc" and section(written, name) != section(tested, name)])
print("directories changed:", [n for n in range(16)
      if written.directories[n] != tested.directories[n]])
PY
}
check "written vs compiled resources, sections and directories vs tested" \
  "resources: 41 differ: []
sections unlike the tested: []
directories changed: [2, 5]" "$(compare "$work/out/LAUNCH.EXE" "$work/compiled.exe" "$tested")"
# The installed state: its rule in the default language only, each language's names and
# commands and installed picture (at 1x: its 2x would take the launcher over 1.5 MiB).
check "the installed state's strings and pictures" \
  "0409: 1023 msi {5D2A7C41-93B8-4E6F-A1C0-7B3E2F9D8A64}, 1030 Start Harbourlight, 1031 Remove Harbourlight, 1040 start {ProgramFiles}\\Harbourlight\\Atlas.exe, 1041 remove; bitmaps [197]
0407: 1030 Harbourlight starten, 1031 Harbourlight entfernen, 1040 start {ProgramFiles}\\Harbourlight\\Atlas.exe, 1041 remove; bitmaps [197]" \
  "$(PYTHONPATH=$root/tools python3 - "$work/out/LAUNCH.EXE" <<'PY'
import sys
from pe_resources import PeFile, string_block
found = PeFile(open(sys.argv[1], "rb").read()).resources_by_language()
for language in (0x409, 0x407):
    strings = {}
    for block in (64, 65, 66):
        strings.update(string_block(found.get((6, block, language), b""), (block - 1) * 16))
    print(f"{language:04x}:", ", ".join(f"{n} {t}" for n, t in strings.items() if n >= 1023) +
          "; bitmaps", [n for n in (197, 397) if (2, n, language) in found])
PY
)"

brand_tool prepare "$root/examples/harbourlight" "$work/refused" "$work/rc.o" 2>"$work/stderr"
check "an object file as the template: exit code, one line, nothing written" \
  "2 1 no" "$? $(wc -l <"$work/stderr") $([ -e "$work/refused" ] && echo yes || echo no)"
check "what it says" "make-disc: $work/rc.o not a Windows program (no MZ header): not a launcher this tool can brand" \
  "$(cat "$work/stderr")"
# The vendor's make-disc.py with either writer of the image: the same volume, files, Joliet
# and ISO 9660 names (a clash of 8.3 names numbered alike) and contents.
mkdir -p "$work/more/Notes/Harbour Charts 1998" "$work/more/Notes/harbour charts 1999" &&
  echo a >"$work/more/Notes/Harbour Charts 1998/Übersicht.karte.txt" &&
  echo b >"$work/more/Notes/harbour charts 1999/README"
python=/usr/bin/python3
[ -x "$python" ] || python=python3
for writer in pycdlib xorriso; do
  "$python" "$root/kit/make-disc.py" --brand "$root/examples/harbourlight" --launcher "$tested" \
    --add "$work/more" --out "$work/$writer.iso" --writer $writer >/dev/null 2>&1
  check "make-disc.py --writer $writer: exit code" 0 $?
  "$python" "$root/tests/product_file/disc_files.py" "$work/$writer.iso" >"$work/$writer.txt"
done
check "files on the disc" 7 "$(grep -c '^/.* [0-9a-f]\{16\}$' "$work/xorriso.txt")"
check "pycdlib's image vs xorriso's" "$(cat "$work/xorriso.txt")" "$(cat "$work/pycdlib.txt")"
checks_summary
