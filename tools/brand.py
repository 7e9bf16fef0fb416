#!/usr/bin/env python3
"""Turn a vendor's brand folder into the resources of a branded launcher.

    brand.py check BRAND_DIR
        Only the checks of `prepare`, writing nothing.
    brand.py prepare BRAND_DIR OUT_DIR
        Reads BRAND_DIR/brand.ini and the art beside it, and writes OUT_DIR/launcher.rc
        with the pictures, sounds and icon it names, AUTORUN.INF and brand.env (the disc's
        label and demo path for scripts/make-disc). Bad input: one line per problem on
        standard error, exit code 2, nothing written.
    brand.py strings EXE BRAND_DIR
        Writes the string-table block of a built LAUNCH.EXE that holds strings 1000 to
        1007 to standard output, after checking that each string is the brand's.

Needs only the Python standard library and ImageMagick's `convert`.
"""

import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unicodedata
from pathlib import Path

# The buttons' places, the corner colour and the 16 colours every display mode has, as the
# launcher and its asset checker know them.
from check_assets import BUTTON_PLACES, CORNER_INDEX, STANDARD_COLOURS

REPO = Path(__file__).resolve().parent.parent
NORVANE = REPO / "resources"

PICTURE = 360
FACE_WIDTH, FACE_HEIGHT, FRAME = 127, 43, 42
NORMAL, HIGHLIGHTED, PRESSED = 0, 42, 84
FACE_FILES = {201: "install.png", 202: "demo.png", 203: "browse.png", 204: "exit.png"}
SOUND_FILES = ["press.wav", "release.wav", "highlight.wav", "open.wav", "ready.wav",
               "close.wav"]

# The launcher's buffers, in UTF-16 units without the terminator (media/resource_strings.h,
# commands/failure_message.h, the demo path's commands/command_lines.h).
KEYS = {
    "product": {"name": None, "company": None, "version": None, "title": 79, "label": None},
    "demo": {"path": None},
    "buttons": {"install": 63, "demo": 63, "browse": 63, "exit": 63},
    "messages": {"unable": 127},
}
LONGEST_DEMO_PATH = 119
LONGEST_VERSION_TEXT = 64  # the version resource's names and texts, for a sane file
DISC_ROOT_NAMES = {"launch.exe", "autorun.inf", "setup.exe"}
RESERVED = set('<>:"/\\|?*;')
DEVICE_NAME = re.compile(r"^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$", re.IGNORECASE)


class BadBrand(Exception):
    pass


# ---------------------------------------------------------------------------
# brand.ini

def utf16_units(text):
    return len(text.encode("utf-16-le")) // 2


def read_ini(path, problems):
    """{section: {key: value}} from an INI file with `; comment` after values."""
    try:
        text = path.read_bytes().decode("utf-8-sig")
    except UnicodeDecodeError:
        problems.append("brand.ini is not UTF-8")
        return None
    found, section = {}, None
    for number, line in enumerate(text.splitlines(), 1):
        line = re.split(r"(?:^|\s);", line, maxsplit=1)[0].strip()
        if not line or line.startswith("#"):
            continue
        where = f"brand.ini line {number}"
        header = re.fullmatch(r"\[(.*)\]", line)
        if header:
            section = header.group(1).strip()
            if section not in KEYS:
                problems.append(f"{where}: unknown section [{section}]; "
                                f"the sections are {', '.join('[' + s + ']' for s in KEYS)}")
            found.setdefault(section, {})
            continue
        if "=" not in line:
            problems.append(f"{where}: '{line}' is not 'key = value'")
            continue
        key, value = (part.strip() for part in line.split("=", 1))
        if section is None:
            problems.append(f"{where}: '{key}' comes before any [section]")
        elif section in KEYS and key not in KEYS[section]:
            problems.append(f"{where}: unknown key '{key}' in [{section}]; "
                            f"the keys are {', '.join(KEYS[section])}")
        elif section in KEYS and key in found[section]:
            problems.append(f"{where}: '{key}' is given twice in [{section}]")
        elif section in KEYS:
            found[section][key] = value
    return found


