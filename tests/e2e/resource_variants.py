#!/usr/bin/env python3
"""Makes variants of LAUNCH.EXE with one resource removed, truncated or filled with
garbage, or (sounds) with a chunk size far past the resource, and says what each must do.

    resource_variants.py LAUNCH.EXE OUT_FOLDER

Writes OUT_FOLDER/<resource>-<fault>.EXE for pictures 199 to 204, sounds 300 to 305, the
string block holding strings 1000 and 1001, and icon group 1, and prints one line per
variant: its file name and the expected result, "exit2" (the start-up gives up) or
"opens" (the launcher opens, shows its picture and closes with exit code 0). A string
that is gone, or whose block would send the platform's walk past its end, is missing. The file
is edited in place, its layout unchanged: a removed resource gets an id nothing asks for
(its directory kept in the sorted order the platform's search relies on); a truncated
one declares half its size, and the cut-off bytes are zeroed; a garbage-filled one keeps
its size with bytes from a generator started from the resource id, the same every run; an
oversized one keeps every byte but the size of its "fmt " chunk, which says 0x100000 (the
player would read a megabyte past the sound). Standard library only."""
import random
import struct
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
from pe_resources import PeFile  # noqa: E402

RT_BITMAP, RT_STRING, RT_GROUP_ICON = 2, 6, 14
UNUSED_ID = 0x7FFF
FAULTS = ("removed", "truncated", "garbage")
SOUND_FAULTS = FAULTS + ("oversized",)
OVERSIZED_CHUNK = 0x100000
# (what, type, id, {fault: expected result})
RESOURCES = ([(f"picture{n}", RT_BITMAP, n, dict.fromkeys(FAULTS, "exit2" if n == 199 else "opens"))
              for n in range(199, 205)] +
             [(f"sound{n}", "WAVE", n, dict.fromkeys(SOUND_FAULTS, "opens"))
              for n in range(300, 306)] +
             # Block 63 holds strings 1000 ("BUTTON", the buttons' class name) and 1001;
             # its first half still holds string 1000 whole.
             [("strings", RT_STRING, 63, dict(zip(FAULTS, ("exit2", "opens", "exit2")))),
              ("icon", RT_GROUP_ICON, 1, dict.fromkeys(FAULTS, "opens"))])


class Resources:
    """Where each resource's directory entry and data live in the file."""

    def __init__(self, data):
        self.data = data
        self.pe = PeFile(bytes(data))
        self.base = self.pe.offset(self.pe.directories[2][0])

    def entries(self, directory):
        named, numbered = struct.unpack_from("<HH", self.data, self.base + directory + 12)
        for i in range(named + numbered):
            at = self.base + directory + 16 + 8 * i
            key, target = struct.unpack_from("<II", self.data, at)
            yield at, key, target & 0x7FFFFFFF

    def type_key(self, kind):
        if isinstance(kind, int):
            return kind
        for _, key, _ in self.entries(0):
            if key & 0x80000000:
                at = self.base + (key & 0x7FFFFFFF)
                length = struct.unpack_from("<H", self.data, at)[0]
                if self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le") == kind:
                    return key
        raise KeyError(kind)

    def find(self, kind, number):
        """(directory of the ids, file offset of the data, its size, offset of the size)"""
        key = self.type_key(kind)
        names = next(t for _, k, t in self.entries(0) if k == key)
        languages = next(t for _, k, t in self.entries(names) if k == number)
        _, _, leaf = next(self.entries(languages))
        rva, size = struct.unpack_from("<II", self.data, self.base + leaf)
        return names, self.pe.offset(rva), size, self.base + leaf + 4

    def rename(self, kind, number, new_number):
        names, _, _, _ = self.find(kind, number)
        found = list(self.entries(names))
        keys = [(key if key != number else new_number, target)
                for _, key, target in found]
        named = [e for e in keys if e[0] & 0x80000000]
        numbered = sorted(e for e in keys if not e[0] & 0x80000000)
        for (at, _, _), (key, target) in zip(found, named + numbered):
            struct.pack_into("<II", self.data, at, key, target | 0x80000000)


def variant(exe_bytes, kind, number, fault):
    data = bytearray(exe_bytes)
    resources = Resources(data)
    _, start, size, size_at = resources.find(kind, number)
    if fault == "removed":
        resources.rename(kind, number, UNUSED_ID)
    elif fault == "truncated":
        struct.pack_into("<I", data, size_at, size // 2)
        data[start + size // 2:start + size] = bytes(size - size // 2)
    elif fault == "garbage":
        generator = random.Random(number)
        data[start:start + size] = bytes(generator.randrange(256) for _ in range(size))
    elif fault == "oversized":
        fmt = data.find(b"fmt ", start, start + size)
        struct.pack_into("<I", data, fmt + 4, OVERSIZED_CHUNK)
    return bytes(data)


def main():
    exe, out = Path(sys.argv[1]), Path(sys.argv[2])
    out.mkdir(parents=True, exist_ok=True)
    original = exe.read_bytes()
    for what, kind, number, expected in RESOURCES:
        for fault, result in expected.items():
            name = f"{what}-{fault}.EXE"
            (out / name).write_bytes(variant(original, kind, number, fault))
            print(name, result)


if __name__ == "__main__":
    sys.exit(main())
