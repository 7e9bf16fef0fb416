"""A converted brand's resources as the loader reads them, each as its own bytes: what the
resource compiler makes of launcher.rc (writers), from the same folder, so that the
tested launcher takes them without a compiler (pe_write)."""

import struct

from branding import languages, writers

RT_ICON, RT_BITMAP, RT_STRING, RT_RCDATA = 3, 2, 6, 10
RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 14, 16, 24
NEUTRAL = 0
US_ENGLISH, UNICODE = 0x0409, 1200
BITMAP_FILE_HEADER = 14
LANGUAGE_LIST, LAYOUT = 1000, 1011


def icon_resources(ico):
    """An .ico file as RT_ICON images 1, 2, ... and the RT_GROUP_ICON 1 that lists them:
    the file's directory with each entry's offset replaced by its image's id."""
    _, _, count = struct.unpack_from("<HHH", ico, 0)
    images, group = [], struct.pack("<HHH", 0, 1, count)
    for number in range(1, count + 1):
        width, height, colours, _, planes, bits, size, offset = \
            struct.unpack_from("<BBBBHHII", ico, 6 + 16 * (number - 1))
        if not bits:  # as the compiler fills it in: enough bits for the colours
            bits = max(1, (colours - 1).bit_length())
        images.append((RT_ICON, number, NEUTRAL, ico[offset:offset + size]))
        group += struct.pack("<BBBBHHIH", width, height, colours, 0, planes or 1, bits, size,
                             number)
    return images + [(RT_GROUP_ICON, 1, NEUTRAL, group)]


def string_blocks(strings):
    """{block id: bytes}: 16 counted UTF-16 strings a block, block n holding strings
    16(n - 1) to 16n - 1, the ones not given empty."""
    blocks = {}
    for number in sorted(strings):
        blocks.setdefault(number // 16 + 1, {})[number % 16] = strings[number]
    return {block: b"".join(
                struct.pack("<H", len(texts.get(i, "").encode("utf-16-le")) // 2) +
                texts.get(i, "").encode("utf-16-le") for i in range(16))
            for block, texts in blocks.items()}


def version_node(key, value=b"", children=(), text=True):
    """One node of VS_VERSIONINFO: length, value length, type, its key, padding to four
    bytes, its value, then its children each padded to four bytes."""
    name = (key + "\0").encode("utf-16-le")
    node = bytearray(struct.pack("<HHH", 0, 0, int(text)) + name)
    node += bytes(-len(node) % 4) + value
    for child in children:
        node += bytes(-len(node) % 4) + child
    value_length = len(value) // 2 if text else len(value)  # text in characters
    struct.pack_into("<HH", node, 0, len(node), value_length)
    return bytes(node)


def version_info(brand):
    """RT_VERSION 1: the fixed numbers of a program for Windows, then the strings in US
    English, Unicode."""
    a, b, c, d = writers.version_numbers(brand)
    fixed = struct.pack("<13I", 0xFEEF04BD, 0x10000, a << 16 | b, c << 16 | d,
                        a << 16 | b, c << 16 | d, 0x3F, 0, 0x10004, 1, 0, 0, 0)
    strings = [version_node(key, (value + "\0").encode("utf-16-le"))
               for key, value in writers.version_values(brand).items()]
    table = version_node(f"{US_ENGLISH:04X}{UNICODE:04X}", children=strings)
    translation = version_node("Translation", struct.pack("<HH", US_ENGLISH, UNICODE),
                               text=False)
    return version_node("VS_VERSION_INFO", fixed, [
        version_node("StringFileInfo", children=[table]),
        version_node("VarFileInfo", children=[translation])], text=False)


def bitmap(path):
    """A bitmap resource: the .bmp file without its file header."""
    return path.read_bytes()[BITMAP_FILE_HEADER:]


def resource_list(brand, folder):
    """[(type, name, language, bytes)] of the brand converted into `folder`, as
    launcher.rc there lists them."""
    tags = brand["languages"]
    found = icon_resources((folder / "launcher.ico").read_bytes())
    found.append((RT_MANIFEST, 1, NEUTRAL, (folder / "launcher.manifest").read_bytes()))
    found += [("WAVE", number, NEUTRAL, (folder / name).read_bytes())
              for number, name in writers.SOUNDS.items()]
    found.append((RT_RCDATA, LANGUAGE_LIST, NEUTRAL,
                  b"".join(struct.pack("<H", languages.langid(tag)) for tag in tags)))
    found.append((RT_VERSION, 1, NEUTRAL, version_info(brand)))
    for tag in tags:
        language = languages.langid(tag)
        found += [(RT_BITMAP, number, language, bitmap(folder / name))
                  for number, name in writers.language_bitmaps(brand, tag).items()]
        if writers.layout_file(brand, tag):
            found.append((RT_RCDATA, LAYOUT, language,
                          (folder / writers.layout_file(brand, tag)).read_bytes()))
        found += [(RT_STRING, block, language, data)
                  for block, data in string_blocks(brand["strings"][tag]).items()]
    return found
