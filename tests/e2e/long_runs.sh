#!/usr/bin/env bash
# A hundred consecutive runs of the real LAUNCH.EXE: each starts, opens centred, closes on
# a double-click with exit code 0 and leaves no launcher process behind.
#   long_runs.sh LAUNCH.EXE 24 WORK_FOLDER [RUNS]
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
e2e_begin "$2" "$3"
runs=${4:-100}

make_sample_disc "$work/disc" "$exe"
started=$(date +%s)
for run in $(seq "$runs"); do
  start_launcher "$work/disc/LAUNCH.EXE" "$exit_file"
  wait_for 60 launcher_at "$left" "$top" || fail "run $run: no launcher window at ($left,$top) within 60 s"
  double_click_at $((left + 180)) $((top + 270))
  code=$(wait_for_exit "$exit_file" 30) || fail "run $run: still running 30 s after the double-click"
  [ "$code" = 0 ] || fail "run $run: exit code $code"
  left_over=$(launcher_processes)
  [ -z "$left_over" ] || fail "run $run: launcher processes left: $left_over"
done
echo "$runs runs completed, each with exit code 0 and no launcher process left, in $(($(date +%s) - started)) s"
