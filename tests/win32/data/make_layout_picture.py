#!/usr/bin/env python3
"""Writes layout_picture.dib, the 400x300 picture of the test brand with its own design
(layout.rc): 1-bit, in 40-pixel squares, without a file header. Standard library only."""
import struct
from pathlib import Path

ROWS = b"".join(b"".join(b"\xff\xff\xff\xff\xff" if (x + y // 40) % 2 else bytes(5)
                         for x in range(10)) + bytes(2) for y in range(300))
HEADER = struct.pack("<IiiHHIIiiII", 40, 400, 300, 1, 1, 0, len(ROWS), 0, 0, 0, 0)
COLOURS = struct.pack("<8B", 90, 30, 20, 0, 240, 230, 230, 0)
(Path(__file__).resolve().parent / "layout_picture.dib").write_bytes(HEADER + COLOURS + ROWS)
