#!/usr/bin/env bash
# Run from a sample disc mapped as drive D:, the real LAUNCH.EXE starts D:\SETUP.EXE from
# button 201, D:\Demos\Ravelcog\Setup.exe from button 202 and Explorer on D:\ from button
# 203, and stays open. With the installer gone, button 201 shows "Unable to execute
# D:\SETUP.EXE"; Enter closes the box and a double-click still ends the launcher with 0.
#   launch_commands.sh LAUNCH.EXE DEPTH WORK_FOLDER STUB.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
depth=$2
stub=$4
e2e_begin "$depth" "$3"

disc=$work/disc
make_sample_disc "$disc" "$exe" "$stub"
cleanup() {
  [ -n "$explorer_pid" ] && kill "$explorer_pid" 2>/dev/null
  unmap_drive d
}
map_drive d "$disc"
trap cleanup EXIT

# The stand-ins record each start; the launcher's log shows each message box.
record_starts
export WINEDEBUG=trace+msgbox

message_boxes_open() {
  [ "$(xdotool search --name "^$LAUNCHER_TITLE\$" 2>/dev/null | wc -l)" -gt 1 ]
}
no_message_box() { ! message_boxes_open; }

start_launcher "$disc/LAUNCH.EXE" "$exit_file" 'D:\LAUNCH.EXE'
expect_opened

click_button 201 140 60
wait_for 60 started_times 'D:\SETUP.EXE' 1 || fail "button 201 didn't start D:\\SETUP.EXE"
click_button 201 140 60
wait_for 60 started_times 'D:\SETUP.EXE' 2 || fail "a second click on 201 didn't start it again"
echo "button 201 started D:\\SETUP.EXE, twice for two clicks"

click_button 202 140 60
wait_for 60 started_times 'D:\Demos\Ravelcog\Setup.exe' 1 ||
  fail "button 202 didn't start D:\\Demos\\Ravelcog\\Setup.exe"
echo "button 202 started D:\\Demos\\Ravelcog\\Setup.exe"

expect_203_opens_explorer
launcher_at 140 60 || fail "the launcher didn't stay open"

rm "$disc/SETUP.EXE"
click_button 201 140 60
wait_for 60 message_boxes_open || fail "no message box for the missing installer"
screenshot "$work/unable-to-execute"
echo "screenshot: $work/unable-to-execute.png"
grep -qF 'trace:msgbox:MSGBOX_OnInit L"Unable to execute D:\\SETUP.EXE"' "$exit_file.log" ||
  fail "the box doesn't read Unable to execute D:\\SETUP.EXE"
xdotool key Return
wait_for 30 no_message_box || fail "Enter didn't close the message box"
echo "the missing installer was reported, and Enter closed the box"
[ "$(starts_of 'D:\SETUP.EXE')" = 2 ] || fail "a missing installer was counted as started"
expect_double_click_closes
