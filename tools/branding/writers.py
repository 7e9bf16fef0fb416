"""Writing a converted brand: the resource script, AUTORUN.INF and brand.env."""

import time

from branding import languages

BITMAP_FILES = {199: "background.bmp", 200: "mask.bmp",
                **{n: f"face{n}.bmp" for n in range(201, 205)}}
# The same art at twice the size, for high-DPI screens: id + 200.
BITMAP_FILES.update({number + 200: name.replace(".bmp", "@2x.bmp")
                     for number, name in list(BITMAP_FILES.items())})
MASKS = (200, 400)
INSTALLED_PICTURE, INSTALLED_DOUBLE = 197, "installed@2x.bmp"
SOUNDS = {300: "press.wav", 301: "release.wav", 302: "highlight.wav", 303: "open.wav",
          304: "ready.wav", 305: "close.wav"}
# Windows reads LAUNCH.EXE whole from the disc before it starts: its bytes, of which the
# launcher's code and headers take under 64 KiB, the rest its resources.
LAUNCHER_BUDGET = 1536 * 1024
CODE_ALLOWANCE = 64 * 1024


def rc_text(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '""') + '"'


def art_folder(brand, tag):
    """Where a language's converted pictures go: the default's beside the script, another
    language's own set in a folder named by its tag. None: it uses the default's."""
    if tag == brand["languages"][0]:
        return ""
    return tag + "/" if tag in brand["art"] else None


def double_size_languages(brand, sets, shared_bytes):
    """The languages whose own art comes at twice the size too: the default's always,
    another's, in the listed order, while LAUNCH.EXE stays within its budget; the others'
    1x art is enlarged by the launcher. Then, the same way, those whose installed picture
    does. `sets`: {tag: {file name: bytes}} of each language's own art, `shared_bytes` the
    sounds', icon's and masks' bytes. Returns both sets of languages."""
    default = brand["languages"][0]
    installed = {tag: len(files.get(INSTALLED_DOUBLE, b"")) for tag, files in sets.items()}
    double = {tag: sum(len(data) for name, data in files.items() if "@2x" in name) -
              installed[tag] for tag, files in sets.items()}
    total = CODE_ALLOWANCE + shared_bytes + sum(
        sum(len(data) for data in files.values()) - installed[tag] -
        (double[tag] if tag != default else 0) for tag, files in sets.items())
    kept = {default}
    for tag in brand["languages"][1:]:
        if tag in sets and total + double[tag] <= LAUNCHER_BUDGET:
            kept.add(tag)
            total += double[tag]
    kept_installed = set()
    for tag in brand["languages"]:
        if installed.get(tag) and total + installed[tag] <= LAUNCHER_BUDGET:
            kept_installed.add(tag)
            total += installed[tag]
    return kept, kept_installed


def kept_at_double_size(brand, tag, name):
    """Whether a language's converted file goes into LAUNCH.EXE (all 1x files do)."""
    if "@2x" not in name:
        return True
    return tag in brand["double_installed" if name == INSTALLED_DOUBLE else "double_size"]


def bitmap_files(design):
    """{bitmap id: file name}: Norvane's, or a design's, whose every face has a mask of its
    own beside it (id + 20) and whose window may take the picture's outline (198)."""
    if design is None:
        return BITMAP_FILES
    files = {199: "background.bmp", 200: "mask.bmp"}
    for number in sorted(design.ids().values()):
        files.update({number: f"face{number}.bmp", number + 20: f"mask{number + 20}.bmp"})
    if design.outline:
        files[198] = "outline.bmp"
    return {**files, **{number + 200: name.replace(".bmp", "@2x.bmp")
                        for number, name in files.items()}}


def layout_file(brand, tag):
    """The layout resource's file of a language that carries one, or None."""
    if tag not in brand.get("layouts", {}):
        return None
    return "layout.bin" if tag == brand["languages"][0] else f"layout.{tag}.bin"


def language_bitmaps(brand, tag):
    """{bitmap id: file in the resources folder} of a language that has its own pictures
    (at twice the size where it keeps them), else {}; the mask is the same file in every
    set, so that mask and faces always match."""
    folder = art_folder(brand, tag)
    if folder is None:
        return {}
    found = {number: ("" if number in MASKS else folder) + name
             for number, name in bitmap_files(brand.get("design")).items()
             if number < 399 or tag in brand.get("double_size", [tag])}
    if brand["art"][tag][0].get("installed"):  # the installed state's picture
        found[INSTALLED_PICTURE] = folder + "installed.bmp"
        if tag in brand.get("double_installed", [tag]):
            found[INSTALLED_PICTURE + 200] = folder + INSTALLED_DOUBLE
    return found


