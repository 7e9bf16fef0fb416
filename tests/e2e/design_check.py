#!/usr/bin/env python3
"""A brand's own design on a true-colour screen, from the brand tool's RESOURCES folder
(layout.bin, outline.bmp, background.bmp), the window at (LEFT, TOP):

    design_check.py SCREENSHOT.ppm RESOURCES LEFT TOP [--mirrored]
    design_check.py --centre ID RESOURCES LEFT TOP [--mirrored]
    design_check.py --ink-rows ID SCREENSHOT.ppm RESOURCES LEFT TOP SCALE_PERCENT

Outside the outline the screen is the black desktop; inside, the picture, except on the
buttons and where labels are written: level with a labelled button on its side, each with
some ink. Two pixels each side of the outline's edge belong to the platform. --mirrored:
as a right-to-left language lays it out. --centre: the middle of button ID on the screen;
--ink-rows: the rows of ID's label band (left of it) with label-bright pixels at that scale."""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from screen_check import read_picture, read_ppm  # noqa: E402

EDGE, MIN_INK = 2, 20


def read_layout(resources, mirror):
    """The width and the entries (id, x, y, size, label side: 1 left, 2 right)."""
    with open(os.path.join(resources, "layout.bin"), "rb") as f:
        data = f.read()
    width, count = struct.unpack_from("<H", data, 4)[0], struct.unpack_from("<H", data, 10)[0]
    entries = [struct.unpack_from("<5H", data, 84 + 12 * i) for i in range(count)]
    if mirror:
        entries = [(i, width - x - s, y, s, (0, 2, 1)[side]) for i, x, y, s, side in entries]
    return entries


def read_outline(resources):
    """The 1-bit outline as rows of booleans, top row first (set bits are inside)."""
    with open(os.path.join(resources, "outline.bmp"), "rb") as f:
        data = f.read()
    offset, (width, height) = struct.unpack_from("<I", data, 10)[0], struct.unpack_from("<ii", data, 18)
    stride = (width + 31) // 32 * 4
    return [[bool(data[offset + (height - 1 - y) * stride + x // 8] & (0x80 >> x % 8))
             for x in range(width)] for y in range(height)]


def near_edge(outline, x, y):
    rows = outline[max(0, y - EDGE):y + EDGE + 1]
    return any(row[i] != outline[y][x] for row in rows for i in range(max(0, x - EDGE), min(len(row), x + EDGE + 1)))


def label_band_of(entries, x, y):
    for entry in entries:
        _, bx, by, size, side = entry
        if by <= y < by + size and ((side == 1 and x < bx) or (side == 2 and x >= bx + size)):
            return entry
    return None


def problems(shot, resources, left, top, entries):
    sw, _, pixels = read_ppm(shot)
    picture = read_picture(os.path.join(resources, "background.bmp"))[2]
    ink, stray, outline = {e[0]: 0 for e in entries if e[4]}, 0, read_outline(resources)
    for y, row in enumerate(outline):
        for x, inside in enumerate(row):
            at = 3 * ((top + y) * sw + left + x)
            shown = pixels[at:at + 3]
            if shown == (picture[y][3 * x:3 * x + 3] if inside else b"\0\0\0") or near_edge(outline, x, y):
                continue
            if not inside:
                return [f"({x},{y}) is outside the outline but shows {tuple(shown)}"]
            if any(bx <= x < bx + s and by <= y < by + s for _, bx, by, s, _ in entries):
                continue
            band = label_band_of(entries, x, y)
            if band is None:
                stray += 1
            else:
                ink[band[0]] += 1
    said = [f"{stray} pixels differ from the picture away from every label"] if stray else []
    return said + [f"button {i}'s label has {n} pixels on its side" for i, n in ink.items() if n < MIN_INK]


def ink_rows(wanted, shot, resources, left, top, percent):
    sw, _, pixels = read_ppm(shot)
    _, bx, by, size, _ = next(e for e in read_layout(resources, False) if e[0] == wanted)
    rows = 0
    for y in range(by * percent // 100, (by + size) * percent // 100):
        row = pixels[3 * ((top + y) * sw + left):3 * ((top + y) * sw + left + bx * percent // 100)]
        rows += any(min(row[i:i + 3]) > 200 for i in range(0, len(row), 3))
    return rows


def main():
    mirror = "--mirrored" in sys.argv
    args = [a for a in sys.argv[1:] if a != "--mirrored"]
    if args[0] == "--ink-rows":
        print(ink_rows(int(args[1]), args[2], args[3], *map(int, args[4:7])))
        return 0
    entries = read_layout(args[-3], mirror)
    left, top = int(args[-2]), int(args[-1])
    if args[0] == "--centre":
        x, y, s = next((x, y, s) for i, x, y, s, _ in entries if i == int(args[1]))
        print(left + x + s // 2, top + y + s // 2)
        return 0
    said = problems(args[0], args[-3], left, top, entries)
    print("\n".join(said) or f"outline, picture and the labels of {len(entries)} buttons as laid out")
    return 1 if said else 0


if __name__ == "__main__":
    sys.exit(main())
