"""The installed state: how the launcher tells that the product is on the machine
([product] installed and uninstall), and what its entries are called and do then
([buttons.installed], [commands.installed], their .TAG sections, picture.installed.png).
Without `installed =` none of it is written and the launcher never looks."""

import re

from branding import commands
from branding.languages import text_of

FOLDERS = ("ProgramFiles", "ProgramFilesX86", "LocalAppData", "CommonAppData")
PRODUCT_CODE = re.compile(r"\{[0-9A-Fa-f]{8}(-[0-9A-Fa-f]{4}){3}-[0-9A-Fa-f]{12}\}")
LONGEST_FOLDER_PATH = 200
LONGEST_KEY_NAME = 255  # the registry's longest key name
NAMES, COMMANDS = "buttons.installed", "commands.installed"
SECTIONS = (NAMES, COMMANDS)
PICTURE = "picture.installed"
# The launcher's strings (string 1023 turns the state on; the rest fall back to the
# entries' own): the rule and the Uninstall entry in the default language, then per entry
# id its name at 1030 + id - 201 and its command at 1040 + id - 201.
RULE, UNINSTALL, FIRST_NAME, FIRST_COMMAND, FIRST_ID, EXIT_ID = 1023, 1024, 1030, 1040, 201, 204
NOT_IN_NAMES = set('<>:"/|?*{}')
REMOVE_NEEDS = ("remove needs [product] installed = msi {PRODUCT-CODE}, or installed = file "
                "with [product] uninstall = the key name of its Uninstall entry")


def units(text):
    return len(text.encode("utf-16-le")) // 2


def split_section(section):
    """[buttons.installed.de-DE]: ("buttons.installed", "de-DE"); [buttons.de-DE]:
    ("buttons", "de-DE")."""
    for base in SECTIONS:
        if section == base or section.startswith(base + "."):
            return base, section[len(base) + 1:]
    base, _, tag = section.partition(".")
    return base, tag


def folder_path_problem(path):
    """Why `path` is no {Folder}\\name\\...\\name under a known folder, or None."""
    folder, _, rest = path.partition("\\")
    known = ", ".join("{" + name + "}" for name in FOLDERS)
    if not re.fullmatch(r"\{[^{}\\]*\}", folder):
        return f"must begin with a known folder and a backslash: {known}"
    if folder[1:-1] not in FOLDERS:
        return f"{folder} is no known folder; they are {known}"
    for name in rest.split("\\"):
        if name in ("", ".", ".."):
            return "an empty name, . or .. can't be in the path"
        if name.startswith(" "):
            return f"'{name}': a name can't begin with a space"
        if any(c in NOT_IN_NAMES or ord(c) < 32 for c in name):
            return f"'{name}': < > : \" / | ? * {{ }} and control characters can't be in a name"
    if units(path) > LONGEST_FOLDER_PATH:
        return f"is {units(path)} characters long; the launcher holds at most " \
               f"{LONGEST_FOLDER_PATH}"
    return None


def read_rule(text):
    """[product] installed as string 1023 holds it, and why it can't be one (or None)."""
    match = re.fullmatch(r"(msi|file)\s+(\S.*)", text)
    if not match:
        return None, f"'{text}' is neither msi {{PRODUCT-CODE}} nor file {{Folder}}\\path"
    kind, target = match.groups()
    if kind == "msi" and not PRODUCT_CODE.fullmatch(target):
        return None, (f"'{target}' is no product code: 8-4-4-4-12 hex digits in braces, "
                      "{8A4C1E2B-1234-4D5E-9F00-0123456789AB}")
    why = folder_path_problem(target) if kind == "file" else None
    return (None, f"'{target}': {why}") if why else (f"{kind} {target}", None)


