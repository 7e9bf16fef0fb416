#!/usr/bin/env bash
# Which Windows build the scripts pick, given each answer the 32-bit probe can get, and
# what a Wine that can't start looks like to the user. Runs on any machine: /bin/true
# stands for a 32-bit program that runs, and an ELF file for a machine nobody has fails
# with "Exec format error", exactly as a 32-bit program does where the kernel runs none.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/arch.sh"
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
. "$root/tests/scripts/checks.sh"

foreign=$work/foreign-program
# A 64-byte ELF header for machine 0x3fff, which no kernel runs.
printf '\177ELF\002\001\001\000\000\000\000\000\000\000\000\000\002\000\377\077\001\000\000\000' >"$foreign"
head -c 40 /dev/zero >>"$foreign"
chmod +x "$foreign"

# probe program | LAUNCHER_ARCH | exit code | build chosen | words the user is told
choices=(
  "/bin/true|||win32|"
  "$foreign||0|win64|this machine runs no 32-bit programs ($foreign: Exec format error): testing the 64-bit build"
  "$work/absent||0|win64|this machine runs no 32-bit programs ($work/absent is not installed)"
  "/bin/true|win64|0|win64|LAUNCHER_ARCH=win64: testing the 64-bit build of the same source"
  "$foreign|win64|0|win64|LAUNCHER_ARCH=win64: testing the 64-bit build of the same source"
  "/bin/true|win32|0|win32|"
  "$foreign|win32|0|win32|LAUNCHER_ARCH=win32, but this machine runs no 32-bit programs ($foreign: Exec format error): testing the 32-bit build in the emulated machine"
  "/bin/true|win16|2||LAUNCHER_ARCH must be win32 or win64, not 'win16'"
)
for row in "${choices[@]}"; do
  IFS='|' read -r probe forced code arch words <<<"$row"
  out=$(
    LAUNCHER_PROBE_32BIT=$probe LAUNCHER_ARCH=$forced
    choose_windows_build testing 2>"$work/said"
    echo "$?|${LAUNCHER_ARCH:-}"
  )
  case=${probe##*/}/${forced:-unforced}
  check "$case: exit code and build" "${code:-0}|$arch" "$(if [ "${out%%|*}" = 0 ]; then echo "0|${out#*|}"; else echo "${out%%|*}|"; fi)"
  said=$(cat "$work/said")
  [ -n "$words" ] && said=${said:0:${#words}}
  check "$case: what the user is told" "$words" "$said"
done

# The scripts themselves: a forced 32-bit run where none can run goes to the emulated
# machine, and without an emulator ends at once with the reason, before anything is built.
out=$(cd "$work" && LAUNCHER_PROBE_32BIT=$foreign LAUNCHER_ARCH=win32 LAUNCHER_VM32_QEMU=$work/absent \
  timeout 120 "$root/scripts/run" 2>&1)
check "scripts/run forced to win32: exit code" 1 "$?"
check "scripts/run forced to win32: the reason" 1 "$(echo "$out" | grep -c "vm32: no emulator: $work/absent is not installed")"

# A Wine that can't start, and one whose last step of preparing a prefix fails: the test
# environment says which screen, step and command failed, with its output, exits non-zero
# and leaves no display running.
printf '#!/bin/sh\ncase "$*" in *Managed*) echo "reg: access denied"; exit 5 ;; esac\n' >"$work/wine-denied"
chmod +x "$work/wine-denied"
# Wine | what the user is told, line by line (;)
wines=(
  "$foreign|failed (exit code 126): $foreign wineboot -i;Exec format error;NOT ready: screen 24: preparing its Wine prefix failed (exit code 126)"
  "$work/wine-denied|failed (exit code 5): $work/wine-denied reg add HKCU\\Software\\Wine\\X11 Driver /v Managed;  | reg: access denied;NOT ready: screen 24: preparing its Wine prefix failed (exit code 5)"
)
for row in "${wines[@]}"; do
  IFS='|' read -r wine words <<<"$row"
  out=$(LAUNCHER_WINE=$wine timeout 120 "$root/scripts/test-env" up "$work/env" win64 2>&1)
  check "${wine##*/}: exit code" 1 "$?"
  IFS=';' read -r -a lines <<<"$words"
  for line in "${lines[@]}"; do check "${wine##*/}: says $line" 1 "$(echo "$out" | grep -c -m1 -F -- "$line")"; done
  check "${wine##*/}: no display left" "" "$(ls "$work/env"/xvfb*.pid 2>/dev/null)"
done

checks_summary
