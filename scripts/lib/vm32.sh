# The emulated machine that runs 32-bit programs, for machines that run none themselves:
# a small Debian built from Debian's packages with the 32-bit Wine, booted under QEMU's
# full-system emulation of an x86-64 PC (no KVM needed). Needs arch.sh and display.sh.
#
# Its disk image is built once and kept in $VM32_CACHE under a key made from what goes into
# it; it is built under a temporary name and renamed when complete, so a partly built image
# is never booted. Every boot writes to a throw-away layer over it.

VM32_CACHE=${LAUNCHER_VM32_CACHE:-/var/cache/launcher-vm32}
# Written in the cache folder when the scripts make it: --remove-image removes no other.
VM32_CACHE_MARK=.made-by-launcher-vm32
VM32_QEMU=${LAUNCHER_VM32_QEMU:-qemu-system-x86_64}
VM32_SUITE=bookworm
# What the machine holds: the 64-bit kernel to boot, the 32-bit Wine, a display and the
# tools the end-to-end tests drive and check it with, CTest to run them, and what make-disc
# measures a design's drawn labels with (Pillow, DejaVu) and Wine writes Japanese ones in.
VM32_PACKAGES="linux-image-amd64 kmod wine wine32:i386 wine64 xvfb x11-utils xdotool imagemagick
  icoutils python3 cmake make xorriso osslsigncode openssl procps python3-pil fonts-dejavu-core
  fonts-vlgothic"
# The disk is sparse: this is what the emulated machine sees, not what it takes.
VM32_DISK_SIZE=6G
# Free space needed while the image is built: the root tree and the image beside it.
VM32_SPACE_NEEDED_MB=${LAUNCHER_VM32_SPACE_NEEDED_MB:-7000}
VM32_BOOT_SECONDS=${LAUNCHER_VM32_BOOT_SECONDS:-300}
VM32_RUN_SECONDS=${LAUNCHER_VM32_RUN_SECONDS:-3600}
# The first program the kernel starts: it mounts the share that holds the run's own
# script and runs that, so that what a run does can change without a new image.
VM32_INIT=/sbin/vm32-init

vm32_first_init() {
  cat <<'INIT'
#!/bin/sh
# Started by the kernel: brings up the file systems, says it booted and hands over to the
# run's own script, which the host put on the share tagged vm32ctl. Powers off after.
PATH=/usr/sbin:/usr/bin:/sbin:/bin
export PATH
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
echo "vm32: booted" >/dev/console
modprobe 9pnet_virtio 2>/dev/null
modprobe 9p 2>/dev/null
mkdir -p /vm32
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000 vm32ctl /vm32; then
  sh /vm32/guest-run
else
  echo "vm32: the host's share vm32ctl could not be mounted" >/dev/console
fi
sync
echo o >/proc/sysrq-trigger
sleep 30
INIT
}

# The only drivers the machine's first boot stage needs: its disk and file system. Listing
# them, instead of Debian's "most", makes the kernel's install minutes shorter.
VM32_BOOT_MODULES="virtio_pci virtio_blk ext4"

# A 32-bit Wine prefix made once, in the machine, when its image is built: its first start
# takes minutes under emulation. Runs copy it (see prepare_prefix_without_window_manager).
VM32_WINE_PREFIX=/var/lib/vm32/wine-prefix-win32

vm32_prepare_wine_prefix() {
  cat <<PREPARE
set -ex
Xvfb :9 -nolisten tcp >/dev/null 2>&1 &
for wait in \$(seq 100); do xdpyinfo -display :9 >/dev/null 2>&1 && break; sleep 0.2; done
export DISPLAY=:9 WINEPREFIX=$VM32_WINE_PREFIX WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
rm -rf \$WINEPREFIX
mkdir -p \$(dirname \$WINEPREFIX)
# Wine waits at most 5 minutes for a new prefix's first boot and then starts the program
# anyway, which fails (exit 53: its DLLs aren't in place yet); under a loaded emulation the
# boot takes longer, but carries on to the end. What counts is the finished prefix.
wine wineboot -i || echo "vm32: wineboot -i ended with \$?; waiting for the prefix's boot to finish"
wineserver -w
test -f \$WINEPREFIX/system.reg
test -f \$WINEPREFIX/drive_c/windows/system32/user32.dll
wine reg add 'HKCU\\Software\\Wine\\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
wine reg add 'HKCU\\Software\\Wine\\X11 Driver' /v Managed /t REG_SZ /d N /f
wineserver -w
test -f \$WINEPREFIX/system.reg
PREPARE
}

