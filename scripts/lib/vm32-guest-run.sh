# Runs inside the emulated machine, started by its first program with the host's share
# vm32ctl mounted on /vm32: mounts the checkout at its own path, runs the command in the
# caller's working folder with its output on the share, and leaves its exit code there.
share=$(cat /vm32/share)
# Cached: without the page cache, the emulated 9p device hands Wine short reads of large
# executables, and their code arrives as zeros. The host leaves the checkout alone meanwhile.
if [ -n "$share" ]; then
  mkdir -p "$share"
  if ! mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000,cache=loose vm32work "$share"; then
    echo "vm32: the checkout could not be mounted at $share" >/vm32/output
    echo 1 >/vm32/rc
    exit 0
  fi
fi
hostname vm32 2>/dev/null
# The image's ready-made 32-bit Wine prefix, which runs copy instead of making their own.
template=/var/lib/vm32/wine-prefix-win32
[ -f $template/system.reg ] && export LAUNCHER_WINE_PREFIX_TEMPLATE=$template
echo "vm32: running in the emulated machine ($(uname -m), $(nproc) processors): $(cat /vm32/command)" >/vm32/output
cd "$(cat /vm32/workdir)" &&
  env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin HOME=/root TERM=dumb LANG=C.UTF-8 \
    LAUNCHER_IN_VM32=1 ${LAUNCHER_WINE_PREFIX_TEMPLATE:+LAUNCHER_WINE_PREFIX_TEMPLATE=$template} bash -c "$(cat /vm32/command)" </dev/null >>/vm32/output 2>&1
echo $? >/vm32/rc.tmp
mv /vm32/rc.tmp /vm32/rc
sync
[ -z "$share" ] || umount "$share"
