"""Reading and checking a brand folder: brand.ini and the art beside it. Every problem is
one line; nothing is written. What passes becomes the brand as the writers use it."""

import re
import subprocess
import unicodedata

from branding import commands, languages
from branding.common import (FACE_FILES, FACE_HEIGHT, FACE_WIDTH, PICTURE, SOUND_FILES)
from branding.disc_names import path_problem
from wave_image import wave_problem

# The launcher's buffers, in UTF-16 units without the terminator (media/resource_strings.h,
# commands/failure_message.h, the demo path's commands/command_lines.h); None: no buffer.
LONGEST_COMMAND = 259
KEYS = {
    "product": {"name": None, "company": None, "version": None, "title": 79, "label": None,
                "languages": None},
    "demo": {"path": None},
    "buttons": {"install": 63, "demo": 63, "browse": 63, "exit": 63},
    "messages": {"unable": 127},
    "commands": dict.fromkeys(commands.BUTTONS, LONGEST_COMMAND),
}
OPTIONAL = {("product", "languages"), ("demo", "path"), *(("commands", key) for key in
                                                          commands.BUTTONS)}
# What a language's own section may say: the texts and commands, not the product's names.
LANGUAGE_KEYS = {"product": {"title": 79}, "buttons": KEYS["buttons"],
                 "messages": KEYS["messages"], "commands": KEYS["commands"]}
LONGEST_DEMO_PATH = 119
LONGEST_VERSION_TEXT = 64  # the version resource's names and texts, for a sane file
DISC_ROOT_NAMES = {"launch.exe", "autorun.inf", "setup.exe"}
ART_NAME = re.compile(r"(picture|install|demo|browse|exit)\.([^@]+)(@2x)?\.png")
DOUBLE = "@2x"  # the suffix of the optional art at twice the size: picture@2x.png
STRING_KEYS = {1001: ("messages", "unable"), 1002: ("buttons", "install"),
               1003: ("buttons", "demo"), 1004: ("buttons", "browse"),
               1005: ("buttons", "exit"), 1006: ("product", "title"),
               1008: ("commands", "install"), 1009: ("commands", "demo"),
               1010: ("commands", "browse")}
COMMAND_STRINGS = (1008, 1009, 1010)  # the commands of buttons 201, 202 and 203


def utf16_units(text):
    return len(text.encode("utf-16-le")) // 2


def section_keys(section):
    if section in KEYS:
        return KEYS[section]
    base, _, tag = section.partition(".")
    return LANGUAGE_KEYS.get(base) if tag else None


def read_ini(path, problems):
    """{section: {key: value}} from an INI file with `; comment` after values, and the line
    of each section's header."""
    try:
        text = path.read_bytes().decode("utf-8-sig")
    except UnicodeDecodeError:
        problems.append("brand.ini is not UTF-8")
        return None, {}
    found, lines, section = {}, {}, None
    for number, line in enumerate(text.splitlines(), 1):
        line = re.split(r"(?:^|\s);", line, maxsplit=1)[0].strip()
        if not line or line.startswith("#"):
            continue
        where = f"brand.ini line {number}"
        header = re.fullmatch(r"\[(.*)\]", line)
        if header:
            section = header.group(1).strip()
            if section_keys(section) is None:
                problems.append(f"{where}: unknown section [{section}]; the sections are "
                                f"{', '.join('[' + s + ']' for s in KEYS)}, and "
                                f"{', '.join('[' + s + '.TAG]' for s in LANGUAGE_KEYS)} "
                                "for a listed language")
            found.setdefault(section, {})
            lines.setdefault(section, number)
            continue
        if "=" not in line:
            problems.append(f"{where}: '{line}' is not 'key = value'")
            continue
        key, value = (part.strip() for part in line.split("=", 1))
        keys = section_keys(section) if section is not None else None
        if section is None:
            problems.append(f"{where}: '{key}' comes before any [section]")
        elif keys is not None and key not in keys:
            problems.append(f"{where}: unknown key '{key}' in [{section}]; "
                            f"the keys are {', '.join(keys)}")
        elif keys is not None and key in found[section]:
            problems.append(f"{where}: '{key}' is given twice in [{section}]")
        elif keys is not None:
            found[section][key] = value
    return found, lines


def check_text(section, key, value, limit, problems):
    if any(unicodedata.category(c) in ("Cc", "Cs") for c in value):
        problems.append(f"brand.ini: [{section}] {key} holds control characters")
    longest = limit if limit is not None else LONGEST_VERSION_TEXT
    if (limit is not None or section == "product") and utf16_units(value) > longest:
        problems.append(f"brand.ini: [{section}] {key} is {utf16_units(value)} "
                        f"characters long; the launcher holds at most {longest}")