# The image's key: every input that decides what the image holds.
vm32_image_key() {
  { echo "$VM32_SUITE"; echo $VM32_PACKAGES; echo "$VM32_DISK_SIZE"; echo "$VM32_BOOT_MODULES"
    vm32_first_init; vm32_prepare_wine_prefix; } |
    sha256sum | cut -c1-16
}

vm32_image_dir() { echo "$VM32_CACHE/debian-$VM32_SUITE-$(vm32_image_key)"; }

# Makes the cache folder, marked as made by the scripts only where they make it.
vm32_make_cache() {
  [ -d "$VM32_CACHE" ] || { mkdir -p "$VM32_CACHE" && : >"$VM32_CACHE/$VM32_CACHE_MARK"; }
}

# Free space in megabytes where the image is built.
vm32_free_mb() {
  vm32_make_cache && df -Pm "$VM32_CACHE" | awk 'NR == 2 { print $4 }'
}

# Fails, saying why, unless the emulator can be started; installs Debian's QEMU first where
# the default one is missing and we may.
vm32_require_emulator() {
  if [ -z "${LAUNCHER_VM32_QEMU:-}" ] && ! command -v "$VM32_QEMU" >/dev/null 2>&1 && [ "$(id -u)" = 0 ]; then
    echo "vm32: installing QEMU and debootstrap from Debian's packages..." >&2
    DEBIAN_FRONTEND=noninteractive run_explained apt-get install -y -qq --no-install-recommends \
      qemu-system-x86 debootstrap e2fsprogs || true
  fi
  if ! command -v "$VM32_QEMU" >/dev/null 2>&1; then
    echo "vm32: no emulator: $VM32_QEMU is not installed (Debian's package qemu-system-x86)" >&2
    return 1
  fi
}

# One step of the image build, by name; on failure says which step and its last lines.
vm32_step() {
  local name=$1 log=$VM32_BUILD_WORK/step.log rc=0
  shift
  echo "vm32: image: $name" >&2
  # In the background, so that a signal reaches the script's trap at once.
  "$@" >"$log" 2>&1 </dev/null &
  VM32_PROCESSES+=($!)
  wait $! || rc=$?
  vm32_forget $!
  if [ "$rc" != 0 ]; then
    {
      echo "vm32: building the image failed at step '$name' ($*):"
      tail -n 15 "$log" | sed 's/^/  | /'
    } >&2
    return 1
  fi
}

# Runs a command inside root tree $1 with /proc, /sys and /dev of the host mounted there.
vm32_in_root() {
  local root=$1 rc
  shift
  mount -t proc proc "$root/proc" && mount -t sysfs sysfs "$root/sys" && mount --bind /dev "$root/dev" ||
    { vm32_unmount_under "$root"; return 1; }
  chroot "$root" env DEBIAN_FRONTEND=noninteractive LC_ALL=C "$@"
  rc=$?
  vm32_unmount_under "$root"
  return $rc
}

# Refuses, in one line, a folder whose removal would take far more than a build's: an
# empty or relative one, /, or one directly under / (as the link or .. it may be written with).
vm32_removable() {
  case $1 in
    /*) case $(realpath -m -- "$1") in /*/*) return 0 ;; esac ;;
  esac
  echo "vm32: refusing to unmount or remove '$1': an empty, relative or top-level folder" >&2
  return 1
}

# Unmounts whatever is mounted at or below folder $1, the deepest first.
vm32_unmount_under() {
  local point
  vm32_removable "$1" || return 1
  awk -v dir="$1" '$2 == dir || index($2, dir "/") == 1 { print $2 }' /proc/self/mounts | sort -r |
    while read -r point; do umount -l "$point" || echo "vm32: could not unmount $point" >&2; done
}

