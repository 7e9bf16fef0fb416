"""What a path on the disc may be: the name rules of scripts/make-disc, for the paths
brand.ini names."""

import re

RESERVED = set('<>:"/\\|?*;')
DEVICE_NAME = re.compile(r"^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$", re.IGNORECASE)
DEEPEST = 8
LONGEST_PATH = 240


def name_problem(name):
    """Why a name can't be on the disc, or None."""
    if name in ("", ".", ".."):
        return "an empty name, . or .. can't be on the disc"
    if len(name) > 64:
        return "names on the disc have at most 64 characters"
    if any(c in RESERVED for c in name):
        return '< > : " / \\ | ? * ; can\'t be in a name on the disc'
    if any(ord(c) < 32 for c in name):
        return "control characters can't be in a name on the disc"
    if any(ord(c) > 0xFFFF for c in name):
        return "only names of Unicode's basic plane can be on the disc"
    if name[-1] in ". ":
        return "a name on the disc can't end in a dot or a space"
    if DEVICE_NAME.match(name.split(".")[0]):
        return f"Windows keeps the name {name.split('.')[0]} for a device"
    return None


def path_problem(path):
    """Why a path from the disc's root (a leading backslash allowed) or from the
    launcher's folder can't name something on the disc, or None."""
    if re.match(r"^[A-Za-z]:", path) or "/" in path or path.startswith("\\\\"):
        return "must be a Windows path on the disc, with backslashes and no drive"
    names = path[path.startswith("\\"):].split("\\")
    for name in names:
        why = name_problem(name)
        if why:
            return f"'{name}': {why}"
    if len(names) > DEEPEST:
        return f"folders on the disc are at most {DEEPEST} levels deep"
    if len(path) > LONGEST_PATH:
        return f"paths on the disc have at most {LONGEST_PATH} characters"
    return None
