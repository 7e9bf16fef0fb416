#!/usr/bin/env bash
# With the ANSI code page 932 (Wine in a Japanese locale), the real LAUNCH.EXE starts the
# installer beside it, in its own folder, from each folder below, with a decoy SETUP.EXE
# one folder up that a path cut short would name: a folder named 表, whose second byte is
# the backslash's; five folders deep, 153 characters (288 bytes in the code page, more
# than the 260 of an ANSI path); and the longest path Wine starts a program from, 259
# characters. A double-click still ends it with 0 each time.
#   japanese_folder.sh LAUNCH.EXE DEPTH WORK_FOLDER STUB.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
stub=$4
e2e_begin "$2" "$3"
# The emulated machine has no Japanese locale: scripts/test-emulated compiled one here.
[ -z "${LAUNCHER_IN_VM32:-}" ] || export LOCPATH=$root/build/vm32-locales

disc=$work/disc
code_page=$work/code-page.txt
map_drive d "$disc"
trap 'unmap_drive d' EXIT
record_starts
LAUNCHER_STUB_CODE_PAGE=$(windows_path "$code_page")
export LAUNCHER_STUB_CODE_PAGE

# $1 characters alternating 表 and ソ (each 0x?? 0x5C in code page 932).
japanese() { python3 -c "import sys; print(('表ソ' * 200)[:int(sys.argv[1])])" "$1"; }
# The Windows path of the folder $@ below D:\, joined with backslashes.
d_folder() { local IFS='\'; echo "D:\\$*"; }

# The stand-in's record, "program<TAB>working directory<TAB>command line" in code page
# 932 bytes, is the SETUP.EXE of folder $1 (a Windows path), started in $1.
started_beside_the_launcher() {
  python3 - "$records" "$1" <<'CHECK'
import sys
folder = sys.argv[2].encode("cp932")
want = [folder + b"\\SETUP.EXE", folder, folder + b"\\SETUP.EXE"]
fields = open(sys.argv[1], "rb").read().rstrip(b"\r\n").split(b"\t")
sys.exit(0 if fields == want else 1)
CHECK
}

# The launcher in the folders $2... below the disc, the installer beside it and a decoy
# one folder up; $1 names the layout.
run_layout() {
  local what=$1 folder
  shift
  folder=$(d_folder "$@")
  local unix_folder=$disc/$(IFS=/; echo "$*")
  rm -rf "$disc" "$records" "$code_page"
  make_sample_disc "$unix_folder" "$exe" "$stub"
  cp "$stub" "$(dirname "$unix_folder")/SETUP.EXE"
  # Wine takes its ANSI code page from the locale in the environment, and file names in
  # it only where the Unix locale exists (scripts/install-deps makes it); only the
  # launcher and what it starts run in this one.
  LC_ALL=ja_JP.UTF-8 start_launcher "$unix_folder/LAUNCH.EXE" "$exit_file" "$folder\\LAUNCH.EXE"
  expect_opened
  click_button 201 140 60
  wait_for 60 test -s "$records" || fail "button 201 started nothing from $what"
  wait_for 10 test -s "$code_page" || fail "the installer didn't say which code page it ran in"
  [ "$(tr -d '\r\n' <"$code_page")" = 932 ] ||
    fail "the installer ran in ANSI code page $(tr -d '\r\n' <"$code_page"), not 932"
  started_beside_the_launcher "$folder" ||
    fail "from $what the installer started as $(od -c "$records" | head -5)"
  echo "in code page 932, from $what ($(python3 -c "import sys; print(len(sys.argv[1]))" "$folder\\LAUNCH.EXE") characters), button 201 started the SETUP.EXE beside the launcher, in its folder"
  expect_double_click_closes
}

run_layout "a folder named 表" 表
run_layout "five folders deep" "$(japanese 27)" "$(japanese 27)" "$(japanese 27)" \
  "$(japanese 27)" "$(japanese 27)"
# Each folder name within the 255 bytes a Linux name may take in UTF-8.
run_layout "the longest path" "$(japanese 80)" "$(japanese 80)" "$(japanese 83)"
