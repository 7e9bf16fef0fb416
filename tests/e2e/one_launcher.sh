#!/usr/bin/env bash
# One launcher at a time: while one is open (or still opening), a second start of
# LAUNCH.EXE, from the same folder or a copy in another, ends with exit code 0, never loads
# winmm.dll (so it plays nothing) and leaves exactly one launcher window. Once the first
# has ended, closed or killed, the next start opens as ever.
#   one_launcher.sh LAUNCH.EXE 24 WORK_FOLDER
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
e2e_begin "$2" "$3"
make_sample_disc "$work/disc" "$exe"
make_sample_disc "$work/copy" "$exe"
export WINEDEBUG=+loaddll
windows() { xdotool search --name "^$LAUNCHER_TITLE\$" 2>/dev/null | wc -l; }
windows_are() { [ "$(windows)" = "$1" ]; }

# A second start of the launcher in folder $1.
expect_second_start_ends() {
  local second=$work/second started code
  started=$(date +%s%N)
  start_launcher "$1/LAUNCH.EXE" "$second"
  code=$(wait_for_exit "$second" 30) || fail "a second start from $1 still runs 30 s later"
  [ "$code" = 0 ] || fail "a second start from $1 ended with $code"
  ! grep -qi 'winmm' "$second.log" || fail "a second start from $1 loaded winmm.dll"
  windows_are 1 || fail "$(windows) launcher windows after a second start from $1"
  echo "a second start from $1 ended with 0 in $((($(date +%s%N) - started) / 1000000)) ms (Wine's start included), no sound, one window"
}

start_launcher "$work/disc/LAUNCH.EXE" "$exit_file"
wait_for 60 windows_are 1 || fail "no launcher window within 60 s"
expect_second_start_ends "$work/copy"
expect_opened
grep -qi 'winmm' "$exit_file.log" || fail "the first launcher didn't load winmm.dll either"
expect_second_start_ends "$work/disc"
xdotool key alt+F4
[ "$(wait_for_exit "$exit_file" 30)" = 0 ] || fail "Alt+F4 didn't end the first launcher"

start_launcher "$work/disc/LAUNCH.EXE" "$exit_file"
expect_opened
echo "after the first closed, the next start opened"
stop_launcher "$exit_file"
wait_for_exit "$exit_file" 30 >/dev/null || fail "the killed launcher still runs"
wait_for 30 windows_are 0 || fail "the killed launcher's window stays"
start_launcher "$work/copy/LAUNCH.EXE" "$exit_file"
expect_opened
echo "after the launcher was killed, the next start opened"
expect_double_click_closes
