"""Measuring a drawn label as the launcher will write it: with a font of like metrics
(DejaVu Sans, a little wider than the usual interface faces, so a label that fits here
fits there), at the layout's points on a 96-dpi screen. Needs Pillow (Debian's
python3-pil) and fonts-dejavu-core, only for brands whose labels are drawn."""

import unicodedata
from pathlib import Path

FONT_FILES = [Path("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"),
              Path("/usr/share/fonts/dejavu/DejaVuSans.ttf"),
              Path("/usr/local/share/fonts/DejaVuSans.ttf")]
SCREEN_DPI = 96
OVERSAMPLE = 8  # Pillow takes whole pixel sizes: measure at 8 times and divide


def measurer(tenths, problems):
    """measure(text) -> (width, height) in whole pixels at 100 %, or None with a problem."""
    try:
        from PIL import ImageFont
    except ImportError:
        problems.append("drawn labels are measured with Pillow; install Debian's python3-pil")
        return None
    found = next((path for path in FONT_FILES if path.is_file()), None)
    if found is None:
        problems.append("drawn labels are measured with DejaVuSans.ttf; install Debian's "
                        "fonts-dejavu-core")
        return None
    pixels = tenths / 10 * SCREEN_DPI / 72
    font = ImageFont.truetype(str(found), round(pixels * OVERSAMPLE))
    ascent, descent = font.getmetrics()
    height = -(-(ascent + descent) // OVERSAMPLE)

    def measure(text):
        # Ideographs and kana, which DejaVu lacks, take a whole em, as in the faces that
        # font linking brings.
        wide = sum(unicodedata.east_asian_width(c) in "WF" for c in text)
        narrow = "".join(c for c in text if unicodedata.east_asian_width(c) not in "WF")
        width = font.getlength(narrow) / OVERSAMPLE + wide * pixels
        return -int(-width // 1), height
    return measure
