#!/usr/bin/env python3
"""Writes installed_picture.dib (installed.rc): 360x360, 1-bit, all #123456, no file header."""
import struct
from pathlib import Path

ROWS = b"\xff" * (48 * 360)  # 360 bits padded to 48 bytes a row
HEADER = struct.pack("<IiiHHIIiiII", 40, 360, 360, 1, 1, 0, len(ROWS), 0, 0, 0, 0)
COLOURS = struct.pack("<8B", 0, 0, 0, 0, 0x56, 0x34, 0x12, 0)  # BGR0
(Path(__file__).resolve().parent / "installed_picture.dib").write_bytes(HEADER + COLOURS + ROWS)
