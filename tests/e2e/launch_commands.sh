#!/usr/bin/env bash
# Run from a sample disc mapped as drive D:, the real LAUNCH.EXE starts D:\SETUP.EXE from
# button 201 (once for a double-click, twice for two clicks a second apart),
# D:\Demos\Ravelcog\Setup.exe from button 202 and Explorer on D:\ from button 203, each
# in its own folder, and stays open. While an installer works before its first window,
# the highlight follows the pointer. With the installer gone, button 201 shows "Unable to
# execute D:\SETUP.EXE", and without the demo's folder button 202 "Unable to execute
# D:\Demos\Ravelcog\Setup.exe"; Enter or Esc closes each box (and only the box) and a
# double-click still ends the launcher with 0.
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

# The stand-ins record each start, and work as many milliseconds as $busy holds when it
# is there; the launcher's log shows each message box.
record_starts
busy=$work/busy
LAUNCHER_STUB_BUSY=$(windows_path "$busy")
export LAUNCHER_STUB_BUSY WINEDEBUG=trace+msgbox

# Whether a stand-in started from the disc still runs (its id in $stand_in_pid).
stand_in_running() { runs_in_our_prefix 'D:\\(SETUP\.EXE|Demos)' && stand_in_pid=$found_pid; }
no_stand_in_running() { ! stand_in_running; }

# The launcher on the screen with button $1 highlighted and the others normal.
highlighted() {
  screenshot "$work/highlight-$1" &&
    python3 "$root/tests/e2e/screen_check.py" "$work/highlight-$1.ppm" \
      "$root/resources/background.bmp" 140 60 "$1=highlighted" >/dev/null
}

message_boxes_open() {
  [ "$(xdotool search --name "^$LAUNCHER_TITLE\$" 2>/dev/null | wc -l)" -gt 1 ]
}
no_message_box() { ! message_boxes_open; }

start_launcher "$disc/LAUNCH.EXE" "$exit_file" 'D:\LAUNCH.EXE'
expect_opened

click_button 201 140 60
wait_for 60 started_times 'D:\SETUP.EXE' 1 || fail "button 201 didn't start D:\\SETUP.EXE"
sleep 1  # well past the double-click time: two separate clicks
click_button 201 140 60
wait_for 60 started_times 'D:\SETUP.EXE' 2 || fail "a second click on 201 didn't start it again"
echo "button 201 started D:\\SETUP.EXE, twice for two clicks a second apart"

# xdotool's clicks 60 ms apart are one double-click. Button 202 then marks the end: the
# launcher handles its input in order, so every start the double-click caused was made
# before 202's, and once no stand-in runs, each has left its record.
sleep 1
xdotool mousemove $(button_centre 201) click --repeat 2 --delay 60 1
sleep 1
click_button 202 140 60
wait_for 60 started_times 'D:\Demos\Ravelcog\Setup.exe' 1 ||
  fail "button 202 didn't start D:\\Demos\\Ravelcog\\Setup.exe"
wait_for 60 no_stand_in_running || fail "the stand-ins didn't end"
[ "$(starts_of 'D:\SETUP.EXE')" = 3 ] ||
  fail "a double-click on 201 started D:\\SETUP.EXE $(($(starts_of 'D:\SETUP.EXE') - 2)) times"
echo "a double-click on 201 started D:\\SETUP.EXE once; button 202 started D:\\Demos\\Ravelcog\\Setup.exe"
# Each in its own folder, as a shortcut's "Start in" gives it.
awk -F'\t' '!($1 == "D:\\SETUP.EXE" && $2 == "D:\\" ||
             $1 == "D:\\Demos\\Ravelcog\\Setup.exe" && $2 == "D:\\Demos\\Ravelcog") {bad = 1}
             END {exit bad}' "$records" ||
  fail "a stand-in started in another folder: $(cut -f1,2 "$records" | tr '\t\r\n' '  ;')"
echo "each installer started in its own folder (D:\\, D:\\Demos\\Ravelcog)"

# An installer that works 40 s before its first window: the launcher goes on meanwhile
# (WinExec waited up to 30 s, longer than the checks below may take).
echo 40000 >"$busy"
click_button 201 140 60
wait_for 60 started_times 'D:\SETUP.EXE' 4 || fail "button 201 didn't start the busy installer"
rm "$busy"
followed=""
for button in 203 202; do
  moved=$(date +%s%N)
  xdotool mousemove $(button_centre $button)
  wait_for 15 highlighted $button ||
    fail "the highlight didn't follow the pointer to $button while the installer started"
  stand_in_running || fail "the check on $button came after the installer's start"
  followed="$followed, to $button in $((($(date +%s%N) - moved) / 1000000)) ms"
done
echo "while the installer worked, the highlight followed the pointer$followed (screenshots included)"
kill "$stand_in_pid"

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
[ "$(starts_of 'D:\SETUP.EXE')" = 4 ] || fail "a missing installer was counted as started"

# Without the demo's folder (where it would start), the box is the one for a missing demo.
rm -r "$disc/Demos"
click_button 202 140 60
wait_for 60 message_boxes_open || fail "no message box for the missing demo folder"
grep -qF 'trace:msgbox:MSGBOX_OnInit L"Unable to execute D:\\Demos\\Ravelcog\\Setup.exe"' \
  "$exit_file.log" || fail "the box doesn't read Unable to execute D:\\Demos\\Ravelcog\\Setup.exe"
# Esc there is the box's own: it closes the box, and the launcher stays.
xdotool key Escape
wait_for 30 no_message_box || fail "Esc didn't close the message box"
! wait_for 3 test -s "$exit_file" || fail "Esc at the message box closed the launcher too"
launcher_at 140 60 || fail "Esc at the message box moved the launcher"
echo "without the demo's folder, button 202 showed Unable to execute D:\\Demos\\Ravelcog\\Setup.exe; Esc closed the box only"
expect_double_click_closes