def check_texts(ini, problems):
    for section, keys in KEYS.items():
        for key, limit in keys.items():
            value = ini.get(section, {}).get(key)
            if value is None or value == "":
                problems.append(f"brand.ini: [{section}] {key} is missing")
                continue
            if any(unicodedata.category(c) in ("Cc", "Cs") for c in value):
                problems.append(f"brand.ini: [{section}] {key} holds control characters")
            longest = limit if limit is not None else LONGEST_VERSION_TEXT
            if limit is not None or section == "product":
                if utf16_units(value) > longest:
                    problems.append(f"brand.ini: [{section}] {key} is {utf16_units(value)} "
                                    f"characters long; the launcher holds at most {longest}")


def check_version(version, problems):
    if version and not re.fullmatch(r"\d{1,5}(\.\d{1,5}){0,3}", version) or \
            version and any(int(n) > 65535 for n in version.split(".")):
        problems.append(f"brand.ini: [product] version '{version}' must be 1 to 4 numbers "
                        "from 0 to 65535 with dots between (2.1)")


def check_unable(unable, problems):
    if unable and (unable.count("%s") != 1 or unable.count("%") != 1):
        problems.append(f"brand.ini: [messages] unable '{unable}' must hold exactly one %s "
                        "(the command line) and no other %")


def check_label(label, problems):
    if label and not re.fullmatch(r"[A-Z0-9_]{1,16}", label):
        problems.append(f"brand.ini: [product] label '{label}': a disc's volume label is 1 to "
                        "16 of the capitals A-Z, the digits 0-9 and _")


def name_problem(name):
    """Why a name can't be on the disc, or None (the rules of scripts/make-disc)."""
    if name in ("", ".", ".."):
        return "an empty name, . or .. can't be on the disc"
    if len(name) > 64:
        return "names on the disc have at most 64 characters"
    if any(c in RESERVED for c in name):
        return '< > : " / \\ | ? * ; can\'t be in a name on the disc'
    if any(ord(c) > 0xFFFF for c in name):
        return "only names of Unicode's basic plane can be on the disc"
    if name[-1] in ". ":
        return "a name on the disc can't end in a dot or a space"
    if DEVICE_NAME.match(name.split(".")[0]):
        return f"Windows keeps the name {name.split('.')[0]} for a device"
    return None


def check_demo_path(path, problems):
    if not path:
        return
    where = f"brand.ini: [demo] path '{path}'"
    if re.match(r"^([A-Za-z]:|\\|/)", path) or "/" in path:
        problems.append(f"{where}: must be a relative Windows path with backslashes "
                        "(Demos\\Inkwell\\Setup.exe)")
        return
    names = path.split("\\")
    for name in names:
        why = name_problem(name)
        if why:
            problems.append(f"{where}: '{name}': {why}")
            return
    if len(names) > 8:
        problems.append(f"{where}: folders on the disc are at most 8 levels deep")
    elif len(path) > 240:
        problems.append(f"{where}: paths on the disc have at most 240 characters")
    elif utf16_units(path) > LONGEST_DEMO_PATH:
        problems.append(f"{where}: is {utf16_units(path)} characters long; the launcher "
                        f"holds at most {LONGEST_DEMO_PATH}")
    elif names[0].lower() in DISC_ROOT_NAMES:
        problems.append(f"{where}: '{names[0]}' is the launcher's own file on the disc")


# ---------------------------------------------------------------------------
# Pictures and sounds

def convert(*args, data=None):
    result = subprocess.run(["convert", *args], input=data, capture_output=True)
    if result.returncode != 0:
        lines = result.stderr.decode(errors="replace").strip().splitlines()
        raise BadBrand(f"ImageMagick: {lines[-1] if lines else 'convert failed'}")
    return result.stdout


def picture_size(path):
    result = subprocess.run(["identify", "-format", "%w %h\\n", str(path)],
                            capture_output=True, text=True)
    if result.returncode != 0 or not result.stdout.strip():
        return None
    width, height = result.stdout.splitlines()[0].split()
    return int(width), int(height)


