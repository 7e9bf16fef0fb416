"""Norvane's button places, read from buttons/button_places.def: the one table of them,
which the launcher compiles and the tools and tests read. Standard library only."""

import re
from pathlib import Path

PLACES_FILE = Path(__file__).resolve().parent.parent / "buttons" / "button_places.def"
_ROW = re.compile(r"^BUTTON_PLACE\((\d+), *(\d+), *(\d+)\)", re.MULTILINE)


def read_button_places(path=PLACES_FILE):
    """{control id: (x, y)}, the top-left corner of each 42x42 button in Tab order."""
    return {int(n): (int(x), int(y)) for n, x, y in _ROW.findall(Path(path).read_text())}


BUTTON_PLACES = read_button_places()
