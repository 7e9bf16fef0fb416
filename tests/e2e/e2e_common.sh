# Shared by the end-to-end scripts: the display and Wine prefix of the test environment
# for screen $1 (a depth: 24, 8 or 16 at 640x480; or "wide", 1920x1080 at depth 24), a
# clean work folder $2, and a way to fail that leaves nothing running. Sets `left` and
# `top`, where the opened launcher stands: centred on the screen.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/scripts/lib/display.sh"
. "$root/scripts/lib/arch.sh"
. "$root/scripts/lib/launcher.sh"

e2e_begin() {
  local depth=$1
  work=$2
  local env_dir=${LAUNCHER_TEST_ENV:?run under CTest, or set LAUNCHER_TEST_ENV}
  DISPLAY=$(cat "$env_dir/display$depth") || exit 1
  export DISPLAY WINEPREFIX="$env_dir/prefix$depth" WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  use_wine_for "$(cat "$env_dir/arch")" || exit 1
  local size
  size=$(xdpyinfo -display "$DISPLAY" | awk '/dimensions:/ {print $2}')
  left=$(((${size%x*} - 360) / 2))
  top=$(((${size#*x} - 360) / 2))
  rm -rf "$work"
  mkdir -p "$work"
  exit_file=$work/exit-code
  # The pointer starts off the launcher's place, so that no button is hovered.
  xdotool mousemove 5 5
}

# A brand's test, run as SCRIPT LAUNCH.EXE SCREEN WORK_FOLDER STUB.EXE WINDOW_TEXTS.EXE: the
# brand scripts and test brands, `stub` and `window_texts`, and e2e_begin.
e2e_brand_begin() {
  . "$root/scripts/lib/brand.sh"
  . "$root/tests/e2e/test_brand.sh"
  stub=$4 window_texts=$5
  e2e_begin "$2" "$3"
}

fail() {
  echo "FAIL: $*"
  [ -f "$exit_file.log" ] && sed 's/^/  launcher: /' "$exit_file.log" | grep -v ALSA | head -20
  stop_launcher "$exit_file"
  exit 1
}

# Waits for the open to end with the launcher window centred on the screen.
expect_opened() {
  wait_for 60 launcher_at "$left" "$top" || fail "no launcher window at ($left,$top) within 60 s"
}

# Double-clicks the picture away from the buttons and expects exit code 0 soon after.
expect_double_click_closes() {
  local code
  double_click_at $((left + 180)) $((top + 270))
  code=$(wait_for_exit "$exit_file" 30) || fail "still running 30 s after the double-click"
  [ "$code" = 0 ] || fail "exit code $code after the double-click"
  echo "closed on a double-click with exit code 0"
}

# D: as a CD-ROM or as what it was: Wine's mount manager takes the drive type from the
# registry when the prefix starts (so this restarts it), and a drive that is a folder gets
# its label from the file .windows-label in it. drive_d_type prints the type D: has.
drives_key='HKLM\Software\Wine\Drives'
drive_d_type() {
  "$WINE" reg query "$drives_key" /v d: 2>/dev/null | tr -d '\r' | awk '$1 == "d:" { print $3 }'
}
set_drive_type() {
  if [ -n "$1" ]; then
    run_explained "$WINE" reg add "$drives_key" /v d: /t REG_SZ /d "$1" /f
  else
    "$WINE" reg delete "$drives_key" /v d: /f >/dev/null 2>&1
  fi
  wineserver -k
  wineserver -w
  run_explained wineserver -p
}

# The Windows name of file $1 on Wine's drive Z:, the whole file system: what `winepath -w`
# says, without a Wine start of seconds in the emulated machine.
windows_path() {
  local path
  path=$(realpath -ms "$1") && printf 'Z:%s\n' "${path//\//\\}"
}

# The stand-ins for the disc's programs (STUB.EXE) record each start in $records.
record_starts() {
  records=$work/records.txt
  LAUNCHER_STUB_RECORD=$(windows_path "$records")
  export LAUNCHER_STUB_RECORD
}

# How often program $1 started from the disc with its own path as the command line.
starts_of() {
  [ -f "$records" ] || { echo 0; return; }
  awk -F'\t' -v program="$1" '$1 == program && $3 == program' "$records" | wc -l
}
started_times() { [ "$(starts_of "$1")" = "$2" ]; }

# Explorer showing D:, started in our prefix: its window is named after the drive. Sets
# explorer_pid, for the caller to end it.
explorer_pid=""
explorer_on_d() {
  xdotool search --name '\(D:\)' >/dev/null 2>&1 || return 1
  runs_in_our_prefix 'EXPLORER\.EXE D:' && explorer_pid=$found_pid
}

# Process ids of this test's Wine prefix whose command line matches $1 (other test runs
# use prefixes of their own and are not listed).
our_prefix_processes() {
  local pid
  for pid in $(pgrep -f "$1"); do
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}

# Whether a process of our prefix has a command line that matches $1 (its id in $found_pid).
runs_in_our_prefix() {
  found_pid=$(our_prefix_processes "$1" | head -n 1)
  [ -n "$found_pid" ]
}

# Button 203 of the launcher at (140, 60) opens Explorer on D:\; its screenshot is saved as
# $work/explorer.png, then Explorer is ended.
expect_203_opens_explorer() {
  click_button 203 140 60
  wait_for 90 explorer_on_d || fail "button 203 didn't open Explorer on D:\\"
  screenshot "$work/explorer"
  echo "button 203 opened Explorer on D:\\ (screenshot: $work/explorer.png)"
  kill "$explorer_pid"
  wait_for 30 test ! -d "/proc/$explorer_pid" || fail "Explorer didn't end"
  explorer_pid=""
}

# Process ids of the launchers still running in this test's Wine prefix.
launcher_processes() { our_prefix_processes 'LAUNCH[^ ]*\.EXE'; }

# The files of disc image $1 read back into $work/joliet as CD-ROM drive D: labelled $2,
# with brand $3's launcher built for this machine in place of the image's 32-bit one where
# that can't run here. Sets drive; `leave_drive_d` (the exit trap) puts D: back and then
# runs $on_leave, if set.
brand_disc_as_drive_d() {
  local arch
  drive=$work/joliet
  xorriso -osirrox on -read_fs norock -indev "$1" -extract / "$drive" >/dev/null 2>&1 ||
    fail "xorriso can't read the image"
  chmod u+w "$drive"
  arch=$(cat "$LAUNCHER_TEST_ENV/arch")
  if [ "$arch" != win32 ]; then
    build_brand "$3" "$arch" >"$work/build.log" 2>&1 || fail "the $arch brand build failed"
    cp -f "$BRAND_LAUNCHER" "$drive/LAUNCH.EXE"
    echo "D:\\LAUNCH.EXE is the $arch build of the brand, in place of the image's 32-bit one"
  fi
  echo "$2" >"$drive/.windows-label"
  chmod -R a-w "$drive"
  saved_type=$(drive_d_type)
  map_drive d "$drive"
  trap leave_drive_d EXIT
  set_drive_type cdrom || fail "Wine could not take D: as a CD-ROM"
}
leave_drive_d() {
  stop_launcher "$exit_file"
  unmap_drive d
  set_drive_type "$saved_type"
  chmod -R u+w "$work"
  ${on_leave:-}
}