def language_block(brand, tag):
    """A language's string table, and its pictures and layout where it has its own."""
    primary, sub = languages.LANGUAGES[tag]
    lines = [f"LANGUAGE 0x{primary:02X}, 0x{sub:02X}  // {tag}"]
    lines += [f'{number} BITMAP "{name}"' for number, name in language_bitmaps(brand, tag).items()]
    if layout_file(brand, tag):
        lines.append(f'1011 RCDATA "{layout_file(brand, tag)}"')
    strings = brand["strings"][tag]
    lines += ["STRINGTABLE", "BEGIN"]
    lines += [f"  {number} {rc_text(strings[number])}" for number in sorted(strings)]
    lines += ["END", ""]
    return "\n".join(lines)


def version_numbers(brand):
    """FILEVERSION's four numbers."""
    return ([int(n) for n in brand["product"]["version"].split(".")] + [0, 0, 0])[:4]


def version_values(brand):
    """The version resource's strings, in US English, Unicode."""
    product = brand["product"]
    return {
        "CompanyName": product["company"], "FileDescription": product["title"],
        "FileVersion": product["version"], "InternalName": "LAUNCH",
        "LegalCopyright": f"Copyright (C) {time.gmtime().tm_year} "
                          f"{product['company']}",
        "OriginalFilename": "LAUNCH.EXE", "ProductName": product["name"],
        "ProductVersion": product["version"],
    }


def version_block(brand):
    version = ", ".join(str(n) for n in version_numbers(brand))
    values = version_values(brand)
    value_lines = "\n".join(f'      VALUE "{k}", {rc_text(v)}' for k, v in values.items())
    return f"""1 VERSIONINFO
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


def resource_script(brand):
    ids = ", ".join(f"0x{languages.langid(tag):04X}" for tag in brand["languages"])
    blocks = "\n".join(language_block(brand, tag) for tag in brand["languages"])
    sounds = "\n".join(f'{number} WAVE "{name}"' for number, name in SOUNDS.items())
    return f"""// A branded launcher, made by tools/brand.py from brand.ini: edit that, not this.
#pragma code_page(65001)
#include <windows.h>

LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL

1 ICON "launcher.ico"
1 RT_MANIFEST "launcher.manifest"

{sounds}

// The languages the launcher chooses from, the default first.
1000 RCDATA
BEGIN
  {ids}
END

{version_block(brand)}
{blocks}"""


def autorun_inf(brand):
    """AutoRun's file, in the default language: plain ASCII where the texts allow, else
    UTF-16 with its mark."""
    title = brand["strings"][brand["languages"][0]][1006]
    lines = ["[autorun]", "open=LAUNCH.EXE", "icon=LAUNCH.EXE,0",
             f"label={brand['product']['label']}", f"action=Run {title}"]
    text = "".join(line + "\r\n" for line in lines)
    try:
        return text.encode("ascii")
    except UnicodeEncodeError:
        return b"\xff\xfe" + text.encode("utf-16-le")


def shell_quote(text):
    return "'" + text.replace("'", "'\\''") + "'"


def brand_env(brand):
    """What scripts/lib/brand.sh reads: the disc's label, demo path and the files and
    folders the commands need on it; the languages and each one's title; a design's
    picture size."""
    tags = brand["languages"]
    lines = [f"BRAND_LABEL={shell_quote(brand['product']['label'])}",
             f"BRAND_DEMO_PATH={shell_quote(brand['demo_path'])}",
             f"BRAND_TITLE={shell_quote(brand['strings'][tags[0]][1006])}",
             f"BRAND_TARGETS=({' '.join(shell_quote(t) for t in brand['targets'])})",
             f"BRAND_FOLDERS=({' '.join(shell_quote(f) for f in brand['folders'])})",
             f"BRAND_LANGUAGES={shell_quote(' '.join(tags))}"]
    lines += [f"BRAND_TITLE_{tag.replace('-', '_')}={shell_quote(brand['strings'][tag][1006])}"
              for tag in tags]
    design = brand.get("design")
    if design is not None:  # the picture's size, for the check of the converted art
        lines.append(f"BRAND_PICTURE_SIZE={design.width}x{design.height}")
    return "\n".join(lines) + "\n"
