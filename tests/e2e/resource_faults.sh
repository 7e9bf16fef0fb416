#!/usr/bin/env bash
# Fault injection on the real executable: every variant of LAUNCH.EXE that
# resource_variants.py makes (each picture, sound, the strings and the icon in turn
# removed, truncated and filled with garbage; each sound also with a chunk size far past
# its end) runs on Wine with a time limit and must give
# its defined result: exit code 2 at once where the picture or the buttons' class name
# can't be had; otherwise the launcher opens centred, shows a picture in its ellipse and
# closes on a double-click with exit code 0. Never a crash, a hang or an empty window.
#   resource_faults.sh LAUNCH.EXE SCREEN WORK_FOLDER [PATTERN]
# runs every variant, or those whose name matches the grep pattern.
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
e2e_begin "$2" "$3"
picture=$root/resources/background.bmp
disc=$work/disc
mkdir -p "$disc"
python3 "$root/tests/e2e/resource_variants.py" "$exe" "$work/variants" |
  grep -e "${4:-.}" >"$work/variants.txt" || fail "could not make the variants"

# Something other than the desktop inside the ellipse, the desktop around it.
shows_a_picture() {
  screenshot "$work/shot" &&
    python3 "$root/tests/e2e/screen_check.py" "$work/shot.ppm" "$picture" "$left" "$top" --palette
}

ended_or_in_place() { [ -s "$exit_file" ] || launcher_at "$left" "$top"; }

# Runs variant $1 from the disc; prints what it did: "exit2", "opens", or what went wrong.
run_variant() {
  local code
  cp "$work/variants/$1" "$disc/LAUNCH.EXE"
  start_launcher "$disc/LAUNCH.EXE" "$exit_file"
  # A launcher window whose creation fails bears its name for a moment before the end:
  # only the end or the opened launcher in its place tells.
  if ! wait_for 60 ended_or_in_place; then
    stop_launcher "$exit_file"
    echo "neither an end nor the launcher at ($left,$top) within 60 s"
    return
  fi
  if [ -s "$exit_file" ]; then
    code=$(cat "$exit_file")
    [ "$code" = 2 ] && echo exit2 || echo "ended with exit code $code without a window"
    return
  fi
  if ! wait_for 10 shows_a_picture; then
    stop_launcher "$exit_file"
    echo "opened, but shows no picture"
    return
  fi
  double_click_at $((left + 180)) $((top + 270))
  if ! code=$(wait_for_exit "$exit_file" 30); then
    stop_launcher "$exit_file"
    echo "opened, but still running 30 s after a double-click"
    return
  fi
  [ "$code" = 0 ] && echo opens || echo "opened, then ended with exit code $code"
}

runs=0
failures=0
while read -r variant expected; do
  got=$(run_variant "$variant")
  runs=$((runs + 1))
  if [ "$got" = "$expected" ]; then
    echo "ok   $variant: $got"
  else
    failures=$((failures + 1))
    echo "FAIL $variant: expected $expected, got: $got"
    grep -v ALSA "$exit_file.log" 2>/dev/null | head -5 | sed 's/^/       /'
  fi
  [ -z "$(launcher_processes)" ] || { echo "FAIL $variant: launcher processes left"; exit 1; }
done <"$work/variants.txt"
echo "$runs variants run, $failures failed"
[ "$failures" = 0 ]
