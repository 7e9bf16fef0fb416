#!/usr/bin/env bash
# The brand tool writes examples/copperwick's outline as the picture's alpha, and a
# language's own places in a layout resource of its own (the end-to-end design test reads
# the default's through the launcher).
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
. "$root/tests/scripts/checks.sh"
. "$root/scripts/lib/brand.sh"

decode() {  # a layout resource as numbers: the header, then one entry a line
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
version, flags, width, height, tenths, count, colour, shadow = struct.unpack_from("<6HII", data)
print(len(data), version, flags, f"{width}x{height}", tenths, count, f"{colour:06X}",
      f"{shadow:06X}", data[20:84].decode("utf-16-le").rstrip("\0"))
for n in range(count):
    print(*struct.unpack_from("<6H", data, 84 + 12 * n))
PY
}

cp -r "$root/examples/copperwick" "$work/brand"
brand_tool prepare "$work/brand" "$work/out" 2>"$work/stderr"
check "prepare: exit code" "0 " "$? $(cat "$work/stderr")"
outline_vs_alpha=$(python3 - "$work/out/outline.bmp" <(convert "$work/brand/picture.png" -alpha extract \
  -depth 8 gray:-) <<'PY'
import struct, sys
bmp, alpha = open(sys.argv[1], "rb").read(), open(sys.argv[2], "rb").read()
offset, (width, height) = struct.unpack_from("<I", bmp, 10)[0], struct.unpack_from("<ii", bmp, 18)
stride = (width + 31) // 32 * 4
bit = lambda x, y: bmp[offset + (height - 1 - y) * stride + x // 8] >> (7 - x % 8) & 1
print(sum(bit(x, y) != (alpha[y * width + x] >= 128) for y in range(height) for x in range(width)))
PY
)
check "the outline: set where the picture's alpha is 128 or more" 0 "$outline_vs_alpha"

printf '[places.ja-JP]\ninstall = 200,84 right\n' >>"$work/brand/brand.ini"
brand_tool prepare "$work/brand" "$work/out" 2>"$work/stderr"
check "a language's own places" "156 1 7 480x320 110 6 F6F0E8 0A0E12 Segoe UI
201 200 84 36 2 0" "$(decode "$work/out/layout.ja-JP.bin" | head -n 2)"
check "in the language's block" 'LANGUAGE 0x11, 0x01  // ja-JP
1011 RCDATA "layout.ja-JP.bin"' "$(grep -A1 'ja-JP$' "$work/out/launcher.rc")"

checks_summary