def check_picture(brand, name, size, required, problems):
    path = brand / name
    if not path.exists():
        if required:
            problems.append(f"{name} is missing: the launcher's round picture, "
                            f"{size[0]}x{size[1]}")
        return
    found = picture_size(path)
    if found is None:
        problems.append(f"{name} can't be read as a picture")
    elif size is not None and found != size:
        problems.append(f"{name} is {found[0]}x{found[1]}, must be {size[0]}x{size[1]}")


def wave_problem(data):
    """Why a file isn't a PCM WAVE image the platform plays from memory, or None."""
    if len(data) < 12 or data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        return "is not a RIFF WAVE file"
    if struct.unpack_from("<I", data, 4)[0] + 8 > len(data):
        return "is shorter than its RIFF size says"
    at, fmt, has_data = 12, None, False
    while at + 8 <= len(data):
        chunk, size = struct.unpack_from("<4sI", data, at)
        if at + 8 + size > len(data):
            return f"has a '{chunk.decode('latin-1')}' chunk that runs past its end"
        if chunk == b"fmt " and size >= 16:
            fmt = struct.unpack_from("<HHIIHH", data, at + 8)
        has_data |= chunk == b"data"
        at += 8 + size + (size & 1)
    if fmt is None or not has_data:
        return "has no 'fmt ' or no 'data' chunk"
    tag, channels, rate, _, align, bits = fmt
    if tag != 1 or channels not in (1, 2) or bits not in (8, 16) or \
            align != channels * bits // 8 or not 8000 <= rate <= 48000:
        return "is not PCM (8 or 16 bits, 1 or 2 channels, 8000 to 48000 Hz)"
    return None


def check_sounds(brand, problems):
    for name in SOUND_FILES:
        path = brand / name
        if path.exists():
            why = wave_problem(path.read_bytes())
            if why:
                problems.append(f"{name} {why}")


def validate(brand):
    problems = []
    if not brand.is_dir():
        return {}, [f"{brand} is no folder"]
    ini = {}
    if not (brand / "brand.ini").is_file():
        problems.append("brand.ini is missing")
    else:
        ini = read_ini(brand / "brand.ini", problems)
        if ini is None:
            ini = {}
        else:
            check_texts(ini, problems)
        product = ini.get("product", {})
        check_version(product.get("version"), problems)
        check_label(product.get("label"), problems)
        check_unable(ini.get("messages", {}).get("unable"), problems)
        check_demo_path(ini.get("demo", {}).get("path"), problems)
    check_picture(brand, "picture.png", (PICTURE, PICTURE), True, problems)
    check_picture(brand, "icon.png", None, False, problems)
    for name in FACE_FILES.values():
        check_picture(brand, name, (FACE_WIDTH, FACE_HEIGHT), False, problems)
    check_sounds(brand, problems)
    return ini, problems


# ---------------------------------------------------------------------------
# Pixels: lists of (r, g, b) rows; alpha as floats 0..1.

def read_rgba(path, width, height):
    raw = convert(str(path), "-alpha", "on", "-depth", "8", "rgba:-")
    if len(raw) != width * height * 4:
        raise BadBrand(f"{path.name} could not be converted")
    return [[tuple(raw[4 * (y * width + x):4 * (y * width + x) + 4]) for x in range(width)]
            for y in range(height)]


def read_bmp(path):
    """Norvane's 8-bit bitmaps as RGB rows, top row first."""
    data = path.read_bytes()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    table = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i])
             for i in range(1 << bits)]
    stride = (width * bits + 31) // 32 * 4
    rows = [[table[data[offset + y * stride + x]] for x in range(width)] for y in range(height)]
    return rows[::-1]


def blend(under, over, alpha):
    return tuple(u + (o - u) * alpha for u, o in zip(under, over))


def screen(under, over, alpha):
    return tuple(u + (255 - (255 - u) * (255 - o) / 255 - u) * alpha for u, o in zip(under, over))


def smoothstep(edge0, edge1, x):
    t = min(max((x - edge0) / (edge1 - edge0), 0.0), 1.0)
    return t * t * (3 - 2 * t)


