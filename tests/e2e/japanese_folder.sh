#!/usr/bin/env bash
# With the ANSI code page 932 (Wine in a Japanese locale), the real LAUNCH.EXE in a disc
# folder named 表, whose second byte is the backslash's, starts the installer beside it as
# D:\表\SETUP.EXE (not D:\表SETUP.EXE), and a double-click still ends it with 0.
#   japanese_folder.sh LAUNCH.EXE DEPTH WORK_FOLDER STUB.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
stub=$4
e2e_begin "$2" "$3"

disc=$work/disc
folder=$disc/表
code_page=$work/code-page.txt
make_sample_disc "$folder" "$exe" "$stub"
map_drive d "$disc"
trap 'unmap_drive d' EXIT

record_starts
LAUNCHER_STUB_CODE_PAGE=$("$WINE" winepath -w "$code_page")
export LAUNCHER_STUB_CODE_PAGE

# The stand-in's record, program and command line, is D:\ 0x95 0x5C \SETUP.EXE in bytes.
started_from_the_folder() {
  python3 - "$records" <<'CHECK'
import sys
want = b"D:\\\x95\x5c\\SETUP.EXE"
fields = open(sys.argv[1], "rb").read().rstrip(b"\r\n").split(b"\t")
sys.exit(0 if fields[0] == want and fields[2] == want else 1)
CHECK
}

# Wine takes its ANSI code page from the locale in the environment, and file names in it
# only where the Unix locale exists (scripts/install-deps makes it); only the launcher and
# what it starts run in this one.
LC_ALL=ja_JP.UTF-8 start_launcher "$folder/LAUNCH.EXE" "$exit_file" 'D:\表\LAUNCH.EXE'
expect_opened

click_button 201 140 60
wait_for 60 test -s "$records" || fail "button 201 started nothing from D:\\表"
wait_for 10 test -s "$code_page" || fail "the installer didn't say which code page it ran in"
[ "$(tr -d '\r\n' <"$code_page")" = 932 ] ||
  fail "the installer ran in ANSI code page $(tr -d '\r\n' <"$code_page"), not 932"
started_from_the_folder ||
  fail "the installer started as $(od -c "$records" | head -3), not D:\\表\\SETUP.EXE"
echo "in code page 932, button 201 started D:\\表\\SETUP.EXE"
expect_double_click_closes