# Removes folder $1 and all in it, never what is mounted inside (a build's /dev is the
# host's): unmounted first, and the removal stays on the folder's own file system.
vm32_remove() {
  vm32_unmount_under "$1" || return 1
  rm -rf --one-file-system "$1"
}

# Every process the scripts start, stopped by vm32_stop_processes on any way out.
VM32_PROCESSES=()

# A process and all below it: a build step's chroot and apt-get run under a subshell.
vm32_process_tree() {
  local child
  for child in $(pgrep -P "$1"); do vm32_process_tree "$child"; done
  echo "$1"
}

vm32_stop_processes() {
  local pid pids=()
  for pid in "${VM32_PROCESSES[@]}"; do pids+=($(vm32_process_tree "$pid")); done
  VM32_PROCESSES=()
  [ ${#pids[@]} = 0 ] && return 0
  kill -TERM "${pids[@]}" 2>/dev/null
  wait_for 5 vm32_all_ended "${pids[@]}" || kill -KILL "${pids[@]}" 2>/dev/null
  wait "${pids[@]}" 2>/dev/null
  return 0
}
vm32_all_ended() { ! kill -0 "$@" 2>/dev/null; }
vm32_forget() {
  local pid kept=()
  for pid in "${VM32_PROCESSES[@]}"; do [ "$pid" = "$1" ] || kept+=("$pid"); done
  VM32_PROCESSES=("${kept[@]}")
}

# The folder of the image build under way, removed (mounts first) if it doesn't complete.
VM32_BUILD_WORK=""
vm32_discard_build() {
  [ -n "$VM32_BUILD_WORK" ] && vm32_remove "$VM32_BUILD_WORK"
  VM32_BUILD_WORK=""
}

# A build killed outright (out of memory, SIGKILL) leaves its folder of several GB behind,
# perhaps with the host's /dev still mounted in it. Called under the build lock, which every
# build holds to its end: any such folder there is stale, whatever now runs under its number.
vm32_clear_stale_builds() {
  local work
  for work in "$VM32_CACHE"/*.partial-*; do
    [ -d "$work" ] || continue
    echo "vm32: removing $work, left by a build that was stopped" >&2
    vm32_remove "$work"
  done
}

# Refuses a cache folder QEMU couldn't be given: it reads a comma as the end of a path,
# and the build's mount table escapes spaces. A relative one is made absolute, as the
# removals take no other.
vm32_check_cache() {
  [ "${VM32_CACHE#/}" != "$VM32_CACHE" ] || VM32_CACHE=$PWD/$VM32_CACHE
  case $VM32_CACHE in
    *[!A-Za-z0-9._/+-]*)
      echo "vm32: LAUNCHER_VM32_CACHE may hold only letters, digits and . _ + - /, not: $VM32_CACHE" >&2
      return 2 ;;
  esac
}

# Removes the image cache (scripts/vm32 --remove-image), unless a build is under way or the
# scripts didn't make the folder: LAUNCHER_VM32_CACHE may name one that holds much more.
vm32_remove_cache() {
  vm32_removable "$VM32_CACHE" || return 1
  [ -d "$VM32_CACHE" ] || { echo "vm32: no image cache in $VM32_CACHE"; return 0; }
  [ -f "$VM32_CACHE/$VM32_CACHE_MARK" ] || {
    echo "vm32: not removing $VM32_CACHE: no $VM32_CACHE_MARK in it, so these scripts didn't make it" >&2
    return 1
  }
  (
    flock -n 9 || { echo "vm32: an image is being built in $VM32_CACHE; remove it when that ends" >&2; exit 1; }
    vm32_remove "$VM32_CACHE" && echo "vm32: removed $VM32_CACHE"
  ) 9>"$VM32_CACHE/.build-lock"
}

# The host's own Debian sources, so the machine gets the same Wine as this one.
vm32_debian_mirror() {
  local uri
  uri=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -v security | head -n 1)
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $3 !~ /security/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null)
  echo "$uri"
}

vm32_build_image() {
  local dir=$1 work=$1.partial-$$ root mirror free
  free=$(vm32_free_mb) || free=0
  if [ "${free:-0}" -lt "$VM32_SPACE_NEEDED_MB" ]; then
    echo "vm32: no disk space: building the emulated machine's image needs ${VM32_SPACE_NEEDED_MB} MB free in $VM32_CACHE, which has ${free:-0} MB" >&2
    return 1
  fi
  mirror=$(vm32_debian_mirror)
  if [ -z "$mirror" ]; then
    echo "vm32: no Debian package source configured on this machine (/etc/apt)" >&2
    return 1
  fi
  echo "vm32: building the emulated machine's image in $dir (once; about 10 minutes)" >&2
  root=$work/root
  VM32_BUILD_WORK=$work
  vm32_remove "$work"
  mkdir -p "$root" || return 1
  vm32_step "debootstrap $VM32_SUITE" debootstrap --variant=minbase "$VM32_SUITE" "$root" "$mirror" ||
    return 1
  cp /etc/apt/sources.list "$root/etc/apt/" 2>/dev/null
  cp /etc/apt/sources.list.d/*.sources "$root/etc/apt/sources.list.d/" 2>/dev/null
  mkdir -p "$root/etc/initramfs-tools/conf.d" "$root/usr/share/initramfs-tools/modules.d"
  echo "MODULES=list" >"$root/etc/initramfs-tools/conf.d/vm32"
  printf '%s\n' $VM32_BOOT_MODULES >"$root/usr/share/initramfs-tools/modules.d/vm32"
  vm32_step "add the i386 architecture" vm32_in_root "$root" dpkg --add-architecture i386 &&
    vm32_step "apt-get update" vm32_in_root "$root" apt-get update &&
    # shellcheck disable=SC2086
    vm32_step "install the packages" vm32_in_root "$root" apt-get install -y --no-install-recommends $VM32_PACKAGES &&
    vm32_step "clean the package cache" vm32_in_root "$root" apt-get clean || return 1
  rm -rf --one-file-system "$root"/var/lib/apt/lists/*
  vm32_first_init >"$root$VM32_INIT" && chmod 755 "$root$VM32_INIT"
  cp "$root"/boot/vmlinuz-* "$work/vmlinuz" && cp "$root"/boot/initrd.img-* "$work/initrd.img" ||
    { echo "vm32: building the image failed: no kernel or initrd in $root/boot" >&2; return 1; }
  vm32_step "make the disk image" mke2fs -q -F -t ext4 -d "$root" -L vm32 "$work/disk.img" "$VM32_DISK_SIZE" ||
    return 1
  vm32_remove "$root"
  echo "vm32: image: prepare a 32-bit Wine prefix (boots the machine)" >&2
  mkdir -p "$work/prepare"
  vm32_prepare_wine_prefix >"$work/prepare/command"
  if ! vm32_run_machine "$work" "$work/prepare" "" / off >"$work/prepare/said" 2>&1; then
    {
      echo "vm32: building the image failed at step 'prepare a 32-bit Wine prefix':"
      tail -n 15 "$work/prepare/said" | sed 's/^/  | /'
    } >&2
    return 1
  fi
  rm -rf --one-file-system "$work/prepare"
  mv -T "$work" "$dir" || return 1
  VM32_BUILD_WORK=""
  echo "vm32: image ready: $dir ($(du -sh "$dir" | cut -f1) on disk)" >&2
}

# Sets VM32_IMAGE to the folder of a complete image, building it first where there is none.
# Runs that start together build it once: the others wait for it. Not in a subshell, so
# that the caller's exit trap reaches a build's processes and mounts.
vm32_image() {
  local rc=0 waiter
  VM32_IMAGE=$(vm32_image_dir)
  [ -f "$VM32_IMAGE/disk.img" ] && return 0
  vm32_make_cache && exec 9>"$VM32_CACHE/.build-lock" || return 1
  # In the background, so that a signal reaches the script's trap at once, not when the
  # wait ends; the lock is on the file the shell opened, so it outlives flock.
  flock -w "$VM32_RUN_SECONDS" 9 </dev/null &
  waiter=$!
  VM32_PROCESSES+=("$waiter")
  wait "$waiter" || rc=1
  vm32_forget "$waiter"
  if [ "$rc" != 0 ]; then
    echo "vm32: another run's image build took more than $VM32_RUN_SECONDS s" >&2
  else
    vm32_clear_stale_builds
    [ -f "$VM32_IMAGE/disk.img" ] || vm32_build_image "$VM32_IMAGE" || rc=1
    vm32_discard_build
  fi
  exec 9>&-
  return $rc
}

# Boots the machine of image folder $1 with run folder $2 as its share vm32ctl, where the
# command to run is the file "command"; $3 is the folder shared at its own path (none if
# empty), $4 the working folder, $5 "on" for a throw-away layer over the disk or "off" to
# keep what the run writes. Shows the command's output as it runs; returns its exit code,
# or says why there is none (1), or that the time limit passed (124).
vm32_run_machine() {
  local image=$1 run=$2 share=$3 workdir=$4 snapshot=$5 started qemu_pid rc=0
  printf '%s\n' "$share" >"$run/share"
  printf '%s\n' "$workdir" >"$run/workdir"
  cp "$(dirname "${BASH_SOURCE[0]}")/vm32-guest-run.sh" "$run/guest-run"
  : >"$run/output"
  rm -f "$run/rc" "$run/console"
  local shares=(-virtfs "local,path=$run,mount_tag=vm32ctl,security_model=none")
  [ -z "$share" ] || shares+=(-virtfs "local,path=$share,mount_tag=vm32work,security_model=none")
  started=$(date +%s)
  # smap=off: QEMU 7.2's emulation of SMAP faults Wine's return to 32-bit program code.
  "$VM32_QEMU" -accel tcg -cpu max,smap=off -smp 2 -m 3G -nodefaults -display none -no-reboot \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
    -append "root=/dev/vda rw console=ttyS0 quiet init=$VM32_INIT" \
    -drive "file=$image/disk.img,format=raw,if=virtio,snapshot=$snapshot" \
    "${shares[@]}" -serial "file:$run/console" </dev/null >"$run/qemu.log" 2>&1 9>&- &
  qemu_pid=$!
  VM32_PROCESSES+=("$qemu_pid")
  tail -n +1 -f "$run/output" 9>&- &
  VM32_PROCESSES+=($!)
  vm32_watch_machine "$run" "$qemu_pid" "$started" || rc=$?
  sleep 0.5  # the last lines of output still on their way through tail
  vm32_stop_processes
  return $rc
}

# What the machine printed last, for the failure reports.
vm32_console_tail() { tail -n 15 "$1/console" 2>/dev/null | tr -d '\r' | sed 's/^/  | /'; }

# Waits for machine $2 of run folder $1, started at $3, to boot and then to end.
vm32_watch_machine() {
  local run=$1 pid=$2 started=$3
  vm32_booted() { grep -q "vm32: booted" "$run/console" 2>/dev/null || ! kill -0 "$pid" 2>/dev/null; }
  vm32_ended() { ! kill -0 "$pid" 2>/dev/null; }
  if ! wait_for "$VM32_BOOT_SECONDS" vm32_booted || ! grep -q "vm32: booted" "$run/console" 2>/dev/null; then
    {
      if kill -0 "$pid" 2>/dev/null; then
        echo "vm32: the machine didn't boot within $VM32_BOOT_SECONDS s; its last console lines:"
      else
        echo "vm32: the emulator ended before the machine booted ($VM32_QEMU); its words and the last console lines:"
        tail -n 5 "$run/qemu.log" | sed 's/^/  | /'
      fi
      vm32_console_tail "$run"
    } >&2
    return 1
  fi
  echo "vm32: booted in $(($(date +%s) - started)) s" >&2
  if ! wait_for "$((VM32_RUN_SECONDS - ($(date +%s) - started)))" vm32_ended; then
    echo "vm32: time limit passed: the run took more than $VM32_RUN_SECONDS s; its last console lines:" >&2
    vm32_console_tail "$run" >&2
    return 124
  fi
  if [ ! -f "$run/rc" ]; then
    { echo "vm32: the machine stopped without the command's exit code; its last console lines:"; vm32_console_tail "$run"; } >&2
    return 1
  fi
  echo "vm32: the command ended with exit code $(cat "$run/rc") after $(($(date +%s) - started)) s in the emulated machine" >&2
  return "$(cat "$run/rc")"
}