def norvane_button(norvane_face, frame_x, background):
    """Norvane's orb of one frame over another picture: the orb itself taken from the face,
    its shadow, glow or socket drawn again over the new background."""
    pushed = 1.0 if frame_x == PRESSED else 0.0
    centre = 21.5 + pushed
    frame = []
    for j in range(FRAME):
        row = []
        for i in range(FRAME):
            x, y = i + 0.5, j + 0.5
            colour = background[j][i]
            d = math.hypot(x - centre, y - centre)
            reach = 1.0 - smoothstep(18.8, 20.3, math.hypot(x - 21.5, y - 21.5))
            if frame_x == PRESSED:
                colour = blend(colour, (0, 0, 12), (1 - smoothstep(17, 19.2, d)) * 0.55 * reach)
            else:
                cast = math.hypot(x - centre, (y - centre - 1.8) * 1.05)
                colour = blend(colour, (0, 0, 12), (1 - smoothstep(15, 19.6, cast)) * 0.6 * reach)
            if frame_x == HIGHLIGHTED and d > 16:
                glow = min(math.exp(-max(d - 17, 0) / 2.2) * 1.1, 1.0)
                colour = screen(colour, (95, 180, 255), glow * reach)
            orb = min(max(17.3 - d, 0.0), 1.0)
            colour = blend(colour, norvane_face[j][frame_x + i], orb)
            row.append(colour)
        frame.append(row)
    return frame


def brand_button(face, frame_x, background):
    return [[blend(background[j][i], face[j][frame_x + i][:3], face[j][frame_x + i][3] / 255)
             for i in range(FRAME)] for j in range(FRAME)]


def outside_disc(x, y):
    return (x + 0.5 - 180) ** 2 + (y + 0.5 - 180) ** 2 > 181.0 ** 2


def compose(brand):
    """The picture with its buttons, and each button's highlighted and pressed squares,
    in true colour."""
    picture = [[px[:3] for px in row] for row in read_rgba(brand / "picture.png", PICTURE,
                                                           PICTURE)]
    squares = {}
    for button, (bx, by) in BUTTON_PLACES.items():
        under = [row[bx:bx + FRAME] for row in picture[by:by + FRAME]]
        face_png = brand / FACE_FILES[button]
        if face_png.exists():
            face = read_rgba(face_png, FACE_WIDTH, FACE_HEIGHT)
            draw = lambda frame_x, face=face: brand_button(face, frame_x, under)
        else:
            face = read_bmp(NORVANE / f"face{button}.bmp")
            draw = lambda frame_x, face=face: norvane_button(face, frame_x, under)
        squares[button] = {frame_x: draw(frame_x) for frame_x in (NORMAL, HIGHLIGHTED, PRESSED)}
        for j in range(1, FRAME):
            for i in range(1, FRAME):
                picture[by + j][bx + i] = squares[button][NORMAL][j][i]
    for y in range(PICTURE):
        for x in range(PICTURE):
            if outside_disc(x, y):
                picture[y][x] = STANDARD_COLOURS[CORNER_INDEX]
    return picture, squares


def sheet(picture, squares):
    """One true-colour image of everything to be reduced to the shared palette: the
    picture, then a row of the highlighted and pressed squares of every button."""
    width = PICTURE
    extra = [[(0, 0, 0)] * width for _ in range(FRAME)]
    for n, (button, frames) in enumerate(sorted(squares.items())):
        for k, frame_x in enumerate((HIGHLIGHTED, PRESSED)):
            left = (2 * n + k) * FRAME
            for j in range(FRAME):
                extra[j][left:left + FRAME] = frames[frame_x][j]
    return picture + extra


def to_bytes(rows):
    return bytes(max(0, min(255, round(c))) for row in rows for px in row for c in px)


