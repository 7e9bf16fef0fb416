"""Reading and checking a brand folder: brand.ini and the art beside it. Every problem is
one line; nothing is written. What passes becomes the brand as the writers use it."""

import re
import unicodedata

from branding import commands, imaging, installed, label_font, languages, layout
from branding.art import read_rgba
from branding.common import (FACE_FILES, FACE_HEIGHT, FACE_WIDTH, PICTURE, SOUND_FILES)
from branding.disc_names import path_problem
from branding.languages import text_of
from wave_image import wave_problem

# The launcher's buffers, in UTF-16 units without the terminator (media/resource_strings.h,
# commands/failure_message.h, the demo path's commands/command_lines.h); None: no buffer.
LONGEST_COMMAND = 259
KEYS = {
    "product": {"name": None, "company": None, "version": None, "title": 79, "label": None,
                "languages": None, "installed": LONGEST_COMMAND,
                "uninstall": installed.LONGEST_KEY_NAME},
    "demo": {"path": None},
    "buttons": {"install": 63, "demo": 63, "browse": 63, "exit": 63},
    "messages": {"unable": 127},
    "commands": dict.fromkeys(commands.BUTTONS, LONGEST_COMMAND),
}
OPTIONAL = {("product", "languages"), ("product", "installed"), ("product", "uninstall"),
            ("demo", "path"), *(("commands", key) for key in commands.BUTTONS),
            *(("layout", key) for key in layout.KEYS)}
# What a language's own section may say: the texts and commands, not the product's names.
LANGUAGE_KEYS = {"product": {"title": 79}, "buttons": KEYS["buttons"],
                 "messages": KEYS["messages"], "commands": KEYS["commands"]}
LONGEST_DEMO_PATH = 119
LONGEST_VERSION_TEXT = 64  # the version resource's names and texts, for a sane file
DISC_ROOT_NAMES = {"launch.exe", "autorun.inf", "setup.exe"}
DOUBLE = "@2x"  # the suffix of the optional art at twice the size: picture@2x.png
STRING_KEYS = {1001: ("messages", "unable"), 1002: ("buttons", "install"),
               1003: ("buttons", "demo"), 1004: ("buttons", "browse"),
               1005: ("buttons", "exit"), 1006: ("product", "title"),
               1008: ("commands", "install"), 1009: ("commands", "demo"),
               1010: ("commands", "browse")}
COMMAND_STRINGS = (1008, 1009, 1010)  # the commands of buttons 201, 202 and 203


def utf16_units(text):
    return len(text.encode("utf-16-le")) // 2


class Schema:
    """The sections and keys brand.ini may hold: Norvane's, and a design's own entries
    (`[layout] entries`) among the buttons, commands and places."""

    def __init__(self, entries=None):
        known = [n for i, n in enumerate(entries or []) if n not in entries[:i] and
                 (n in layout.STANDARD or layout.OWN_NAME.fullmatch(n) and n != layout.EXIT)]
        self.own = layout.own_entries(known)
        places = dict.fromkeys((known or list(layout.STANDARD)) + [layout.EXIT])
        self.keys = {**KEYS, "buttons": {**KEYS["buttons"], **dict.fromkeys(self.own, 63)},
                     "commands": {**KEYS["commands"],
                                  **dict.fromkeys(self.own, LONGEST_COMMAND)},
                     "layout": layout.KEYS, "places": places}
        self.language_keys = {**LANGUAGE_KEYS, "buttons": self.keys["buttons"],
                              "commands": self.keys["commands"], "places": places}
        for base in ("buttons", "commands"):  # the installed state's: all optional
            self.keys[f"{base}.installed"] = self.language_keys[f"{base}.installed"] = \
                self.keys[base]
        self.optional = OPTIONAL | {("places", key) for key in places} | \
            {(section, key) for section in installed.SECTIONS for key in self.keys[section]}
        if len(known) > layout.MOST_ENTRIES:  # refused as it is: not each one's lines too
            self.optional |= {(section, key) for key in self.own for section in
                              ("buttons", "commands")}
        self.entries = known

    def use_layout(self):
        """With a design, only its entries need names."""
        self.optional |= {("buttons", key) for key in layout.STANDARD
                          if key not in (self.entries or layout.STANDARD)}

    def of(self, section):
        if section in self.keys:
            return self.keys[section]
        base, tag = installed.split_section(section)
        return self.language_keys.get(base) if tag else None


