# Running LAUNCH.EXE on Wine and watching it from outside, for the run script and the
# end-to-end tests. Needs display.sh and arch.sh; DISPLAY, WINEPREFIX and WINE (see
# use_wine_for) set by the caller.

LAUNCHER_TITLE="Norvane CD Setup"

# Lays out a sample disc in folder $1 from the launcher $2: LAUNCH.EXE at its root and,
# given the stand-in program $3 (STUB.EXE), the installer SETUP.EXE beside it and the
# demo installer Demos\Ravelcog\Setup.exe.
make_sample_disc() {
  local disc=$1 exe=$2 stub=${3:-} demo=${4:-Demos/Ravelcog/Setup.exe}
  mkdir -p "$disc"
  cp "$exe" "$disc/LAUNCH.EXE"
  if [ -n "$stub" ]; then
    mkdir -p "$disc/$(dirname "$demo")"
    cp "$stub" "$disc/SETUP.EXE"
    cp "$stub" "$disc/$demo"
  fi
}

# Maps drive $1 (a letter) of the Wine prefix to folder $2; unmap_drive puts back what the
# prefix had there before.
map_drive() {
  local link=$WINEPREFIX/dosdevices/$1:
  saved_drive_target=$(readlink "$link" 2>/dev/null || true)
  ln -sfn "$2" "$link"
}

unmap_drive() {
  local link=$WINEPREFIX/dosdevices/$1:
  rm -f "$link"
  if [ -n "${saved_drive_target:-}" ]; then ln -sfn "$saved_drive_target" "$link"; fi
}

# Starts the launcher $1 in the background, from its folder, as the Windows path $3 if
# given (D:\LAUNCH.EXE for a disc mapped as D:); its exit code will be written to $2 and
# its process id to $2.pid, which is there when this returns: a busy machine may run the
# launcher up to its window before the starting shell writes it, and a stop must find it.
# It holds none of the caller's outputs, so a caller whose output is piped is never kept
# waiting by a launcher left running.
start_launcher() {
  local exe=$1 exit_file=$2 as=${3:-}
  rm -f "$exit_file" "$exit_file.pid"
  (
    cd "$(dirname "$exe")" || exit 1
    "$WINE" "${as:-$(basename "$exe")}" </dev/null >"$exit_file.log" 2>&1 &
    echo $! >"$exit_file.pid"
    wait $!
    echo $? >"$exit_file.tmp" && mv "$exit_file.tmp" "$exit_file"
  ) </dev/null >/dev/null 2>&1 &
  wait_for 10 test -s "$exit_file.pid" || true
}

# Ends the launcher that start_launcher started with exit file $1, if it still runs.
stop_launcher() {
  local exit_file=$1
  if [ -s "$exit_file.pid" ] && [ ! -s "$exit_file" ]; then
    kill -KILL "$(cat "$exit_file.pid")" 2>/dev/null
  fi
  return 0
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

# Screenshot of the whole screen as $1.ppm (for checks) and $1.png (for people); a check
# that polls takes screen_ppm's alone and makes the PNG of the last.
screen_ppm() { import -display "$DISPLAY" -window root -depth 8 "ppm:$1.ppm"; }
screenshot() { screen_ppm "$1" && convert "$1.ppm" "$1.png"; }

# Double-clicks the picture at screen point ($1, $2).
double_click_at() {
  xdotool mousemove "$1" "$2" click --repeat 2 --delay 60 1
}

# Norvane's button places (buttons/button_places.def), the launcher's own table.
LAUNCHER_BUTTON_PLACES="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/buttons/button_places.def"

# Screen point of the middle of button $1 (201 to 204) of the launcher standing at screen
# point ($2, $3), by default (140, 60): each button is 42x42, placed in the picture as the
# button table says.
button_centre() {
  local left=${2:-140} top=${3:-60}
  awk -F '[(), ]+' -v id="$1" -v left="$left" -v top="$top" \
    '$1 == "BUTTON_PLACE" && $2 == id { print left + $3 + 21, top + $4 + 21 }' \
    "$LAUNCHER_BUTTON_PLACES"
}

# Clicks the middle of button $1 of the launcher at ($2, $3), by default (140, 60).
click_button() {
  # shellcheck disable=SC2046  # the centre is two words, x and y
  xdotool mousemove $(button_centre "$@") click 1
}

# In the emulated machine of scripts/vm32 a prefix's first start takes minutes: there the
# image's ready-made 32-bit prefix, prepared as below when the image was built, is copied
# into a new prefix instead. Must come before the prefix's wineserver starts, which reads
# the registry once.
copy_ready_made_prefix() {
  if [ -n "${LAUNCHER_WINE_PREFIX_TEMPLATE:-}" ] && [ "$WINEARCH" = win32 ] && [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX" && run_explained cp -a "$LAUNCHER_WINE_PREFIX_TEMPLATE/." "$WINEPREFIX/" &&
      touch "$WINEPREFIX/.ready-made"
  fi
}

# A prefix of our own on a display of our own has no window manager: without this, Wine
# waits about two seconds for one whenever a window is hidden. Fails, saying why, when
# Wine can't start.
prepare_prefix_without_window_manager() {
  copy_ready_made_prefix || return 1
  [ -f "$WINEPREFIX/.ready-made" ] && return 0
  run_explained "$WINE" wineboot -i &&
    run_explained "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
    run_explained "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
}