def build_palette(rows):
    """The 16 standard colours, then 240 fitted to the art, all distinct, black only once."""
    raw = convert("-size", f"{len(rows[0])}x{len(rows)}", "-depth", "8", "rgb:-",
                  "+dither", "-colors", "240", "-unique-colors", "-depth", "8", "rgb:-",
                  data=to_bytes(rows))
    palette = list(STANDARD_COLOURS)
    for i in range(0, len(raw), 3):
        colour = tuple(raw[i:i + 3])
        while colour in palette:
            colour = tuple(min(c + 1, 255) if colour != (255, 255, 255) else c - 1
                           for c in colour)
        if len(palette) < 256:
            palette.append(colour)
    grey = 1
    while len(palette) < 256:
        if (grey, grey, grey) not in palette:
            palette.append((grey, grey, grey))
        grey += 1
    return palette


def remap(rows, palette, work):
    """Palette indices of `rows`, dithered; the saturated standard colours are left out of
    the dither, where they would show as specks."""
    usable = [c for i, c in enumerate(palette) if i == 0 or i >= 7]
    remap_file = work / "palette.ppm"
    remap_file.write_bytes(f"P6 {len(usable)} 1 255\n".encode() +
                           bytes(c for colour in usable for c in colour))
    raw = convert("-size", f"{len(rows[0])}x{len(rows)}", "-depth", "8", "rgb:-",
                  "-dither", "FloydSteinberg", "-remap", str(remap_file), "-depth", "8", "rgb:-",
                  data=to_bytes(rows))
    index = {colour: i for i, colour in enumerate(palette)}
    width = len(rows[0])
    flat = [index.get(tuple(raw[i:i + 3])) for i in range(0, len(raw), 3)]
    if None in flat:
        raise BadBrand("the picture could not be reduced to 256 colours")
    return [flat[y * width:(y + 1) * width] for y in range(len(rows))]


def mask_is_white(x, y):
    return x == FACE_WIDTH - 1 or y == FACE_HEIGHT - 1 or y == 0 or x in (0, 42, 84)


def face_indices(button, picture_indices, sheet_indices, n):
    bx, by = BUTTON_PLACES[button]
    face = [[0] * FACE_WIDTH for _ in range(FACE_HEIGHT)]
    for j in range(FACE_HEIGHT):
        for i in range(FACE_WIDTH):
            if mask_is_white(i, j):
                continue
            frame_x = max(f for f in (NORMAL, HIGHLIGHTED, PRESSED) if f < i)
            x = i - frame_x
            if frame_x == NORMAL:
                face[j][i] = picture_indices[by + j][bx + x]
            else:
                k = 0 if frame_x == HIGHLIGHTED else 1
                face[j][i] = sheet_indices[PICTURE + j][(2 * n + k) * FRAME + x]
    return face


# ---------------------------------------------------------------------------
# Files

def pack_rows(rows, bits):
    stride = (len(rows[0]) * bits + 31) // 32 * 4
    out = b""
    for row in reversed(rows):
        if bits == 8:
            packed = bytes(row)
        elif bits == 4:
            padded = row + [0] * (len(row) % 2)
            packed = bytes(padded[k] << 4 | padded[k + 1] for k in range(0, len(padded), 2))
        else:
            padded = row + [0] * (-len(row) % 8)
            packed = bytes(sum(padded[k + b] << (7 - b) for b in range(8))
                           for k in range(0, len(padded), 8))
        out += packed.ljust(stride, b"\0")
    return out


def dib_header(width, height, bits, image_bytes, used, important):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_bytes, 2835, 2835,
                       used, important)


def colour_table(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)


def bmp_file(rows, palette, used):
    pixels = pack_rows(rows, 8)
    dib = dib_header(len(rows[0]), len(rows), 8, len(pixels), used, used) + \
        colour_table(palette) + pixels
    return struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, 14 + 40 + 4 * len(palette)) + dib


def nearest(colour, table):
    return min(range(len(table)), key=lambda i: sum((a - b) ** 2 for a, b in
                                                      zip(colour, table[i])))