def read_ini(path, problems):
    """{section: {key: value}} from an INI file with `; comment` after values, the line
    of each section's header, and its schema."""
    try:
        text = path.read_bytes().decode("utf-8-sig")
    except UnicodeDecodeError:
        problems.append("brand.ini is not UTF-8")
        return None, {}, Schema()
    schema = Schema(layout.entries_in(text))
    section_keys = schema.of
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
                                f"{', '.join('[' + s + ']' for s in schema.keys)}, and "
                                f"{', '.join('[' + s + '.TAG]' for s in schema.language_keys)} "
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
    return found, lines, schema


def check_text(section, key, value, limit, problems):
    if any(unicodedata.category(c) in ("Cc", "Cs") for c in value):
        problems.append(f"brand.ini: [{section}] {key} holds control characters")
    longest = limit if limit is not None else LONGEST_VERSION_TEXT
    if (limit is not None or section == "product") and utf16_units(value) > longest:
        problems.append(f"brand.ini: [{section}] {key} is {utf16_units(value)} "
                        f"characters long; the launcher holds at most {longest}")


def check_texts(ini, schema, problems):
    optional = schema.optional
    for section, values in ini.items():
        keys = schema.of(section) or {}
        for key, limit in keys.items():
            value = values.get(key)
            if section in schema.keys and (section, key) not in optional and not value or \
                    value == "":
                problems.append(f"brand.ini: [{section}] {key} is missing")
            elif value is not None:
                check_text(section, key, value, limit, problems)
    for section, keys in schema.keys.items():
        if section not in ini and any((section, key) not in optional for key in keys):
            problems.extend(f"brand.ini: [{section}] {key} is missing" for key in keys
                            if (section, key) not in optional)


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


def check_language_sections(ini, lines, listed, schema, problems):
    for section in ini:
        base, tag = installed.split_section(section)
        if not tag or base not in schema.language_keys:
            continue
        where = f"brand.ini line {lines[section]}: [{section}]"
        if tag not in languages.LANGUAGES:
            problems.append(f"{where}: {languages.unknown(tag)}")
        elif tag not in listed:
            problems.append(f"{where}: {tag} is not in [product] languages")


def check_commands(ini, listed, entries, problems):
    """`entries`: the buttons that carry a command, Norvane's three or a design's."""
    demo_path = ini.get("demo", {}).get("path")
    if "demo" in ini.get("commands", {}) and demo_path:
        problems.append("brand.ini: [demo] path and [commands] demo both say what button 202 "
                        "does; keep one")
    if "demo" in entries and not demo_path and \
            not all(text_of(ini, tag, "commands", "demo") for tag in listed):
        problems.append("brand.ini: [demo] path is missing")
    for section, values in ini.items():
        if installed.split_section(section)[0] == "commands":
            for key, text in values.items():
                why = commands.problem(text)
                if why:
                    problems.append(f"brand.ini: [{section}] {key}: {why}")
    for tag in listed:
        if all(text_of(ini, tag, "commands", key) == "none" for key in entries):
            problems.append(f"brand.ini: every command of {tag} is none; at least one button "
                            "stays")


picture_size = imaging.size


def check_picture(brand, name, size, required, problems, what="the launcher's round picture"):
    path = brand / name
    if not path.exists():
        if required:
            problems.append(f"{name} is missing: {what}, {size[0]}x{size[1]}")
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


def art_sizes(design):
    """{name: (width, height)} of the picture and each button's face at 1x."""
    if design is None:
        return {"picture": (PICTURE, PICTURE),
                **{name[:-len(".png")]: (FACE_WIDTH, FACE_HEIGHT) for name in FACE_FILES.values()}}
    return {"picture": (design.width, design.height),
            **{name: (3 * design.size(name) + 1, design.size(name) + 1)
               for name in design.buttons}}


def check_faces(brand, design, problems):
    """A design's faces: three square frames side by side, of any side from 24 to 96 (the
    button's), each making its button that size."""
    for name in design.buttons:
        found = picture_size(brand / f"{name}.png") if (brand / f"{name}.png").exists() else ()
        if found is None:
            problems.append(f"{name}.png can't be read as a picture")
        elif found and (found[0] != 3 * found[1] - 2 or
                        not layout.SMALLEST_FACE <= found[1] - 1 <= layout.LARGEST_FACE):
            problems.append(f"{name}.png is {found[0]}x{found[1]}: three square frames side "
                            f"by side, (3S+1)x(S+1) for a side S of {layout.SMALLEST_FACE} to "
                            f"{layout.LARGEST_FACE} (127x43)")
        elif found:
            design.sizes[name] = found[1] - 1


has_alpha = imaging.has_alpha


