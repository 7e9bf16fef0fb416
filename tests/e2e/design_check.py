#!/usr/bin/env python3
"""Checks a screenshot of a brand's own design, opened on a true-colour screen.

    design_check.py SCREENSHOT.ppm RESOURCES LEFT TOP [--mirrored]
    design_check.py --centre ID RESOURCES LEFT TOP [--mirrored]
    design_check.py --ink-rows ID SCREENSHOT.ppm RESOURCES LEFT TOP SCALE_PERCENT

RESOURCES is the folder the brand tool wrote (layout.bin, outline.bmp, background.bmp).
The window stands at (LEFT, TOP); --mirrored lays the buttons out as a right-to-left
language does (x becomes width - x - size, labels on the other side). Outside the outline
the screen shows the black desktop; inside it every pixel is the picture's, except on the
buttons and where labels are written: only level with a labelled button, on its label's
side, and each labelled button has some. Pixels within two of the outline's edge are left
to the platform. --centre prints the middle of button ID on the screen; --ink-rows, how
many rows of button ID's label band (left of it) hold label-bright pixels at that scale.
Standard library only."""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from screen_check import read_picture, read_ppm  # noqa: E402

EDGE = 2
MIN_INK = 20  # pixels of a label: a few strokes at the least


def read_layout(path):
    """Width, height and the entries (id, x, y, size, label side) of a layout resource."""
    with open(path, "rb") as f:
        data = f.read()
    _, _, width, height, _, count = struct.unpack_from("<6H", data, 0)
    entries = [struct.unpack_from("<5H", data, 84 + 12 * i) for i in range(count)]
    return width, height, entries


def mirrored(width, entries):
    flip = {0: 0, 1: 2, 2: 1}
    return [(i, width - x - s, y, s, flip[side]) for i, x, y, s, side in entries]


def read_outline(path):
    """A 1-bit bottom-up BMP as rows of booleans, top row first (set bits are inside)."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    row_bytes = (width + 31) // 32 * 4
    return [[bool(data[offset + (height - 1 - y) * row_bytes + x // 8] & (0x80 >> x % 8))
             for x in range(width)] for y in range(height)]


def near_edge(outline, x, y):
    inside = outline[y][x]
    for dy in range(-EDGE, EDGE + 1):
        for dx in range(-EDGE, EDGE + 1):
            yy, xx = y + dy, x + dx
            if 0 <= yy < len(outline) and 0 <= xx < len(outline[0]) and outline[yy][xx] != inside:
                return True
    return False


def label_of(entries, x, y):
    """The entry whose label band holds (x, y), or None; a band runs level with the button,
    on its label's side."""
    for entry in entries:
        _, bx, by, size, side = entry
        if not by <= y < by + size:
            continue
        if (side == 1 and x < bx) or (side == 2 and x >= bx + size):
            return entry
    return None


def problems(screen, resources, left, top, entries):
    sw, _, pixels = screen
    _, _, picture = read_picture(os.path.join(resources, "background.bmp"))
    outline = read_outline(os.path.join(resources, "outline.bmp"))
    ink = {entry[0]: 0 for entry in entries if entry[4]}
    stray = 0
    for y, row in enumerate(outline):
        for x, inside in enumerate(row):
            if near_edge(outline, x, y):
                continue
            at = 3 * ((top + y) * sw + left + x)
            shown = pixels[at:at + 3]
            if not inside:
                if shown != b"\0\0\0":
                    return [f"({x},{y}) is outside the outline but shows {tuple(shown)}"]
                continue
            if any(bx <= x < bx + s and by <= y < by + s for _, bx, by, s, _ in entries):
                continue
            if shown == picture[y][3 * x:3 * x + 3]:
                continue
            entry = label_of(entries, x, y)
            if entry is None or not entry[4]:
                stray += 1
            else:
                ink[entry[0]] += 1
    said = [f"{stray} pixels differ from the picture away from every label"] if stray else []
    said += [f"button {i}'s label has {n} pixels on its side" for i, n in ink.items() if n < MIN_INK]
    return said


def ink_rows(args):
    wanted, shot, resources, left, top, percent = int(args[0]), args[1], args[2], *map(int, args[3:])
    sw, _, pixels = read_ppm(shot)
    _, _, entries = read_layout(os.path.join(resources, "layout.bin"))
    _, bx, by, size, _ = next(e for e in entries if e[0] == wanted)
    rows = 0
    for y in range(by * percent // 100, (by + size) * percent // 100):
        at = 3 * ((top + y) * sw + left)
        row = pixels[at:at + 3 * (bx * percent // 100)]
        rows += any(min(row[i:i + 3]) > 200 for i in range(0, len(row), 3))
    print(rows)
    return 0


def main():
    args = sys.argv[1:]
    if args[0] == "--ink-rows":
        return ink_rows(args[1:])
    mirror = "--mirrored" in args
    args = [a for a in args if a != "--mirrored"]
    centre = args[0] == "--centre"
    target = int(args[1]) if centre else args[0]
    resources, left, top = args[2 if centre else 1], int(args[-2]), int(args[-1])
    width, _, entries = read_layout(os.path.join(resources, "layout.bin"))
    if mirror:
        entries = mirrored(width, entries)
    if centre:
        for i, x, y, s, _ in entries:
            if i == target:
                print(left + x + s // 2, top + y + s // 2)
                return 0
        return 1
    said = problems(read_ppm(target), resources, left, top, entries)
    for line in said:
        print(line)
    if not said:
        print(f"outline, picture and the labels of {len(entries)} buttons as laid out")
    return 1 if said else 0


if __name__ == "__main__":
    sys.exit(main())
