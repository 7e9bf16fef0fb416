"""Reading and checking a brand folder: brand.ini and the art beside it. Every problem is
one line; nothing is written."""

import re
import subprocess
import unicodedata

from branding.common import (FACE_FILES, FACE_HEIGHT, FACE_WIDTH, PICTURE, SOUND_FILES)
from wave_image import wave_problem

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