def command_problem(text, removable):
    """Why `text` can't be an entry's command while installed, or None: start and remove
    here; the other forms as everywhere (commands.problem)."""
    if text == "none":
        return "none can't be in [commands.installed]: a button can't come or go while " \
               "the launcher is open"
    if text == "remove":
        return None if removable else REMOVE_NEEDS
    keyword, _, argument = text.partition(" ")
    if keyword == "remove":
        return f"'{text}': remove takes nothing after it"
    if keyword != "start":
        return commands.problem(text)
    why = folder_path_problem(argument)
    if why:
        return f"'{argument}': {why}"
    if not argument.lower().endswith(".exe"):
        return f"'{argument}': start starts a program (.exe)"
    return None


def check(ini, problems):
    """[product] installed and uninstall, and what needs them."""
    product = ini.get("product", {})
    rule, uninstall = product.get("installed"), product.get("uninstall")
    kind = None
    if rule is not None:
        normal, why = read_rule(rule)
        if why:
            problems.append(f"brand.ini: [product] installed {why}")
        kind = normal.split()[0] if normal else None
    elif uninstall is not None or any(split_section(s)[0] in SECTIONS for s in ini):
        problems.append("brand.ini: [product] installed is missing: what tells that the "
                        "product is installed, for [product] uninstall, [buttons.installed] "
                        "and [commands.installed]")
    if uninstall is not None and kind == "msi":
        problems.append("brand.ini: [product] uninstall goes with installed = file; a Windows "
                        "Installer product is removed by its product code")
    if uninstall is not None and "\\" in uninstall:
        problems.append(f"brand.ini: [product] uninstall '{uninstall}': the key name of an "
                        "Uninstall entry has no backslash")
    removable = kind == "msi" or kind == "file" and uninstall is not None or \
        rule is not None and kind is None  # a bad rule is said once
    for section, values in ini.items():
        if split_section(section)[0] == COMMANDS:
            for key, text in values.items():
                why = command_problem(text, removable)
                if why:
                    problems.append(f"brand.ini: [{section}] {key}: {why}")


def check_pictures(brand, ini, listed, own_art, painted, problems):
    """picture.installed.png goes with `installed =`; with labels painted in the picture,
    installed names need it, and a language's own picture its own installed one."""
    given = (brand / f"{PICTURE}.png").exists()
    if "installed" not in ini.get("product", {}):
        if given or any(f"{PICTURE}.png" in art for art in own_art.values()):
            problems.append(f"{PICTURE}.png goes with [product] installed, what tells that "
                            "the product is installed")
        return
    named = [tag for tag in listed if any(
        text_of(ini, tag, NAMES, key) for key in [*ini.get(NAMES, {}),
                                                  *ini.get(f"{NAMES}.{tag}", {})])]
    if not painted or not named:
        return
    if not given:
        problems.append(f"{PICTURE}.png is missing: the labels are painted in the picture, "
                        "and the installed names need a picture that shows them")
    for tag in named:
        own = own_art.get(tag, {}) if tag != listed[0] else {}
        if "picture.png" in own and f"{PICTURE}.png" not in own:
            problems.append(f"{PICTURE}.{tag}.png is missing: picture.{tag}.png paints "
                            f"{tag}'s labels, and its installed names need their own")


def strings(ini, tag, ids, default):
    """{string id: text} of language `tag`; `ids`: {entry name: control id}."""
    found = {}
    product = ini.get("product", {})
    if default and product.get("installed"):
        found[RULE] = read_rule(product["installed"])[0]
        if product.get("uninstall"):
            found[UNINSTALL] = product["uninstall"]
    for name, number in ids.items():
        text = text_of(ini, tag, NAMES, name)
        if text:
            found[FIRST_NAME + number - FIRST_ID] = text
        command = text_of(ini, tag, COMMANDS, name) if number != EXIT_ID else None
        if command:
            found[FIRST_COMMAND + number - FIRST_ID] = command
    return found


def check_hidden(strings_of, ids, command_string, problems):
    """An entry whose own command is none has no installed one: a button can't come or go."""
    for tag, texts in strings_of.items():
        for name, number in ids.items():
            if number != EXIT_ID and texts[command_string(number)] == "none" and \
                    FIRST_COMMAND + number - FIRST_ID in texts:
                problems.append(f"brand.ini: [{COMMANDS}] {name}: {tag}'s {name} is none, "
                                "so it has no command when installed either")
