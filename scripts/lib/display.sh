# Shared by the scripts that need an X display of their own.

# Starts Xvfb on a free display number with a screen of the given depth and size
# (640x480 unless given as WIDTHxHEIGHT) and a black root; prints the display (":N") once
# it accepts connections.
start_xvfb() {
  local depth=$1 pidfile=$2 size=${3:-640x480} n
  for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    setsid Xvfb ":$n" -screen 0 "${size}x$depth" -nolisten tcp -br -noreset \
      </dev/null >"$pidfile.log" 2>&1 &
    echo $! >"$pidfile"
    # Another run may have taken the same number a moment earlier: only our own server,
    # still alive once the display answers, counts. A server that ends at once (another
    # run's number, or no Xvfb at all) is not waited for.
    wait_for 20 xvfb_settled "$(cat "$pidfile")" ":$n"
    if kill -0 "$(cat "$pidfile")" 2>/dev/null && xdpyinfo -display ":$n" >/dev/null 2>&1; then
      echo ":$n"
      return 0
    fi
    kill "$(cat "$pidfile")" 2>/dev/null || true
  done
  {
    echo "start_xvfb: no display could be started (Xvfb :$n -screen 0 ${size}x$depth) ..."
    tail -n 12 "$pidfile.log" 2>/dev/null | sed 's/^/  | /'
  } >&2
  return 1
}

# Succeeds once the Xvfb of process $1 answers on display $2, or has ended.
xvfb_settled() {
  ! kill -0 "$1" 2>/dev/null || xdpyinfo -display "$2" >/dev/null 2>&1
}

stop_xvfb() {
  local pidfile=$1
  [ -f "$pidfile" ] || return 0
  kill "$(cat "$pidfile")" 2>/dev/null || true
  rm -f "$pidfile" "$pidfile.log"
}

# Runs a command every 0.2 s until it succeeds or the given number of seconds has passed.
wait_for() {
  local seconds=$1 deadline
  shift
  deadline=$(($(date +%s) + seconds))
  until "$@" >/dev/null 2>&1; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}
