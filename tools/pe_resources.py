"""Reads a Windows program's headers and its resources: the launcher's build-time checks
and the tests use it. Standard library only."""

import struct


def string_block(data, first):
    """The non-empty strings of a string-table block: 16 counted UTF-16 strings."""
    strings, at = {}, 0
    for number in range(first, first + 16):
        if at + 2 > len(data):
            break
        length = struct.unpack_from("<H", data, at)[0]
        if length:
            strings[number] = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
        at += 2 + 2 * length
    return strings


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        self.machine, sections, _, _, _, optional_size, self.characteristics = \
            struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, optional + 68)
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(16)]
        self.sections = {}
        table = optional + optional_size
        for i in range(sections):
            name, vsize, rva, raw_size, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections[name.rstrip(b"\0").decode()] = (rva, vsize, raw, raw_size)

    def offset(self, rva):
        for rva0, vsize, raw, raw_size in self.sections.values():
            if rva0 <= rva < rva0 + max(vsize, raw_size):
                return raw + rva - rva0
        raise ValueError(f"RVA {rva:#x} is in no section")

    def c_string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imported_dlls(self):
        rva = self.directories[1][0]
        dlls = []
        while True:
            descriptor = struct.unpack_from("<5I", self.data, self.offset(rva))
            if descriptor[3] == 0:
                return dlls
            dlls.append(self.c_string(descriptor[3]).upper())
            rva += 20

    def resources(self):
        """{(type, id): bytes}, any language; a named type or id is its name."""
        return {(kind, name): data
                for (kind, name, _), data in self.resources_by_language().items()}

    def resources_by_language(self):
        """{(type, id, LANGID): bytes}."""
        base = self.offset(self.directories[2][0])

        def key_of(key):
            if not key & 0x80000000:
                return key
            length = struct.unpack_from("<H", self.data, base + (key & 0x7FFFFFFF))[0]
            start = base + (key & 0x7FFFFFFF) + 2
            return self.data[start:start + 2 * length].decode("utf-16-le")

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
            for i in range(named + numbered):
                key, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                yield key_of(key), target & 0x7FFFFFFF

        found = {}
        for kind, names in entries(0):
            for name, languages in entries(names):
                for language, leaf in entries(languages):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    found[(kind, name, language)] = self.data[self.offset(rva):self.offset(rva) + size]
        return found