def check_texts(ini, problems):
    for section, values in ini.items():
        keys = section_keys(section) or {}
        for key, limit in keys.items():
            value = values.get(key)
            if section in KEYS and (section, key) not in OPTIONAL and not value or \
                    value == "":
                problems.append(f"brand.ini: [{section}] {key} is missing")
            elif value is not None:
                check_text(section, key, value, limit, problems)
    for section in KEYS:
        if section not in ini and any((section, key) not in OPTIONAL for key in KEYS[section]):
            problems.extend(f"brand.ini: [{section}] {key} is missing" for key in KEYS[section]
                            if (section, key) not in OPTIONAL)


def check_version(version, problems):
    if version and not re.fullmatch(r"\d{1,5}(\.\d{1,5}){0,3}", version) or \
            version and any(int(n) > 65535 for n in version.split(".")):
        problems.append(f"brand.ini: [product] version '{version}' must be 1 to 4 numbers "
                        "from 0 to 65535 with dots between (2.1)")


def check_unable(section, unable, problems):
    if unable and (unable.count("%s") != 1 or unable.count("%") != 1):
        problems.append(f"brand.ini: [{section}] unable '{unable}' must hold exactly one %s "
                        "(the command line) and no other %")


def check_label(label, problems):
    if label and not re.fullmatch(r"[A-Z0-9_]{1,16}", label):
        problems.append(f"brand.ini: [product] label '{label}': a disc's volume label is 1 to "
                        "16 of the capitals A-Z, the digits 0-9 and _")


def check_demo_path(path, problems):
    if not path:
        return
    where = f"brand.ini: [demo] path '{path}'"
    if re.match(r"^([A-Za-z]:|\\|/)", path) or "/" in path:
        problems.append(f"{where}: must be a relative Windows path with backslashes "
                        "(Demos\\Inkwell\\Setup.exe)")
        return
    why = path_problem(path)
    if why:
        problems.append(f"{where}: {why}")
    elif utf16_units(path) > LONGEST_DEMO_PATH:
        problems.append(f"{where}: is {utf16_units(path)} characters long; the launcher "
                        f"holds at most {LONGEST_DEMO_PATH}")
    elif path.split("\\")[0].lower() in DISC_ROOT_NAMES:
        problems.append(f"{where}: '{path.split(chr(92))[0]}' is the launcher's own file on "
                        "the disc")


def check_language_sections(ini, lines, listed, problems):
    for section in ini:
        base, _, tag = section.partition(".")
        if not tag or base not in LANGUAGE_KEYS:
            continue
        where = f"brand.ini line {lines[section]}: [{section}]"
        if tag not in languages.LANGUAGES:
            problems.append(f"{where}: {languages.unknown(tag)}")
        elif tag not in listed:
            problems.append(f"{where}: {tag} is not in [product] languages")


def text_of(ini, tag, section, key):
    """A language's text: its own section's, else the default's."""
    return ini.get(f"{section}.{tag}", {}).get(key, ini.get(section, {}).get(key))


def check_commands(ini, listed, problems):
    demo_path = ini.get("demo", {}).get("path")
    if "demo" in ini.get("commands", {}) and demo_path:
        problems.append("brand.ini: [demo] path and [commands] demo both say what button 202 "
                        "does; keep one")
    if not demo_path and not all(text_of(ini, tag, "commands", "demo") for tag in listed):
        problems.append("brand.ini: [demo] path is missing")
    for section, values in ini.items():
        if section.partition(".")[0] == "commands":
            for key, text in values.items():
                why = commands.problem(text) if key in commands.BUTTONS else None
                if why:
                    problems.append(f"brand.ini: [{section}] {key}: {why}")
    for tag in listed:
        if all(text_of(ini, tag, "commands", key) == "none" for key in commands.BUTTONS):
            problems.append(f"brand.ini: every command of {tag} is none; at least one button "
                            "stays")


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

def check_sounds(brand, problems):
    for name in SOUND_FILES:
        path = brand / name
        if path.exists():
            why = wave_problem(path.read_bytes())
            if why:
                problems.append(f"{name} {why}")


def double(name):
    """picture.png: picture@2x.png."""
    return name[:-len(".png")] + DOUBLE + ".png"


def check_double_art(brand, problems):
    """The optional 2x art: twice the size, and beside its 1x file."""
    sizes = {"picture.png": (PICTURE, PICTURE),
             **dict.fromkeys(FACE_FILES.values(), (FACE_WIDTH, FACE_HEIGHT))}
    for name, (width, height) in sizes.items():
        if (brand / double(name)).exists() and not (brand / name).exists():
            problems.append(f"{double(name)} needs {name} beside it: the launcher shows "
                            "the 1x art at 100 %")
        check_picture(brand, double(name), (2 * width, 2 * height), False, problems)


