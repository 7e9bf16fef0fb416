#!/usr/bin/env python3
"""Verify the committed launcher bitmaps, sounds and icon.

Standard library only, so it runs anywhere the test suite runs.  The layout
constants are restated here on purpose rather than imported from the
generator: a mistake in one place then shows up as a failure.  The buttons'
places are the launcher's own, read from buttons/button_places.def.
Usage: python3 tools/check_assets.py [RESOURCES_DIR]
"""

import struct
import sys
from pathlib import Path

from button_places import BUTTON_PLACES

PICTURE = 360
FACE_WIDTH, FACE_HEIGHT, FRAME = 127, 43, 42
FRAME_XS = (0, 42, 84)   # normal, highlighted, pressed
CORNER_INDEX = 7
STANDARD_COLOURS = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (128, 128, 128),
    (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK_WHITE = [(0, 0, 0), (255, 255, 255)]

# name: (width, height, bits, biClrUsed, biClrImportant, table entries, DIB bytes)
BITMAPS = {
    "background.bmp": (360, 360, 8, 256, 256, 256, 130664),
    "mask.bmp": (127, 43, 1, 2, 0, 2, 736),
    **{f"face{n}.bmp": (127, 43, 8, 0, 0, 256, 6568) for n in BUTTON_PLACES},
    # The same art at twice the size, for high-DPI screens.
    "background@2x.bmp": (720, 720, 8, 256, 256, 256, 519464),
    "mask@2x.bmp": (254, 86, 1, 2, 0, 2, 2800),
    **{f"face{n}@2x.bmp": (254, 86, 8, 0, 0, 256, 23080) for n in BUTTON_PLACES},
}

# name: (rate, bits, frames, file bytes, extra chunks after the data)
SOUNDS = {
    "press.wav": (8000, 16, 503, 1050, []),
    "release.wav": (8000, 16, 671, 1386, []),
    "highlight.wav": (22050, 16, 22126, 44296, []),
    "open.wav": (22050, 8, 52310, 52472, [(b"JUNK", 34), (b"PAD ", 68)]),
    "ready.wav": (22050, 16, 14154, 28352, []),
    "close.wav": (22050, 8, 52310, 52354, []),
}

# (width, height, colour count, bit count, bytes) in file order
ICON_IMAGES = [(32, 32, 16, 4, 744), (16, 16, 2, 1, 176), (16, 16, 16, 4, 296)]


class AssetError(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise AssetError(message)


# ---------------------------------------------------------------------------
# Bitmaps

def read_dib_header(dib, name):
    expect(len(dib) >= 40, f"{name}: DIB shorter than its header")
    fields = struct.unpack_from("<IiiHHIIiiII", dib, 0)
    keys = ("size", "width", "height", "planes", "bits", "compression", "image_bytes",
            "x_ppm", "y_ppm", "clr_used", "clr_important")
    return dict(zip(keys, fields))


def row_bytes(width, bits):
    return ((width * bits + 31) // 32) * 4


def read_colour_table(data, offset, count, name):
    table = []
    for i in range(count):
        b, g, r, reserved = data[offset + 4 * i: offset + 4 * i + 4]
        expect(reserved == 0, f"{name}: colour {i} has a non-zero reserved byte")
        table.append((r, g, b))
    return table


def unpack_rows(data, offset, width, height, bits):
    """Palette indices as display rows (top row first) from bottom-up rows."""
    stride = row_bytes(width, bits)
    rows = []
    for stored in range(height):
        start = offset + stored * stride
        raw = data[start:start + stride]
        if bits == 8:
            row = list(raw[:width])
        elif bits == 4:
            row = [(raw[x // 2] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(width)]
        else:
            row = [(raw[x // 8] >> (7 - x % 8)) & 1 for x in range(width)]
        rows.append(row)
    rows.reverse()
    return rows


def load_bitmap(path):
    """Check a .bmp's headers and sizes; return (colour table, display rows)."""
    name = path.name
    width, height, bits, clr_used, clr_important, entries, dib_bytes = BITMAPS[name]
    data = path.read_bytes()
    expect(data[:2] == b"BM", f"{name}: does not start with BM")
    file_size, _, _, pixel_offset = struct.unpack_from("<IHHI", data, 2)
    expect(file_size == len(data), f"{name}: bfSize {file_size} but file has {len(data)} bytes")
    dib = data[14:]
    expect(len(dib) == dib_bytes, f"{name}: DIB is {len(dib)} bytes, must be {dib_bytes}")
    h = read_dib_header(dib, name)
    pixel_bytes = row_bytes(width, bits) * height
    wanted = {"size": 40, "width": width, "height": height, "planes": 1, "bits": bits,
              "compression": 0, "clr_used": clr_used, "clr_important": clr_important}
    for key, value in wanted.items():
        expect(h[key] == value, f"{name}: {key} is {h[key]}, must be {value}")
    expect(h["image_bytes"] in (0, pixel_bytes),
           f"{name}: biSizeImage {h['image_bytes']} is neither 0 nor {pixel_bytes}")
    for key in ("x_ppm", "y_ppm"):
        expect(h[key] in (0, 2835), f"{name}: {key} is {h[key]}")
    expect(pixel_offset == 14 + 40 + 4 * entries,
           f"{name}: bfOffBits {pixel_offset} does not point past the colour table")
    table = read_colour_table(dib, 40, entries, name)
    return table, unpack_rows(dib, 40 + 4 * entries, width, height, bits)


def check_shared_palette(table):
    expect(len(table) == 256, "background.bmp: colour table must have 256 entries")
    expect(table[:16] == STANDARD_COLOURS,
           "background.bmp: entries 0-15 are not the 16 standard colours in order")
    blacks = [i for i, c in enumerate(table) if c == (0, 0, 0)]
    expect(blacks == [0], f"background.bmp: black appears at entries {blacks}, only 0 allowed")
    expect(len(set(table)) == 256, "background.bmp: colour table has repeated colours")


def is_transparent_in_mask(x, y, k=1):
    """White in the mask: each frame's top row and left column, plus the
    column and row that belong to no frame (k of each at k times the size)."""
    x, y = x // k, y // k
    if x == FACE_WIDTH - 1 or y == FACE_HEIGHT - 1 or y == 0:
        return True
    return x in FRAME_XS


def check_mask(table, rows, k=1):
    expect(table == BLACK_WHITE, "mask: colour table must be black then white")
    for y, row in enumerate(rows):
        for x, value in enumerate(row):
            want = 1 if is_transparent_in_mask(x, y, k) else 0
            expect(value == want, f"mask (x{k}): pixel ({x},{y}) is {value}, must be {want}")


def check_picture(rows, k=1):
    centre, reach = 180 * k, 181.0 * k
    for y, row in enumerate(rows):
        for x, value in enumerate(row):
            outside = (x + 0.5 - centre) ** 2 + (y + 0.5 - centre) ** 2 > reach ** 2
            if outside:
                expect(value == CORNER_INDEX,
                       f"picture (x{k}): corner pixel ({x},{y}) is {value}, must be 7")
    used = {value for row in rows for value in row}
    expect(len(used) >= 100, f"picture (x{k}): only {len(used)} colours used; art collapsed?")


def frame_pixels(rows, frame_x, k=1):
    return [row[(frame_x + 1) * k:(frame_x + FRAME) * k] for row in rows[k:FRAME * k]]


def check_face(name, button, rows, picture_rows, k=1):
    for y, row in enumerate(rows):
        for x, value in enumerate(row):
            if is_transparent_in_mask(x, y, k):
                expect(value == 0, f"{name}: pixel ({x},{y}) under the mask's white is "
                                   f"{value}, must be 0")
    bx, by = BUTTON_PLACES[button]
    for j in range(k, FRAME * k):
        for i in range(k, FRAME * k):
            face_value, picture_value = rows[j][i], picture_rows[by * k + j][bx * k + i]
            expect(face_value == picture_value,
                   f"{name}: normal frame pixel ({i},{j}) is {face_value} but the picture "
                   f"at ({bx * k + i},{by * k + j}) is {picture_value}")
    normal = frame_pixels(rows, FRAME_XS[0], k)
    for label, frame_x in (("highlighted", FRAME_XS[1]), ("pressed", FRAME_XS[2])):
        expect(frame_pixels(rows, frame_x, k) != normal,
               f"{name}: {label} frame is identical to the normal frame")


def check_bitmaps(folder):
    palette, _ = load_bitmap(folder / "background.bmp")
    check_shared_palette(palette)
    # The art at twice the size holds the same layout, k pixels for each, in the same palette.
    for k, suffix in ((1, ""), (2, "@2x")):
        table, picture = load_bitmap(folder / f"background{suffix}.bmp")
        expect(table == palette, f"background{suffix}.bmp: colour table differs from background.bmp's")
        check_picture(picture, k)
        mask_table, mask_rows = load_bitmap(folder / f"mask{suffix}.bmp")
        check_mask(mask_table, mask_rows, k)
        for button in BUTTON_PLACES:
            name = f"face{button}{suffix}.bmp"
            table, rows = load_bitmap(folder / name)
            expect(table == palette, f"{name}: colour table differs from background.bmp's")
            check_face(name, button, rows, picture, k)


# ---------------------------------------------------------------------------
# Sounds

def check_sound(path):
    name = path.name
    rate, bits, frames, file_bytes, extra = SOUNDS[name]
    data = path.read_bytes()
    expect(len(data) == file_bytes, f"{name}: {len(data)} bytes, must be {file_bytes}")
    riff, riff_size, wave = struct.unpack_from("<4sI4s", data, 0)
    expect(riff == b"RIFF" and wave == b"WAVE", f"{name}: not a RIFF WAVE file")
    expect(riff_size == len(data) - 8, f"{name}: RIFF size {riff_size} != file size - 8")
    fmt_id, fmt_size, tag, channels, fmt_rate, avg, align, fmt_bits = \
        struct.unpack_from("<4sIHHIIHH", data, 12)
    block = bits // 8
    expect(fmt_id == b"fmt " and fmt_size == 16, f"{name}: no 16-byte fmt chunk at byte 12")
    expect((tag, channels) == (1, 1), f"{name}: must be PCM (tag 1) mono")
    expect((fmt_rate, fmt_bits) == (rate, bits),
           f"{name}: {fmt_rate} Hz {fmt_bits}-bit, must be {rate} Hz {bits}-bit")
    expect((avg, align) == (rate * block, block), f"{name}: wrong byte rate or block align")
    data_id, data_size = struct.unpack_from("<4sI", data, 36)
    expect(data_id == b"data", f"{name}: data chunk must start at byte 36")
    expect(data_size == frames * block, f"{name}: {data_size // block} frames, must be {frames}")
    check_extra_chunks(name, data, 44 + data_size, extra)
    check_levels(name, decode_samples(data[44:44 + data_size], bits))


def check_extra_chunks(name, data, offset, extra):
    for chunk_id, size in extra:
        found_id, found_size = struct.unpack_from("<4sI", data, offset)
        expect((found_id, found_size) == (chunk_id, size),
               f"{name}: expected chunk {chunk_id!r} of {size} bytes at {offset}, "
               f"found {found_id!r} of {found_size}")
        payload = data[offset + 8:offset + 8 + size]
        expect(payload == bytes(size), f"{name}: {chunk_id!r} payload is not all zero")
        offset += 8 + size
    expect(offset == len(data), f"{name}: {len(data) - offset} unexpected bytes at the end")


def decode_samples(raw, bits):
    """Samples scaled to -1..1."""
    if bits == 16:
        count = len(raw) // 2
        return [v / 32768.0 for v in struct.unpack(f"<{count}h", raw)]
    return [(v - 128) / 128.0 for v in raw]


def check_levels(name, samples):
    # Clipped, too quiet, or clicking at either end are all audible faults.
    peak = max(abs(s) for s in samples)
    expect(peak < 0.9, f"{name}: peak {peak:.3f} of full scale is too close to clipping")
    expect(peak > 0.45, f"{name}: peak {peak:.3f} of full scale is too quiet")
    for label, edge in (("starts", samples[:1]), ("ends", samples[-4:])):
        expect(max(abs(s) for s in edge) < 0.01, f"{name}: {label} with a click, not silence")


def check_sounds(folder):
    for name in SOUNDS:
        check_sound(folder / name)


# ---------------------------------------------------------------------------
# Icon

def check_icon(path):
    data = path.read_bytes()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    expect((reserved, kind, count) == (0, 1, 3), "launcher.ico: must be an icon with 3 images")
    offset = 6 + 16 * count
    for number, expected in enumerate(ICON_IMAGES, 1):
        entry = struct.unpack_from("<BBBBHHII", data, 6 + 16 * (number - 1))
        width, height, colours, bits, size = expected
        label = f"launcher.ico image {number}"
        expect(entry[:7] == (width, height, colours, 0, 1, bits, size),
               f"{label}: directory entry {entry[:7]}, must be "
               f"{(width, height, colours, 0, 1, bits, size)}")
        expect(entry[7] == offset, f"{label}: offset {entry[7]}, must be {offset}")
        check_icon_image(label, data[offset:offset + size], width, height, bits)
        offset += size
    expect(offset == len(data), f"launcher.ico: {len(data) - offset} bytes after the images")


def check_icon_image(label, dib, width, height, bits):
    h = read_dib_header(dib, label)
    got = (h["size"], h["width"], h["height"], h["planes"], h["bits"], h["compression"])
    expect(got == (40, width, 2 * height, 1, bits, 0),
           f"{label}: header {got}, must be {(40, width, 2 * height, 1, bits, 0)}")
    entries = 1 << bits
    table = read_colour_table(dib, 40, entries, label)
    expect(table == (STANDARD_COLOURS if bits == 4 else BLACK_WHITE),
           f"{label}: colour table must be the {entries} standard colours")
    xor_offset = 40 + 4 * entries
    xor = unpack_rows(dib, xor_offset, width, height, bits)
    transparent = unpack_rows(dib, xor_offset + row_bytes(width, bits) * height,
                              width, height, 1)
    for x, y in ((0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)):
        expect(transparent[y][x] == 1, f"{label}: corner ({x},{y}) is not transparent")
    ring = (width // 2, height // 8)   # on the disc, between rim and hub
    expect(transparent[ring[1]][ring[0]] == 0, f"{label}: the disc itself is transparent")
    for y in range(height):
        for x in range(width):
            if transparent[y][x]:
                expect(xor[y][x] == 0, f"{label}: transparent pixel ({x},{y}) is not black, "
                                       "so it would tint the desktop")


# ---------------------------------------------------------------------------

def main(argv):
    folder = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent.parent / "resources"
    checks = [("bitmaps", lambda: check_bitmaps(folder)),
              ("sounds", lambda: check_sounds(folder)),
              ("icon", lambda: check_icon(folder / "launcher.ico"))]
    failures = []
    for label, check in checks:
        try:
            check()
        except (AssetError, OSError, struct.error) as problem:
            failures.append(f"{label}: {problem}")
    for failure in failures:
        print(f"FAIL {failure}", file=sys.stderr)
    if failures:
        return 1
    print("assets ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
