# Which Windows build of the launcher this machine can run on Wine, and the Wine for it.
# LAUNCH.EXE is a 32-bit program; some x86-64 machines (virtual machines without 32-bit
# support) refuse every 32-bit Linux program, Wine's 32-bit loader included. There the
# 64-bit build of the same source runs on the 64-bit Wine instead.

WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

# Succeeds when this machine starts the 32-bit program $1 (by default Wine's 32-bit
# loader, which is what a 32-bit test run needs); otherwise prints why not. It tries the
# program rather than guessing from names: the kernel alone knows.
runs_32bit_programs() {
  local probe=${1:-$WINE32_LOADER} out
  if [ ! -e "$probe" ]; then
    echo "$probe is not installed"
    return 1
  fi
  out=$("$probe" --version 2>&1 </dev/null) && return 0
  echo "$probe: $(echo "$out" | tail -n 1 | sed 's/^.*: cannot execute binary file: //')"
  return 1
}

# Sets and exports LAUNCHER_ARCH to the build this machine runs: win32 where it runs
# 32-bit programs, win64 elsewhere, saying so on standard error. Where it runs none, it
# also exports LAUNCHER_EMULATED=1: the 32-bit build can still run in the emulated machine
# of scripts/vm32. A LAUNCHER_ARCH already set forces the choice; forcing win32 where it
# can't run natively means running it in that machine. $1 says what the caller does with
# the build ("testing", "running"). LAUNCHER_PROBE_32BIT replaces the program the probe
# tries (the tests give it one of each answer).
choose_windows_build() {
  local doing=$1 why can32=yes
  why=$(runs_32bit_programs "${LAUNCHER_PROBE_32BIT:-}") || can32=no
  LAUNCHER_EMULATED=""
  [ "$can32" = yes ] || LAUNCHER_EMULATED=1
  export LAUNCHER_EMULATED
  case ${LAUNCHER_ARCH:-} in
    win32)
      if [ "$can32" = no ]; then
        echo "LAUNCHER_ARCH=win32, but this machine runs no 32-bit programs ($why): $doing the 32-bit build in the emulated machine (scripts/vm32)" >&2
      fi
      ;;
    win64)
      echo "LAUNCHER_ARCH=win64: $doing the 64-bit build of the same source" >&2
      LAUNCHER_EMULATED=""
      ;;
    "")
      if [ "$can32" = yes ]; then
        LAUNCHER_ARCH=win32
      else
        echo "this machine runs no 32-bit programs ($why): $doing the 64-bit build of the same source" >&2
        LAUNCHER_ARCH=win64
      fi
      ;;
    *)
      echo "LAUNCHER_ARCH must be win32 or win64, not '$LAUNCHER_ARCH'" >&2
      return 2
      ;;
  esac
  export LAUNCHER_ARCH
}

# Sets and exports WINE (the loader to run programs with) and WINEARCH for build $1. Each
# build gets a prefix of its own architecture, whichever Wine parts the machine has.
use_wine_for() {
  case $1 in
    win32) WINE=${LAUNCHER_WINE:-$WINE32_LOADER} WINEARCH=win32 ;;
    win64) WINE=${LAUNCHER_WINE:-$WINE64_LOADER} WINEARCH=win64 ;;
    *) echo "use_wine_for: no Windows build '$1'" >&2; return 2 ;;
  esac
  # Wine starts further programs of the prefix through WINELOADER.
  WINELOADER=$WINE
  export WINE WINEARCH WINELOADER
}

# Runs command "$@" with its output kept; when it fails, prints the command, its exit
# code and its last output lines on standard error, and returns its exit code.
run_explained() {
  local out rc=0
  out=$(mktemp) || return 1
  # Not "cmd; rc=$?": under set -e that would end the caller here, saying nothing.
  "$@" >"$out" 2>&1 </dev/null || rc=$?
  if [ "$rc" != 0 ]; then
    {
      echo "failed (exit code $rc): $*"
      tail -n 12 "$out" | sed 's/^/  | /'
    } >&2
  fi
  rm -f "$out"
  return "$rc"
}
