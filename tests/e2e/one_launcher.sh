#!/usr/bin/env bash
# One launcher at a time: while one is open (or still opening), a second start, from its
# folder or a copy in another, ends with 0, never loads winmm.dll (so plays nothing) and
# leaves one launcher window, brought to the front over another program's. After the first
# ends, closed or killed, the next opens.
#   one_launcher.sh LAUNCH.EXE 24 WORK_FOLDER STUB.EXE WINDOW_TEXTS.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
e2e_begin "$2" "$3"
window_texts=$5
for folder in disc copy; do make_sample_disc "$work/$folder" "$1" "$4"; done
export WINEDEBUG=+loaddll
windows_named() { [ "$(xdotool search --name "^$1\$" 2>/dev/null | wc -l)" = "$2" ]; }
windows_are() { windows_named "$LAUNCHER_TITLE" "$1"; }

expect_second_start_ends() {
  local since=$(($(date +%s%N) / 1000000))
  start_launcher "$1/LAUNCH.EXE" "$work/second"
  [ "$(wait_for_exit "$work/second" 30)" = 0 ] || fail "a second start from $1 didn't end with 0"
  ! grep -qi winmm "$work/second.log" || fail "a second start from $1 loaded winmm.dll"
  windows_are 1 || fail "not one launcher window after a second start from $1"
  echo "a second start from $1 ended with 0 in $(($(date +%s%N) / 1000000 - since)) ms (Wine's start included), silent, one window"
}

start_launcher "$work/disc/LAUNCH.EXE" "$exit_file"
wait_for 60 windows_are 1 || fail "no launcher window within 60 s"
expect_second_start_ends "$work/copy"
expect_opened
grep -qi winmm "$exit_file.log" || fail "the first launcher didn't load winmm.dll either"
xdotool key alt+F4
[ "$(wait_for_exit "$exit_file" 30)" = 0 ] || fail "Alt+F4 didn't end the first launcher"
for _ in after-closed after-killed; do
  start_launcher "$work/copy/LAUNCH.EXE" "$exit_file"
  expect_opened
  stop_launcher "$exit_file"
  wait_for 30 windows_are 0 || fail "the killed launcher's window stays"
done
# Another program's window over the launcher (the sample installer's box): a second start
# brings the launcher to the front again.
in_front() {
  "$WINE" "$window_texts" "$(windows_path "$work/front.txt")" foreground >/dev/null 2>&1 &&
    [ "$(cut -f2 "$work/front.txt")" = "$1" ]
}
close_box() { "$WINE" taskkill /im SETUP.EXE >/dev/null 2>&1; }
trap close_box EXIT
start_launcher "$work/disc/LAUNCH.EXE" "$exit_file"
expect_opened
click_button 201 "$left" "$top"
wait_for 60 in_front "Sample disc program" || fail "the installer's box never came in front: $(cat "$work/front.txt")"
expect_second_start_ends "$work/disc"
wait_for 30 in_front "$LAUNCHER_TITLE" || fail "a second start left in front: $(cat "$work/front.txt")"
echo "a second start brought the launcher in front of the installer's box"
stop_launcher "$exit_file"
wait_for 30 windows_are 0 || fail "the killed launcher's window stays"