def check_double_art(brand, sizes, problems):
    """The optional 2x art: twice the size, and beside its 1x file."""
    for base, (width, height) in sizes.items():
        name = base + ".png"
        if (brand / double(name)).exists() and not (brand / name).exists():
            problems.append(f"{double(name)} needs {name} beside it: the launcher shows "
                            "the 1x art at 100 %")
        check_picture(brand, double(name), (2 * width, 2 * height), False, problems)


def check_language_art(brand, listed, sizes, problems):
    """picture.TAG.png and install.TAG.png-style faces, and their picture.TAG@2x.png:
    {tag: {name: path}}."""
    art_name = re.compile(rf"({'|'.join(map(re.escape, sizes))})\.([^@]+)(@2x)?\.png")
    found = {}
    for path in sorted(brand.iterdir()):
        match = art_name.fullmatch(path.name)
        if not match:
            continue
        tag = match.group(2)
        if match.group(1) == "picture" and tag == "installed":
            continue  # the default's picture.installed.png
        if tag not in languages.LANGUAGES:
            problems.append(f"{path.name}: {languages.unknown(tag)}")
        elif tag not in listed:
            problems.append(f"{path.name}: {tag} is not in [product] languages")
        else:
            size = sizes[match.group(1)]
            if match.group(3):
                size = (2 * size[0], 2 * size[1])
            if match.group(3) and not (brand / f"{match.group(1)}.{tag}.png").exists():
                problems.append(f"{path.name} needs {match.group(1)}.{tag}.png beside it: "
                                "the launcher shows the 1x art at 100 %")
            check_picture(brand, path.name, size, True, problems)
            found.setdefault(tag, {})[match.group(1) + (match.group(3) or "") + ".png"] = path
    return found


def string_keys(design):
    """{string id: (section, key)}: Norvane's, and a design's own entries' names and
    commands."""
    if design is None:
        return STRING_KEYS
    own = layout.own_entries(design.entries)
    return {**STRING_KEYS,
            **{layout.FIRST_OWN_NAME + n: ("buttons", name) for n, name in enumerate(own)},
            **{layout.FIRST_OWN_COMMAND + n: ("commands", name) for n, name in enumerate(own)}}


def command_string(number):
    """The string that holds button `number`'s command."""
    return 1008 + number - 201 if number < layout.FIRST_OWN_ID else \
        layout.FIRST_OWN_COMMAND + number - layout.FIRST_OWN_ID


def button_names(design):
    """{control id: name} of the buttons whose faces a brand may draw."""
    if design is None:
        return {number: name[:-len(".png")] for number, name in FACE_FILES.items()}
    return {number: name for name, number in design.ids().items()}


def entry_ids(design):
    """{entry name: control id}, exit's too."""
    return {name: number for number, name in button_names(design).items()}


def art_of(brand, own, strings, design):
    """One language's set: the picture and the faces as (1x file, 2x file or None: the 1x
    enlarged), a face None for Norvane's; and the buttons left out. A 2x file goes with
    its own 1x file only: a language's own picture never takes the default's 2x."""
    def pick(name):
        if name in own:
            return own[name], own.get(double(name))
        if not (brand / name).exists():
            return None
        return brand / name, brand / double(name) if (brand / double(name)).exists() else None
    buttons = button_names(design)
    hidden = {number for number in buttons if number != layout.EXIT_ID and
              strings[command_string(number)] == "none"}
    found = {"picture": pick("picture.png"),
             **{number: pick(name + ".png") for number, name in buttons.items()}}
    if pick(f"{installed.PICTURE}.png"):
        found["installed"] = pick(f"{installed.PICTURE}.png")
    return found, hidden


def brand_of(brand, ini, listed, own_art, design):
    demo_path = ini.get("demo", {}).get("path") or ""
    strings, targets, folders = {}, [], []
    keys = string_keys(design)
    ids = entry_ids(design)
    for tag in listed:
        texts = {number: text_of(ini, tag, *key) for number, key in keys.items()}
        for number, button in zip(COMMAND_STRINGS, commands.BUTTONS):
            if design is not None and button not in design.entries:
                texts[number] = "none"
            texts[number] = texts[number] or commands.default(button, demo_path)
        texts.update(installed.strings(ini, tag, ids, tag == listed[0]))
        for number in sorted(n for n, key in keys.items() if key[0] == "commands") + \
                [n for n in sorted(texts) if n >= installed.FIRST_COMMAND]:
            for found, needed in ((commands.disc_target(texts[number]), targets),
                                  (commands.disc_folder(texts[number]), folders)):
                if found and found not in needed:
                    needed.append(found)
        strings[tag] = {1000: "BUTTON", 1007: demo_path,
                        **{number: text or "" for number, text in texts.items()}}
    art = {listed[0]: art_of(brand, {}, strings[listed[0]], design)}
    art.update({tag: art_of(brand, own_art[tag], strings[tag], design) for tag in listed[1:]
                if tag in own_art})
    return {"product": ini["product"], "languages": listed, "strings": strings,
            "demo_path": demo_path, "targets": targets, "folders": folders, "art": art,
            "design": design}


