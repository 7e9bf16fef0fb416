#!/usr/bin/env python3
"""Writes installed_picture.dib, the test brand's picture while its product is installed
(installed.rc): Norvane's 360x360, 1-bit, all of one colour, without a file header.
Standard library only."""
import struct
from pathlib import Path

ROWS = b"\xff" * (48 * 360)  # 360 bits padded to 48 bytes a row
HEADER = struct.pack("<IiiHHIIiiII", 40, 360, 360, 1, 1, 0, len(ROWS), 0, 0, 0, 0)
COLOURS = struct.pack("<8B", 0, 0, 0, 0, 0x56, 0x34, 0x12, 0)  # BGR0: index 1 is #123456
(Path(__file__).resolve().parent / "installed_picture.dib").write_bytes(HEADER + COLOURS + ROWS)
