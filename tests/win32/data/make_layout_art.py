#!/usr/bin/env python3
"""Writes the art and layout of the test brand with its own design (layout.rc): a 400x300
picture, faces and own masks of 32 and 48 pixels, and the layout resource's bytes as the
brand tool writes them (media/layout_resource.h). The files are committed; run again only
to change them. Standard library only."""

import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent


def dib(width, height, bits, colours, pixel):
    """A DIB without its file header: bottom-up rows of pixel(x, y) colour indices."""
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    table += bytes(4 * (2 ** bits - len(colours)))
    row_bytes = (width * bits + 31) // 32 * 4
    rows = b""
    for y in reversed(range(height)):
        value = 0
        for x in range(width):
            value = value << bits | pixel(x, y)
        value <<= row_bytes * 8 - width * bits
        rows += value.to_bytes(row_bytes, "big")
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 0, 0, 0, 0)
    return header + table + rows


def face(side):
    """Three frames side by side, one colour each (normal, highlighted, pressed), black on
    each frame's top row and left column, with a column and a row more, as Norvane's."""
    def pixel(x, y):
        frame, fx = divmod(x, side)
        return 0 if fx == 0 or y == 0 or frame > 2 or y > side - 1 else 1 + frame
    return dib(3 * side + 1, side + 1, 8, [(0, 0, 0), (200, 40, 40), (40, 200, 40), (40, 40, 200)], pixel)


def mask(side):
    """White (the picture shows) on each frame's top row and left column, black elsewhere."""
    return dib(3 * side + 1, side + 1, 1, [(0, 0, 0), (255, 255, 255)],
               lambda x, y: 1 if x % side == 0 or y == 0 or y > side - 1 or x >= 3 * side else 0)


# id, x, y, side, label side (0 none, 1 left, 2 right): five entries, then exit.
ENTRIES = [(206, 300, 64, 48, 1), (201, 300, 120, 32, 1), (205, 300, 160, 48, 1),
           (202, 300, 212, 42, 1), (207, 300, 260, 32, 1), (204, 344, 8, 48, 0)]


def layout():
    font = "Segoe UI".encode("utf-16-le").ljust(64, b"\0")
    header = struct.pack("<HHHHHHII", 1, 2, 400, 300, 110, len(ENTRIES), 0xF0F6FA, 0xFFFFFFFF)
    return header + font + b"".join(struct.pack("<HHHHHH", *e, 0) for e in ENTRIES)


def main():
    (HERE / "layout_picture.dib").write_bytes(
        dib(400, 300, 1, [(20, 30, 90), (230, 230, 240)], lambda x, y: (x // 50 + y // 50) % 2))
    for side in (32, 48):
        (HERE / f"layout_face{side}.dib").write_bytes(face(side))
        (HERE / f"layout_mask{side}.dib").write_bytes(mask(side))
    (HERE / "layout.bin").write_bytes(layout())


if __name__ == "__main__":
    main()
