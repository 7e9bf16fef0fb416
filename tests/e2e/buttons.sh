#!/usr/bin/env bash
# The round buttons of the real LAUNCH.EXE, driven with a real pointer and keyboard: the
# highlight follows the pointer, Tab and the arrows, a held button (or Enter) shows its pressed
# frame, and a click on EXIT or Esc closes the launcher with exit code 0. Every state is
# checked pixel for pixel in a screenshot of the whole launcher.
#   buttons.sh LAUNCH.EXE 24 WORK_FOLDER STUB.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
e2e_begin "$2" "$3"
picture=$root/resources/background.bmp
left=140
top=60
shot_number=0

# What the check says of the screen is kept in $shot.txt.
shows() {
  screen_ppm "$shot" && python3 "$root/tests/e2e/screen_check.py" "$shot.ppm" "$picture" \
    "$left" "$top" "$@" >"$shot.txt"
}

# Waits for the screen to show the launcher with the buttons in the frames given as
# ID=FRAME (the others normal); $1 says what was done, for the report.
expect_frames() {
  local what=$1
  shift
  shot_number=$((shot_number + 1))
  shot=$work/$(printf '%02d' $shot_number)-${what// /-}
  wait_for 20 shows "$@" || { shows "$@"; fail "$what: the buttons are not shown as $*: $(cat "$shot.txt")"; }
  convert "$shot.ppm" "$shot.png"
  echo "$what: $(sed 's/.*buttons: //' "$shot.txt")  ($shot.png)"
}

make_sample_disc "$work/disc" "$exe" "$4"
record_starts
started() { [ "$(wc -l 2>/dev/null <"$records")" = "$1" ]; }
start_launcher "$work/disc/LAUNCH.EXE" "$exit_file"
expect_opened
expect_frames "opened" 201=highlighted

for button in 202 203 204 201; do
  xdotool mousemove $(button_centre $button)
  expect_frames "pointer on $button" $button=highlighted
done
xdotool mousemove $((left + 180)) $((top + 300))
expect_frames "pointer on the picture"

xdotool key Tab
expect_frames "Tab on the launcher" 201=highlighted
for button in 202 203 204 201; do
  xdotool key Tab
  expect_frames "Tab to $button" $button=highlighted
done
xdotool key shift+Tab
expect_frames "Shift+Tab to 204" 204=highlighted

# Each arrow from each button: Down and Right as Tab, Up and Left as Shift+Tab.
at=204
for key in Down Right Up Left; do
  for _ in 1 2 3 4; do
    case $key in Down | Right) to=$((at % 4 + 201)) ;; *) to=$(((at - 198) % 4 + 201)) ;; esac
    xdotool key $key
    expect_frames "$key from $at" $to=highlighted
    at=$to
  done
done

# On the bare launcher window, an arrow gives the last highlighted button the focus, as Tab does.
xdotool mousemove $((left + 170)) $((top + 300))
expect_frames "pointer on the picture again"
xdotool key Up
expect_frames "Up on the launcher" $at=highlighted

xdotool mousemove $(button_centre 203) mousedown 1
expect_frames "203 held down" 203=pressed
# Dragged off while held, the button stands up again and takes no click when let go.
xdotool mousemove $((left + 180)) $((top + 300))
expect_frames "203 held, pointer dragged off" 203=highlighted
xdotool mouseup 1
xdotool mousemove $((left + 180)) $((top + 310))
expect_frames "203 let go off the button"

xdotool mousemove $(button_centre 204) mousedown 1
expect_frames "EXIT held down" 204=pressed
xdotool mouseup 1
code=$(wait_for_exit "$exit_file" 30) || fail "still running 30 s after a click on EXIT"
[ "$code" = 0 ] || fail "exit code $code after a click on EXIT"
echo "a click on EXIT closed the launcher with exit code 0"

start_launcher "$work/disc/LAUNCH.EXE" "$exit_file"
expect_opened
xdotool mousemove $(button_centre 201)  # where Wine last saw the pointer no longer counts
xdotool key Return
wait_for 60 started 1 || fail "Enter on 201 didn't start the installer"
xdotool keydown Return
expect_frames "Enter held on 201" 201=pressed
sleep 1  # held long enough for the key to repeat
xdotool keyup Return
expect_frames "Enter let go" 201=highlighted
xdotool key Escape  # handled after every start the Enter keys made
[ "$(wait_for_exit "$exit_file" 30)" = 0 ] || fail "Esc didn't end the launcher with exit code 0"
wait_for 30 started 2 || fail "$(wc -l <"$records") starts, not 1 for each Enter"
echo "Enter started the installer once, held Enter once more; Esc closed the launcher with exit code 0"
