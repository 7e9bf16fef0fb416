#!/usr/bin/env bash
# scripts/vm32's words on each way it can fail, with stand-ins for the emulator (absent,
# ending at once, never booting, never ending) and for the disk; that it leaves no process,
# mount or stale build behind, interrupted too, even while waiting for another run's build;
# that it removes no folder it shouldn't; and its image key.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/arch.sh"
. "$root/scripts/lib/display.sh"
. "$root/scripts/lib/vm32.sh"
work=$(mktemp -d) || exit 1
forget_work() { vm32_remove "$work"; }
trap forget_work EXIT
. "$root/tests/scripts/checks.sh"

# An emulator that boots (writes the line to its console file, named after -serial
# file:) and then never ends; one that says nothing. Each keeps a child, as QEMU does.
cat >"$work/hangs" <<'STUB'
#!/bin/sh
while [ $# -gt 0 ]; do [ "$1" = -serial ] && echo "vm32: booted" >"${2#file:}"; shift; done
sleep 600
STUB
printf '#!/bin/sh\nsleep 600\n' >"$work/silent"
chmod +x "$work/hangs" "$work/silent"
cache=$work/cache
fake_image() { (VM32_CACHE=$cache && vm32_make_cache && mkdir -p "$(vm32_image_dir)" && touch "$(vm32_image_dir)/disk.img"); }
fake_image
mkdir -p "$work/tmp" "$work/devices"
touch "$work/devices/kept"
# A build killed outright: its folder, with a folder of the host mounted inside as /dev;
# its number now another process's (ours).
mount_stale_build() { mkdir -p "$1.partial-$$/root/dev" && mount --bind "$work/devices" "$1.partial-$$/root/dev"; }
mount_stale_build "$work/empty/debian"

# case | environment | exit code | first words on standard error
cases=(
  "no emulator|LAUNCHER_VM32_QEMU=$work/absent|1|vm32: no emulator: $work/absent is not installed"
  "no disk space|LAUNCHER_VM32_QEMU=/bin/true LAUNCHER_VM32_CACHE=$work/empty LAUNCHER_VM32_SPACE_NEEDED_MB=999999999|1|vm32: no disk space: building the emulated machine's image needs 999999999 MB free in $work/empty, which has"
  "emulator ends at once|LAUNCHER_VM32_QEMU=/bin/false LAUNCHER_VM32_CACHE=$cache|1|vm32: the emulator ended before the machine booted (/bin/false)"
  "never boots|LAUNCHER_VM32_QEMU=$work/silent LAUNCHER_VM32_CACHE=$cache LAUNCHER_VM32_BOOT_SECONDS=2|1|vm32: the machine didn't boot within 2 s; its last console lines:"
  "never ends|LAUNCHER_VM32_QEMU=$work/hangs LAUNCHER_VM32_CACHE=$cache LAUNCHER_VM32_RUN_SECONDS=4|124|vm32: time limit passed: the run took more than 4 s"
  "cache with a quote|LAUNCHER_VM32_QEMU=/bin/true LAUNCHER_VM32_CACHE=$work/o'clock|2|vm32: LAUNCHER_VM32_CACHE may hold only letters, digits and . _ + - /, not: $work/o'clock"
  "no temporary folder|LAUNCHER_VM32_QEMU=$work/hangs LAUNCHER_VM32_CACHE=$cache TMPDIR=$work/absent|1|vm32: no temporary folder could be made in $work/absent"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name settings code words <<<"$row"
  # shellcheck disable=SC2086
  (cd "$root" && env $settings timeout 60 scripts/vm32 true) >/dev/null 2>"$work/said"
  check "$name: exit code" "$code" "$?"
  check "$name: what the user is told" "$words" "$(grep -v "booted in\|vm32: removing" "$work/said" | head -n 1 | cut -c1-${#words})"
  check "$name: nothing left running or behind" "" "$(pgrep -f "$work/(hangs|silent|tmp)"; ls "$work/tmp")"
done
check "a stopped build's folder and mount are cleared, what was mounted kept" "0 $work/devices/kept" \
  "$({ grep -c "$work/empty" /proc/self/mounts; ls "$work"/empty/*.partial-* "$work"/devices/*; } 2>/dev/null | paste -sd' ')"
mount_stale_build "$cache/debian"
check "--remove-image unmounts first" "0 $work/devices/kept" \
  "$({ LAUNCHER_VM32_CACHE=$cache "$root/scripts/vm32" --remove-image >/dev/null; grep -c "$work" /proc/self/mounts
    ls "$cache" "$work"/devices/*; } 2>/dev/null | paste -sd' ')"
fake_image
mkdir -p "$work/unmarked/debian" && (cd "$root" && LAUNCHER_VM32_CACHE=$work/unmarked scripts/vm32 --remove-image 2>/dev/null)
check "--remove-image refuses a folder the scripts didn't make" "1 debian" "$? $(ls -A "$work/unmarked")"
# Each removal refuses an empty, relative or top-level folder; rm and umount only say what they'd do.
remove_cache_in() { VM32_CACHE=$1 vm32_remove_cache; }
for folder in "" relative/dir / /var/ "$work/.."; do
  for helper in vm32_unmount_under vm32_remove remove_cache_in; do
    (rm() { echo "rm $*"; }; umount() { echo "umount $*"; }; "$helper" "$folder") >"$work/acted" 2>"$work/said"
    check "$helper '$folder' refused" "1 1" "$? $(wc -l <"$work/said")$(cat "$work/acted")"
  done
done

# Ctrl-C (job control leaves the run's SIGINT alone, as a terminal's does) and SIGTERM.
set -m
for row in INT:130 TERM:143; do
  (cd "$root" && LAUNCHER_VM32_QEMU=$work/hangs LAUNCHER_VM32_CACHE=$cache TMPDIR=$work/tmp exec scripts/vm32 true) 2>/dev/null &
  wait_for 30 pgrep -f "$work/hangs"
  kill -"${row%:*}" $!
  wait $!
  check "SIG${row%:*}: exit code" "${row#*:}" "$?"
  check "SIG${row%:*}: nothing left running or behind" "" "$(pgrep -f "$work/(hangs|tmp)"; ls "$work/tmp")"
done
# SIGTERM while another run holds the build lock (this shell, on fd 8) is acted on at once.
mkdir -p "$work/locked" && exec 8>"$work/locked/.build-lock" && flock 8
(cd "$root" && LAUNCHER_VM32_QEMU=/bin/true LAUNCHER_VM32_CACHE=$work/locked LAUNCHER_VM32_RUN_SECONDS=20 exec scripts/vm32 true) 2>/dev/null 8>&- &
wait_for 30 pgrep -P $! -x flock
waiter=$(pgrep -P $! -x flock) started=$(date +%s%N)
kill -TERM $!
wait $!
check "SIGTERM waiting for the lock: exit code, within 2 s, its wait ended" "143 yes no" \
  "$? $([ $(($(date +%s%N) - started)) -lt 2000000000 ] && echo yes) $(kill -0 "$waiter" 2>/dev/null && echo still || echo no)"
exec 8>&-
set +m

(cd / && "$root/scripts/vm32" true) 2>"$work/said"
check "outside the checkout: exit code" 2 "$?"

key=$(vm32_image_key)
check "the image key is stable" "$key" "$(vm32_image_key)"
VM32_PACKAGES="$VM32_PACKAGES less"
check "the image key changes with the package list" yes "$([ "$(vm32_image_key)" != "$key" ] && echo yes)"
checks_summary