def icon_file(brand):
    """32x32 and 16x16 in the 16 standard colours and 16x16 in black and white, from
    icon.png or else from the round picture."""
    source = brand / "icon.png"
    if not source.exists():
        source = brand / "picture.png"
    images = []
    for size, bits in ((32, 4), (16, 1), (16, 4)):
        raw = convert(str(source), "-alpha", "on", "-resize", f"{size}x{size}!", "-depth", "8",
                      "rgba:-")
        pixels = [tuple(raw[k:k + 4]) for k in range(0, len(raw), 4)]
        if source.name == "picture.png":
            pixels = [p[:3] + (0,) if outside_disc((k % size + 0.5) * PICTURE / size - 0.5,
                                                   (k // size + 0.5) * PICTURE / size - 0.5)
                      else p for k, p in enumerate(pixels)]
        table = STANDARD_COLOURS if bits == 4 else [(0, 0, 0), (255, 255, 255)]
        opaque = [p[3] >= 128 for p in pixels]
        indices = [nearest(p[:3], table) if o else 0 for p, o in zip(pixels, opaque)]
        rows = [indices[y * size:(y + 1) * size] for y in range(size)]
        mask = [[0 if opaque[y * size + x] else 1 for x in range(size)] for y in range(size)]
        xor, and_mask = pack_rows(rows, bits), pack_rows(mask, 1)
        dib = dib_header(size, 2 * size, bits, len(xor) + len(and_mask), 0, 0) + \
            colour_table(table) + xor + and_mask
        images.append((size, len(table) % 256, bits, dib))
    header = struct.pack("<HHH", 0, 1, len(images))
    offset, entries, blobs = 6 + 16 * len(images), b"", b""
    for size, colours, bits, dib in images:
        entries += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(dib), offset)
        blobs += dib
        offset += len(dib)
    return header + entries + blobs


def rc_text(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '""') + '"'


def resource_script(ini):
    product, buttons = ini["product"], ini["buttons"]
    numbers = [int(n) for n in product["version"].split(".")] + [0, 0, 0]
    version = ", ".join(str(n) for n in numbers[:4])
    strings = [ini["messages"]["unable"], buttons["install"], buttons["demo"], buttons["browse"],
               buttons["exit"], product["title"], ini["demo"]["path"]]
    table = "\n".join(f"  {1001 + k} {rc_text(s)}" for k, s in enumerate(strings))
    values = {
        "CompanyName": product["company"], "FileDescription": product["title"],
        "FileVersion": product["version"], "InternalName": "LAUNCH",
        "LegalCopyright": f"Copyright (C) {time.gmtime().tm_year} "
                          f"{product['company']}",
        "OriginalFilename": "LAUNCH.EXE", "ProductName": product["name"],
        "ProductVersion": product["version"],
    }
    value_lines = "\n".join(f'      VALUE "{k}", {rc_text(v)}' for k, v in values.items())
    return f"""// A branded launcher, made by tools/brand.py from brand.ini: edit that, not this.
#pragma code_page(65001)
#include <windows.h>

LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL

1 ICON "launcher.ico"
1 RT_MANIFEST "launcher.manifest"

199 BITMAP "background.bmp"
200 BITMAP "mask.bmp"
201 BITMAP "face201.bmp"
202 BITMAP "face202.bmp"
203 BITMAP "face203.bmp"
204 BITMAP "face204.bmp"

300 WAVE "press.wav"
301 WAVE "release.wav"
302 WAVE "highlight.wav"
303 WAVE "open.wav"
304 WAVE "ready.wav"
305 WAVE "close.wav"

STRINGTABLE
BEGIN
  1000 "BUTTON"
{table}
END

1 VERSIONINFO
FILEVERSION {version}
PRODUCTVERSION {version}
FILEFLAGSMASK 0x3F
FILEFLAGS 0
FILEOS VOS_DOS_WINDOWS32
FILETYPE VFT_APP
FILESUBTYPE 0
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904B0"
    BEGIN
{value_lines}
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x0409, 1200
  END
END
"""


def autorun_inf(ini):
    """AutoRun's file: plain ASCII where the texts allow, else UTF-16 with its mark."""
    lines = ["[autorun]", "open=LAUNCH.EXE", "icon=LAUNCH.EXE,0",
             f"label={ini['product']['label']}", f"action=Run {ini['product']['title']}"]
    text = "".join(line + "\r\n" for line in lines)
    try:
        return text.encode("ascii")
    except UnicodeEncodeError:
        return b"\xff\xfe" + text.encode("utf-16-le")


def shell_quote(text):
    return "'" + text.replace("'", "'\\''") + "'"


def brand_env(ini):
    """What scripts/lib/brand.sh reads: the disc's label and demo path, and the title."""
    return (f"BRAND_LABEL={shell_quote(ini['product']['label'])}\n"
            f"BRAND_DEMO_PATH={shell_quote(ini['demo']['path'])}\n"
            f"BRAND_TITLE={shell_quote(ini['product']['title'])}\n")


def report(brand, problems):
    for problem in problems:
        print(f"make-disc: --brand {brand}: {problem}", file=sys.stderr)
    return 2 if problems else 0


def prepare(brand, out):
    ini, problems = validate(brand)
    if problems:
        return report(brand, problems)
    with tempfile.TemporaryDirectory() as scratch:
        work = Path(scratch)
        picture, squares = compose(brand)
        all_rows = sheet(picture, squares)
        palette = build_palette(all_rows)
        indices = remap(all_rows, palette, work)
        picture_indices = [row[:] for row in indices[:PICTURE]]
        for y in range(PICTURE):
            for x in range(PICTURE):
                if outside_disc(x, y):
                    picture_indices[y][x] = CORNER_INDEX
        files = {"background.bmp": bmp_file(picture_indices, palette, 256)}
        for n, button in enumerate(sorted(BUTTON_PLACES)):
            face = face_indices(button, picture_indices, indices, n)
            files[f"face{button}.bmp"] = bmp_file(face, palette, 0)
        files["launcher.ico"] = icon_file(brand)
        files["launcher.rc"] = resource_script(ini).encode("utf-8")
        files["AUTORUN.INF"] = autorun_inf(ini)
        files["brand.env"] = brand_env(ini).encode("utf-8")
        staging = Path(tempfile.mkdtemp(dir=out.parent, prefix=f".{out.name}."))
        for name, data in files.items():
            (staging / name).write_bytes(data)
        for name in ["mask.bmp", "launcher.manifest"] + SOUND_FILES:
            shutil.copyfile(brand / name if (brand / name).exists() else NORVANE / name,
                            staging / name)
        shutil.rmtree(out, ignore_errors=True)
        os.rename(staging, out)
    return 0


# ---------------------------------------------------------------------------
# The built launcher's strings

def string_block(exe, ini):
    sys.path.insert(0, str(REPO / "tests" / "product_file"))
    from check_launch_exe import PeFile, string_block as strings_of
    block = PeFile(exe.read_bytes()).resources().get((6, 1000 // 16 + 1))
    if block is None:
        raise BadBrand(f"{exe} carries no string block of strings 1000 to 1007")
    expected = {1000: "BUTTON", 1001: ini["messages"]["unable"], 1002: ini["buttons"]["install"],
                1003: ini["buttons"]["demo"], 1004: ini["buttons"]["browse"],
                1005: ini["buttons"]["exit"], 1006: ini["product"]["title"],
                1007: ini["demo"]["path"]}
    carried = strings_of(block, 992)
    for number, text in expected.items():
        if carried.get(number) != text:
            raise BadBrand(f"{exe}: string {number} is {carried.get(number)!r}, not {text!r}")
    return block


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "check":
            brand = Path(argv[2]).resolve()
            ini, problems = validate(brand)
            if not problems:
                sys.stdout.write(brand_env(ini))
            return report(brand, problems)
        if len(argv) == 4 and argv[1] == "prepare":
            return prepare(Path(argv[2]).resolve(), Path(argv[3]).resolve())
        if len(argv) == 4 and argv[1] == "strings":
            ini, problems = validate(Path(argv[3]).resolve())
            if problems:
                raise BadBrand("; ".join(problems))
            sys.stdout.buffer.write(string_block(Path(argv[2]), ini))
            return 0
    except BadBrand as problem:
        print(f"make-disc: --brand: {problem}", file=sys.stderr)
        return 1
    print(__doc__.strip().split("\n\n")[1], file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
