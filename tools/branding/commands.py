"""What a command button does, as brand.ini's [commands] and the launcher's strings 1008 to
1010 say it: `run PATH`, `open PATH`, `web URL`, `browse [PATH]` or `none` (and, once the
product is installed, `start` and `remove`: branding.installed)."""

import re

from branding.disc_names import path_problem

BUTTONS = {"install": 201, "demo": 202, "browse": 203}
FORMS = "run PATH, open PATH, web URL, browse, browse PATH or none"
PROGRAMS = (".exe", ".msi")
INSTALLED_ONLY = ("start", "remove")  # an installed program's start and removal
# As the launcher checks it again (commands/command_text.cpp): a host of letters, digits,
# dots and hyphens, a port, then a path, query or fragment without spaces, quotes,
# backslashes or control characters. Its digits are ASCII's only, which \d is not.
WEB_ADDRESS = re.compile(r"https://[A-Za-z0-9][A-Za-z0-9.-]*(:[0-9]{1,5})?"
                         r"([/?#][^\x00-\x20\"\\\x7f]*)?")
LONGEST_ADDRESS = 240


def default(button, demo_path):
    """Today's command of a button: Norvane's, with the brand's demo path."""
    return {"install": "run SETUP.EXE", "demo": "run \\" + (demo_path or ""),
            "browse": "browse"}[button]


def spaced_name_problem(path):
    """The launcher reads a space at a name's start as a second space after the word."""
    spaced = [name for name in path.split("\\") if name.startswith(" ")]
    return f"'{spaced[0]}': a name in a command can't begin with a space" if spaced else None


def problem(text):
    """Why `text` is no command the launcher carries out, or None."""
    if text in ("none", "browse"):
        return None
    keyword, _, argument = text.partition(" ")
    if keyword in INSTALLED_ONLY:
        return f"'{text}': {keyword} is only for [commands.installed]"
    if keyword not in ("run", "open", "web", "browse") or not argument:
        return f"'{text}' is none of {FORMS} (one space after the word)"
    if keyword == "web":
        if len(argument) > LONGEST_ADDRESS or not WEB_ADDRESS.fullmatch(argument):
            return f"'{argument}' is no https:// address with a host"
        return None
    why = path_problem(argument) or spaced_name_problem(argument)
    if why:
        return f"'{argument}': {why}"
    extension = "." + argument.rsplit(".", 1)[-1].lower() if "." in argument else ""
    if keyword == "run" and extension not in PROGRAMS:
        return f"'{argument}': run starts a program (.exe) or an installer package (.msi)"
    if keyword == "open" and (not extension or extension in PROGRAMS):
        return f"'{argument}': open takes a document (.pdf, .html, .txt...); programs are run"
    return None


def path_from_root(text, keywords):
    keyword, _, argument = text.partition(" ")
    return argument.lstrip("\\") if keyword in keywords and argument else None


def disc_target(text):
    """The file a `run` or `open` command needs on the disc, as a path from its root with
    backslashes, or None."""
    return path_from_root(text, ("run", "open"))


def disc_folder(text):
    """The folder a `browse PATH` command shows, as a path from the disc's root, or None."""
    return path_from_root(text, ("browse",))
