"""Replaces a tested launcher's resources: the program's code and every other section stay
byte for byte as they were tested, the resource section is written anew (resource_section),
and the base relocations that follow it move along, verbatim (they hold the RVAs of code,
not their own). Standard library only.

The template must be what the launcher's link makes: a GUI program for i386 (PE32) or
x86-64 (PE32+), unsigned, without symbols or data after its sections, whose resource
section starts the resource directory and is followed by nothing but .reloc."""

import struct

import resource_section

I386, AMD64 = 0x14C, 0x8664
PE32, PE32_PLUS = 0x10B, 0x20B
GUI = 2
RESOURCES, SECURITY, RELOCATIONS = 2, 4, 5
SECTION_HEADER = 40


class UnknownTemplate(Exception):
    pass


def align(value, to):
    return (value + to - 1) // to * to


def image_checksum(data, checksum_at):
    """The optional header's CheckSum: the file's 16-bit words summed with end-around
    carry, its own field counted as 0, plus the file's length."""
    words = data[:checksum_at] + bytes(4) + data[checksum_at + 4:] + bytes(len(data) % 2)
    total = sum(struct.unpack(f"<{len(words) // 2}H", words))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(data)


class Layout:
    """The header fields the writer reads and changes, by their offsets in the file."""

    def __init__(self, data):
        if data[:2] != b"MZ" or len(data) < 0x40:
            raise UnknownTemplate("not a Windows program (no MZ header)")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise UnknownTemplate("not a Windows program (no PE header)")
        machine, self.count, _, symbols, _, optional_size, _ = \
            struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        if (machine, magic) not in ((I386, PE32), (AMD64, PE32_PLUS)):
            raise UnknownTemplate("not a 32-bit i386 or 64-bit x86-64 program")
        if struct.unpack_from("<H", data, optional + 68)[0] != GUI:
            raise UnknownTemplate("not a GUI program")
        if symbols:
            raise UnknownTemplate("carries a symbol table")
        self.section_alignment, self.file_alignment = \
            struct.unpack_from("<II", data, optional + 32)
        self.size_of_image_at, self.checksum_at = optional + 56, optional + 64
        self.directories_at = optional + (96 if magic == PE32 else 112)
        self.table_at = optional + optional_size
        self.sections = [self.section(data, i) for i in range(self.count)]

    def section(self, data, i):
        at = self.table_at + SECTION_HEADER * i
        name, vsize, rva, raw_size, raw = struct.unpack_from("<8sIIII", data, at)
        return {"at": at, "name": name.rstrip(b"\0").decode("latin-1"), "vsize": vsize,
                "rva": rva, "raw_size": raw_size, "raw": raw}

    def directory(self, data, number):
        return struct.unpack_from("<II", data, self.directories_at + 8 * number)


def check_template(data, layout):
    names = [section["name"] for section in layout.sections]
    if ".rsrc" not in names:
        raise UnknownTemplate("has no resource section")
    after = names[names.index(".rsrc") + 1:]
    if after not in ([], [".reloc"]):
        raise UnknownTemplate(f"has sections after .rsrc other than .reloc: {' '.join(after)}")
    rsrc = layout.sections[names.index(".rsrc")]
    if layout.directory(data, RESOURCES)[0] != rsrc["rva"]:
        raise UnknownTemplate("its resource directory doesn't start its .rsrc section")
    if layout.directory(data, SECURITY) != (0, 0):
        raise UnknownTemplate("is signed: give the unsigned build")
    ends = [(s["rva"], s["raw"]) for s in layout.sections if s["raw_size"]]
    if ends != sorted(ends):
        raise UnknownTemplate("its sections aren't in the order of their addresses")
    last = layout.sections[-1]
    if len(data) != last["raw"] + last["raw_size"]:
        raise UnknownTemplate("has data after its last section")
    if after:
        reloc = layout.sections[-1]
        start, size = layout.directory(data, RELOCATIONS)
        if not reloc["rva"] <= start <= start + size <= reloc["rva"] + reloc["vsize"]:
            raise UnknownTemplate("its base relocations don't lie in .reloc")
    return rsrc


def recognise(template):
    """Raises UnknownTemplate unless the resources of `template` (bytes) can be replaced."""
    check_template(template, Layout(template))


def replace_resources(template, resources):
    """The template's bytes with its resources replaced by [(type, name, language, bytes)]."""
    data = bytearray(template)
    layout = Layout(data)
    rsrc = check_template(data, layout)
    moved = layout.sections[layout.sections.index(rsrc) + 1:]
    section = resource_section.build(resources, rsrc["rva"])
    raw_size = align(len(section), layout.file_alignment)
    head = data[:rsrc["raw"]]
    tail = [bytes(data[s["raw"]:s["raw"] + s["raw_size"]]) for s in moved]
    struct.pack_into("<II", head, rsrc["at"] + 8, len(section), rsrc["rva"])
    struct.pack_into("<I", head, rsrc["at"] + 16, raw_size)
    struct.pack_into("<II", head, layout.directories_at + 8 * RESOURCES,
                     rsrc["rva"], len(section))
    rva = align(rsrc["rva"] + len(section), layout.section_alignment)
    raw = rsrc["raw"] + raw_size
    for old in moved:
        struct.pack_into("<I", head, old["at"] + 12, rva)
        struct.pack_into("<I", head, old["at"] + 20, raw)
        start, size = layout.directory(data, RELOCATIONS)
        struct.pack_into("<I", head, layout.directories_at + 8 * RELOCATIONS,
                         start - old["rva"] + rva)
        end = rva + old["vsize"]
        rva, raw = align(end, layout.section_alignment), raw + old["raw_size"]
    last_end = rsrc["rva"] + len(section) if not moved else end
    struct.pack_into("<I", head, layout.size_of_image_at,
                     align(last_end, layout.section_alignment))
    written = head + section + bytes(raw_size - len(section)) + b"".join(tail)
    if struct.unpack_from("<I", template, layout.checksum_at)[0]:
        struct.pack_into("<I", written, layout.checksum_at,
                         image_checksum(written, layout.checksum_at))
    return bytes(written)
