"""What the launcher fixes about a brand's art: sizes, file names, the buttons' places."""

from pathlib import Path

# The buttons' places, the corner colour and the 16 colours every display mode has, as the
# launcher and its asset checker know them.
from check_assets import BUTTON_PLACES, CORNER_INDEX, STANDARD_COLOURS  # noqa: F401

REPO = Path(__file__).resolve().parents[2]
NORVANE = REPO / "resources"

PICTURE = 360
FACE_WIDTH, FACE_HEIGHT, FRAME = 127, 43, 42
NORMAL, HIGHLIGHTED, PRESSED = 0, 42, 84
FACE_FILES = {201: "install.png", 202: "demo.png", 203: "browse.png", 204: "exit.png"}
SOUND_FILES = ["press.wav", "release.wav", "highlight.wav", "open.wav", "ready.wav",
               "close.wav"]


class BadBrand(Exception):
    pass