def check_design(brand, design, strings, problems):
    """Every language's buttons inside the picture's shape and clear of each other, and
    its drawn labels beside them."""
    alpha = None
    if design.outline:
        rows = read_rgba(brand / "picture.png", design.width, design.height)
        alpha = [[pixel[3] for pixel in row] for row in rows]
    shape = layout.Shape(design.width, design.height, alpha)
    tags = list(strings)
    layout.check_places(design, shape, tags, problems)
    if problems or not design.drawn:
        return
    measure = label_font.measurer(design.tenths, problems)
    if measure is None:
        return
    numbers = entry_ids(design)
    name_string = lambda number: 1002 + number - 201 if number < layout.FIRST_OWN_ID else \
        layout.FIRST_OWN_NAME + number - layout.FIRST_OWN_ID
    texts = {tag: {name: strings[tag][name_string(numbers[name])] for name in design.buttons}
             for tag in tags}
    hidden = {tag: {name for name in design.entries
                    if strings[tag][command_string(numbers[name])] == "none"} for tag in tags}
    layout.check_labels(design, shape, measure, texts, hidden, problems)
    installed_names = {tag: {name: strings[tag].get(installed.FIRST_NAME + numbers[name] -
                                                    installed.FIRST_ID, text)
                             for name, text in names.items()} for tag, names in texts.items()}
    if installed_names != texts and not problems:
        found = []
        layout.check_labels(design, shape, measure, installed_names, hidden, found)
        problems.extend(line.replace("'s label", "'s installed label", 1) for line in found)


def check_art(brand, design, listed, problems):
    """The picture, icon, faces and sounds, and each language's own art: {tag: {name:
    path}}."""
    if design is None:
        check_picture(brand, "picture.png", (PICTURE, PICTURE), True, problems)
    else:
        check_picture(brand, "picture.png", (design.width, design.height), True, problems,
                      "the launcher's picture")
        if design.outline and (brand / "picture.png").exists() and \
                not has_alpha(brand / "picture.png"):
            problems.append("picture.png has no alpha channel: with [layout] shape = picture, "
                            "the window is its opaque pixels")
    check_picture(brand, "icon.png", None, False, problems)
    if design is None:
        for name in FACE_FILES.values():
            check_picture(brand, name, (FACE_WIDTH, FACE_HEIGHT), False, problems)
    else:
        check_faces(brand, design, problems)
    sizes = art_sizes(design)
    sizes = {installed.PICTURE: sizes["picture"], **sizes}  # before picture, its name's start
    check_picture(brand, f"{installed.PICTURE}.png", sizes["picture"], False, problems)
    check_double_art(brand, sizes, problems)
    own_art = check_language_art(brand, listed, sizes, problems)
    check_sounds(brand, problems)
    return own_art


def validate(brand):
    """The brand in `brand`, and the problems that keep it from being built."""
    problems = []
    if not brand.is_dir():
        return None, [f"{brand} is no folder"]
    ini, listed, design = None, [languages.DEFAULT], None
    if not (brand / "brand.ini").is_file():
        problems.append("brand.ini is missing")
    else:
        ini, lines, schema = read_ini(brand / "brand.ini", problems)
    if ini is not None:
        design = layout.read(ini, problems)
        if design is not None:
            schema.use_layout()
        check_texts(ini, schema, problems)
        product = ini.get("product", {})
        listed = languages.read_list(product.get("languages"), problems)
        check_language_sections(ini, lines, listed, schema, problems)
        check_version(product.get("version"), problems)
        check_label(product.get("label"), problems)
        for section, values in ini.items():
            if section.partition(".")[0] == "messages":
                check_unable(section, values.get("unable"), problems)
        check_demo_path(ini.get("demo", {}).get("path"), problems)
        installed.check(ini, problems)
        check_commands(ini, listed, design.entries if design else list(commands.BUTTONS),
                       problems)
    own_art = check_art(brand, design, listed, problems)
    if ini is not None:
        painted = design is None or not design.drawn
        installed.check_pictures(brand, ini, listed, own_art, painted, problems)
    if problems or ini is None:
        return None, problems
    found = brand_of(brand, ini, listed or [languages.DEFAULT], own_art, design)
    installed.check_hidden(found["strings"], entry_ids(design), command_string, problems)
    if design is not None:
        check_design(brand, design, found["strings"], problems)
    return (None if problems else found), problems
