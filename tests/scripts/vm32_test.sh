#!/usr/bin/env bash
# scripts/vm32's words on each way it can fail, with stand-ins for the emulator (absent,
# ending at once, never booting, never ending) and for the disk, and its image key.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/arch.sh"
. "$root/scripts/lib/vm32.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$root/tests/scripts/checks.sh"

# An emulator that boots (writes the line to its console file, named after -serial
# file:) and then never ends; one that says nothing.
cat >"$work/hangs" <<'STUB'
#!/bin/sh
while [ $# -gt 0 ]; do [ "$1" = -serial ] && echo "vm32: booted" >"${2#file:}"; shift; done
exec sleep 600
STUB
printf '#!/bin/sh\nexec sleep 600\n' >"$work/silent"
chmod +x "$work/hangs" "$work/silent"
cache=$work/cache
mkdir -p "$(LAUNCHER_VM32_CACHE=$cache; VM32_CACHE=$cache; vm32_image_dir)"
touch "$(VM32_CACHE=$cache; vm32_image_dir)/disk.img"

# case | environment | exit code | first words on standard error
cases=(
  "no emulator|LAUNCHER_VM32_QEMU=$work/absent|1|vm32: no emulator: $work/absent is not installed"
  "no disk space|LAUNCHER_VM32_QEMU=/bin/true LAUNCHER_VM32_CACHE=$work/empty LAUNCHER_VM32_SPACE_NEEDED_MB=999999999|1|vm32: no disk space: building the emulated machine's image needs 999999999 MB free in $work/empty, which has"
  "emulator ends at once|LAUNCHER_VM32_QEMU=/bin/false LAUNCHER_VM32_CACHE=$cache|1|vm32: the emulator ended before the machine booted (/bin/false)"
  "never boots|LAUNCHER_VM32_QEMU=$work/silent LAUNCHER_VM32_CACHE=$cache LAUNCHER_VM32_BOOT_SECONDS=2|1|vm32: the machine didn't boot within 2 s; its last console lines:"
  "never ends|LAUNCHER_VM32_QEMU=$work/hangs LAUNCHER_VM32_CACHE=$cache LAUNCHER_VM32_RUN_SECONDS=4|124|vm32: time limit passed: the run took more than 4 s"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name settings code words <<<"$row"
  # shellcheck disable=SC2086
  (cd "$root" && env $settings timeout 60 scripts/vm32 true) >/dev/null 2>"$work/said"
  check "$name: exit code" "$code" "$?"
  check "$name: what the user is told" "$words" "$(grep -v "booted in" "$work/said" | head -n 1 | cut -c1-${#words})"
  check "$name: no emulator left running" "" "$(pgrep -f "$work/(hangs|silent)" || true)"
done

(cd / && "$root/scripts/vm32" true) 2>"$work/said"
check "outside the checkout: exit code" 2 "$?"

key=$(vm32_image_key)
check "the image key is stable" "$key" "$(vm32_image_key)"
VM32_PACKAGES="$VM32_PACKAGES less"
check "the image key changes with the package list" yes "$([ "$(vm32_image_key)" != "$key" ] && echo yes)"
checks_summary
