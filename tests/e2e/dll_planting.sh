#!/usr/bin/env bash
# A winmm.dll planted beside LAUNCH.EXE is never loaded, even where the platform prefers a
# program's own copy of a DLL that isn't a known DLL (what Windows does, and what
# WINEDLLOVERRIDES=winmm=n,b makes Wine do); the launcher still plays its sounds through
# the system's winmm.dll. A program that imports winmm statically, started from the same
# folder, does load the planted copy: that shows the test can fail.
#   dll_planting.sh LAUNCH.EXE 24 WORK_FOLDER PLANTED_WINMM.DLL IMPORTS_WINMM.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
e2e_begin "$2" "$3"
planted=$4
control=$5
disc=$work/disc
record=$disc/PLANTED.TXT

make_sample_disc "$disc" "$exe"
cp "$planted" "$disc/winmm.dll"
cp "$control" "$disc/IMPORTS_WINMM.EXE"
export WINEDLLOVERRIDES="mscoree,mshtml=;winmm=n,b"

(cd "$disc" && "$WINE" IMPORTS_WINMM.EXE </dev/null >"$work/control.log" 2>&1)
[ -f "$record" ] || fail "the control program that imports winmm did not load the planted copy"
echo "control: a program importing winmm statically loaded the planted copy ($(tr -d '\r' <"$record"))"
rm -f "$record"

# Which winmm the launcher loads, and every sound call that reaches it.
export WINEDEBUG=+loaddll,trace+winmm
start_launcher "$disc/LAUNCH.EXE" "$exit_file"
expect_opened
expect_double_click_closes
[ ! -f "$record" ] || fail "the launcher loaded the planted winmm.dll"
grep -i "loaded.*winmm" "$exit_file.log" | grep -qi "system32.*builtin" ||
  fail "the launcher did not load the system's winmm.dll: $(grep -i winmm "$exit_file.log" | grep -i loaded)"
# Wine traces each sndPlaySoundA and PlaySoundA call; flags 7 start a sound from memory.
plays=$(grep -c "MULTIMEDIA_PlaySound .*fdwSound=00000007" "$exit_file.log")
[ "$plays" -ge 3 ] || fail "$plays sounds reached the system's winmm, not the open's, the ready and the close's"
echo "the launcher loaded only the system's winmm.dll and played $plays sounds through it"
