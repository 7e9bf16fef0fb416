# Running LAUNCH.EXE on Wine and watching it from outside, for the run script and the
# end-to-end tests. Needs display.sh; DISPLAY and WINEPREFIX set by the caller.

LAUNCHER_TITLE="Norvane CD Setup"

# Lays out a sample disc in folder $1 from the launcher $2: LAUNCH.EXE at its root.
make_sample_disc() {
  local disc=$1 exe=$2
  mkdir -p "$disc"
  cp "$exe" "$disc/LAUNCH.EXE"
}

# Starts the launcher $1 in the background; its exit code will be written to $2.
start_launcher() {
  local exe=$1 exit_file=$2
  rm -f "$exit_file"
  (
    cd "$(dirname "$exe")" || exit 1
    wine "$(basename "$exe")" </dev/null >"$exit_file.log" 2>&1
    echo $? >"$exit_file.tmp" && mv "$exit_file.tmp" "$exit_file"
  ) &
}

launcher_window() { xdotool search --name "^$LAUNCHER_TITLE\$" 2>/dev/null | head -n 1; }

launcher_at() {
  local want_x=$1 want_y=$2 w
  w=$(launcher_window) && [ -n "$w" ] || return 1
  xdotool getwindowgeometry "$w" | grep -q "Position: $want_x,$want_y "
}

# Waits up to $2 seconds for the launcher's exit code file $1; prints the code.
wait_for_exit() {
  local exit_file=$1 seconds=$2
  wait_for "$seconds" test -s "$exit_file" || return 1
  cat "$exit_file"
}

# Screenshot of the whole screen as $1.ppm (for checks) and $1.png (for people).
screenshot() {
  import -display "$DISPLAY" -window root -depth 8 "ppm:$1.ppm" && convert "$1.ppm" "$1.png"
}

# Double-clicks the picture at screen point ($1, $2).
double_click_at() {
  xdotool mousemove "$1" "$2" click --repeat 2 --delay 60 1
}

# A prefix of our own on a display of our own has no window manager: without this, Wine
# waits about two seconds for one whenever a window is hidden.
prepare_prefix_without_window_manager() {
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}
