#!/usr/bin/env bash
# The real LAUNCH.EXE opens, shows its picture inside the round window at the centre of
# the screen with button 201 highlighted, and ends with exit code 0 on a double-click. At
# depth 16 the picture and frames are compared as that screen can show them.
#   open_close.sh LAUNCH.EXE SCREEN WORK_FOLDER
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
depth=$2
e2e_begin "$depth" "$3"

check_flags=""
[ "$depth" = 8 ] && check_flags="--palette"
[ "$depth" = 16 ] && check_flags="--depth16"
picture=$root/resources/background.bmp
shot=$work/opened
shows_picture() {
  screenshot "$shot" && python3 "$root/tests/e2e/screen_check.py" "$shot.ppm" "$picture" "$left" "$top" 201=highlighted $check_flags
}

# Palette calls are traced at depth 8, to see the launcher realize its palette.
[ "$depth" = 8 ] && export WINEDEBUG=trace+palette

make_sample_disc "$work/disc" "$exe"
start_launcher "$work/disc/LAUNCH.EXE" "$exit_file"
expect_opened
# The last paint may trail the last move by a moment.
wait_for 20 shows_picture || { shows_picture; fail "the screen does not show the picture"; }
shows_picture
echo "screenshot: $shot.png"
if [ "$depth" = 8 ]; then
  # Realizing the picture's palette maps all 256 of its entries into the system palette.
  grep -q "X11DRV_RealizePalette entry 255 " "$exit_file.log" ||
    fail "the launcher never realized a 256-entry palette"
  echo "the 256-entry palette was made and realized"
fi
expect_double_click_closes
