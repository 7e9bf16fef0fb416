#!/usr/bin/env bash
# At 144 dpi (150 %), set where Windows keeps it: the real LAUNCH.EXE 540x540 centred,
# showing the double-size picture reduced; a click on EXIT at its scaled place closes it
# with exit code 0. The prefix's scale is put back afterwards.
#   high_dpi.sh LAUNCH.EXE SCREEN WORK_FOLDER
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
e2e_begin "$2" "$3"
side=540
left=$((left - (side - 360) / 2)) top=$((top - (side - 360) / 2))

desktop='HKCU\Control Panel\Desktop'
trap 'stop_launcher "$exit_file"; "$WINE" reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1' EXIT
run_explained "$WINE" reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f || fail "can't set the scale"

shot=$work/opened
shows_scaled_picture() {
  screenshot "$shot" && python3 "$root/tests/e2e/scaled_check.py" "$shot.ppm" \
    "$root/resources/background@2x.bmp" "$root/resources/background.bmp" "$left" "$top" "$side"
}

make_sample_disc "$work/disc" "$exe"
start_launcher "$work/disc/LAUNCH.EXE" "$exit_file"
expect_opened
wait_for 20 shows_scaled_picture || { shows_scaled_picture; fail "the screen does not show the scaled picture"; }
shows_scaled_picture && echo "screenshot: $shot.png"
# EXIT at 144 dpi: 63 pixels square at (372, 63) in the window.
xdotool mousemove $((left + 372 + 31)) $((top + 63 + 31)) click 1
code=$(wait_for_exit "$exit_file" 30) || fail "still running 30 s after a click on EXIT"
[ "$code" = 0 ] || fail "exit code $code after a click on EXIT"
echo "closed by a click on EXIT at its scaled place with exit code 0"
