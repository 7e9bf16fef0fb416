#!/usr/bin/env python3
"""Post-link step: marks a Windows program to run from the swap file when it lies on a
removable disc or a network share (IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP and
IMAGE_FILE_NET_RUN_FROM_SWAP in the file header), for which GNU ld has no option.
Windows then reads the whole image in as it loads it, so the disc can be ejected while the
program runs and no page is ever read back from a disc that has gone. It changes the
header, so it runs before any signing. Standard library only.
Usage: mark_run_from_swap.py PROGRAM.EXE"""
import struct
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tools"))
from pe_write import image_checksum  # noqa: E402  (the brand tool writes the same sum)

RUN_FROM_SWAP = 0x0400 | 0x0800


def mark(path):
    with open(path, "rb") as f:
        data = bytearray(f.read())
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise SystemExit(f"{path}: not a PE file")
    characteristics_at, checksum_at = pe + 4 + 18, pe + 24 + 64
    characteristics = struct.unpack_from("<H", data, characteristics_at)[0]
    struct.pack_into("<H", data, characteristics_at, characteristics | RUN_FROM_SWAP)
    # ld fills the checksum in; one left 0 stays 0 (Windows checks it only for drivers).
    if struct.unpack_from("<I", data, checksum_at)[0] != 0:
        struct.pack_into("<I", data, checksum_at, image_checksum(data, checksum_at))
    with open(path, "r+b") as f:
        f.write(data)


if __name__ == "__main__":
    mark(sys.argv[1])
