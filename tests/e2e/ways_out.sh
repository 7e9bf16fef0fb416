#!/usr/bin/env bash
# The ways out of the open launcher other than its own: Alt+F4, WM_CLOSE posted by another
# program, and the session ending (Wine's wineboot --end-session sends
# WM_QUERYENDSESSION and WM_ENDSESSION, then ends what is left, as Windows does). Each
# ends the launcher within a second: its process is gone, and its sounds with it. The
# exit code of each is checked as the README states it. So is its disc (D:) leaving the drive.
#   ways_out.sh LAUNCH.EXE 24 WORK_FOLDER CLOSE_LAUNCHER.EXE
set -u
. "$(dirname "$0")/e2e_common.sh"
exe=$1
e2e_begin "$2" "$3"
closer=$4
make_sample_disc "$work/disc" "$exe"
cp "$closer" "$work/disc/CLOSE_LAUNCHER.EXE"
map_drive d "$work/disc"
trap 'unmap_drive d' EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Waits up to 10 s for the launcher's process to end, checking every 10 ms; prints the
# milliseconds since $1.
ended_after() {
  local since=$1 pid deadline=$(($(now_ms) + 10000))
  pid=$(cat "$exit_file.pid")
  while kill -0 "$pid" 2>/dev/null; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.01
  done
  echo $(($(now_ms) - since))
}

# way, expected exit code, command that asks the launcher to end
check_way_out() {
  local way=$1 expected=$2 asked delivered took code
  shift 2
  start_launcher "$work/disc/LAUNCH.EXE" "$exit_file" 'D:\LAUNCH.EXE'
  expect_opened
  asked=$(now_ms)
  "$@" || fail "$way: could not be delivered"
  # Counted from the moment the request was delivered: starting another Wine program
  # takes a while of its own.
  delivered=$(now_ms)
  took=$(ended_after "$delivered") || fail "$way: the launcher still runs 10 s later"
  code=$(wait_for_exit "$exit_file" 10) || fail "$way: no exit code"
  [ -z "$(launcher_processes)" ] || fail "$way: launcher processes left: $(launcher_processes)"
  [ "$code" = "$expected" ] || fail "$way: exit code $code, not $expected"
  [ "$took" -le 1000 ] || fail "$way: the launcher took $took ms to end"
  echo "$way: ended $took ms after the request was delivered ($((delivered - asked)) ms to deliver it), exit code $code, no launcher process left"
}

# The opened launcher holds the keyboard focus.
press_alt_f4() { xdotool key alt+F4; }
post_close() { (cd "$work/disc" && "$WINE" CLOSE_LAUNCHER.EXE "$@" </dev/null >>"$work/closer.log" 2>&1); }
# The launcher would be gone long before the second notice could be sent.
remove_discs() { post_close E && launcher_at "$left" "$top" && post_close D; }
end_session() { "$WINE" wineboot --end-session </dev/null >>"$work/wineboot.log" 2>&1; }

check_way_out "Alt+F4" 0 press_alt_f4
check_way_out "WM_CLOSE from another program" 0 post_close
check_way_out "the session ending" 0 end_session
check_way_out "E:'s disc, then its own disc D:, leaving the drive" 0 remove_discs