def check_language_art(brand, listed, problems):
    """picture.TAG.png and install.TAG.png-style faces, and their picture.TAG@2x.png:
    {tag: {name: path}}."""
    found = {}
    for path in sorted(brand.iterdir()):
        match = ART_NAME.fullmatch(path.name)
        if not match:
            continue
        tag = match.group(2)
        if tag not in languages.LANGUAGES:
            problems.append(f"{path.name}: {languages.unknown(tag)}")
        elif tag not in listed:
            problems.append(f"{path.name}: {tag} is not in [product] languages")
        else:
            size = (PICTURE, PICTURE) if match.group(1) == "picture" else (FACE_WIDTH,
                                                                           FACE_HEIGHT)
            if match.group(3):
                size = (2 * size[0], 2 * size[1])
            if match.group(3) and not (brand / f"{match.group(1)}.{tag}.png").exists():
                problems.append(f"{path.name} needs {match.group(1)}.{tag}.png beside it: "
                                "the launcher shows the 1x art at 100 %")
            check_picture(brand, path.name, size, True, problems)
            found.setdefault(tag, {})[match.group(1) + (match.group(3) or "") + ".png"] = path
    return found


def art_of(brand, own, strings):
    """One language's set: the picture and the faces as (1x file, 2x file or None: the 1x
    enlarged), a face None for Norvane's; and the buttons left out. A 2x file goes with
    its own 1x file only: a language's own picture never takes the default's 2x."""
    def pick(name):
        if name in own:
            return own[name], own.get(double(name))
        if not (brand / name).exists():
            return None
        return brand / name, brand / double(name) if (brand / double(name)).exists() else None
    hidden = {button for number, button in zip(COMMAND_STRINGS, commands.BUTTONS.values())
              if strings[number] == "none"}
    return {"picture": pick("picture.png"),
            **{button: pick(name) for button, name in FACE_FILES.items()}}, hidden


def brand_of(brand, ini, listed, own_art):
    demo_path = ini.get("demo", {}).get("path") or ""
    strings, targets, folders = {}, [], []
    for tag in listed:
        texts = {number: text_of(ini, tag, *key) for number, key in STRING_KEYS.items()}
        for number, button in zip(COMMAND_STRINGS, commands.BUTTONS):
            texts[number] = texts[number] or commands.default(button, demo_path)
            for found, needed in ((commands.disc_target(texts[number]), targets),
                                  (commands.disc_folder(texts[number]), folders)):
                if found and found not in needed:
                    needed.append(found)
        strings[tag] = {1000: "BUTTON", 1007: demo_path, **texts}
    art = {listed[0]: art_of(brand, {}, strings[listed[0]])}
    art.update({tag: art_of(brand, own_art[tag], strings[tag]) for tag in listed[1:]
                if tag in own_art})
    return {"product": ini["product"], "languages": listed, "strings": strings,
            "demo_path": demo_path, "targets": targets, "folders": folders, "art": art}


def validate(brand):
    """The brand in `brand`, and the problems that keep it from being built."""
    problems = []
    if not brand.is_dir():
        return None, [f"{brand} is no folder"]
    ini, listed = None, [languages.DEFAULT]
    if not (brand / "brand.ini").is_file():
        problems.append("brand.ini is missing")
    else:
        ini, lines = read_ini(brand / "brand.ini", problems)
    if ini is not None:
        check_texts(ini, problems)
        product = ini.get("product", {})
        listed = languages.read_list(product.get("languages"), problems)
        check_language_sections(ini, lines, listed, problems)
        check_version(product.get("version"), problems)
        check_label(product.get("label"), problems)
        for section, values in ini.items():
            if section.partition(".")[0] == "messages":
                check_unable(section, values.get("unable"), problems)
        check_demo_path(ini.get("demo", {}).get("path"), problems)
        check_commands(ini, listed, problems)
    check_picture(brand, "picture.png", (PICTURE, PICTURE), True, problems)
    check_picture(brand, "icon.png", None, False, problems)
    for name in FACE_FILES.values():
        check_picture(brand, name, (FACE_WIDTH, FACE_HEIGHT), False, problems)
    check_double_art(brand, problems)
    own_art = check_language_art(brand, listed, problems)
    check_sounds(brand, problems)
    if problems or ini is None:
        return None, problems
    return brand_of(brand, ini, listed or [languages.DEFAULT], own_art), problems
