#!/usr/bin/env bash
# The launcher has no caption: a press anywhere on the picture drags the window, and the
# double-click still closes it where it was left.
#   drag.sh LAUNCH.EXE DEPTH WORK_FOLDER
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
e2e_begin "$2" "$3"

make_sample_disc "$work/disc" "$exe"
start_launcher "$work/disc/LAUNCH.EXE" "$exit_file"
expect_opened

# Press on the picture away from the buttons and keep nudging the pointer toward a point
# 20 px left and 30 px up until the window has followed it there.
xdotool mousemove 320 330 mousedown 1
follows() {
  xdotool mousemove 301 301 mousemove 300 300
  launcher_at 120 30
}
wait_for 20 follows || { xdotool mouseup 1; fail "the window did not follow the pointer"; }
xdotool mouseup 1
echo "dragged from (140,60) to (120,30)"
screenshot "$work/dragged"
echo "screenshot: $work/dragged.png"

double_click_at 300 300
code=$(wait_for_exit "$exit_file" 30) || fail "still running 30 s after the double-click"
[ "$code" = 0 ] || fail "exit code $code"
echo "closed where it was left, exit code 0"
