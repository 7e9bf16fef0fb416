#!/usr/bin/env python3
"""Checks a screenshot of the opened launcher against the picture it carries.

    screen_check.py SCREENSHOT.ppm PICTURE.bmp LEFT TOP [ID=FRAME ...] [--palette | --depth16]

Without --palette (a true-colour display): inside the inscribed ellipse of the window at
(LEFT, TOP) every pixel is the picture's, pixel for pixel, except on the four round
buttons, and outside it the screen shows the black desktop. Each button's 42x42 square
shows the picture on its top row and left column and its face's frame (faceID.bmp beside
the picture) everywhere else: the frame named by ID=FRAME (normal, highlighted or
pressed), the normal frame for buttons not named. With --palette (a 256-colour display, which Wine renders with only a
few distinct colours) it checks only that the ellipse shows a picture, not the desktop,
and that the desktop around it is untouched. Pixels within two pixels of the ellipse's
edge are skipped: how a region rounds its boundary belongs to the platform. With --depth16 (a
65,536-colour display, red, green and blue in 5, 6 and 5 bits) the screen and the picture
are compared by the top 5 bits of each colour, however the screenshot widened them again:
Wine converts pictures for such a screen through 5 bits of green, so the sixth is 0.
Standard library only."""
import math
import os
import struct
import sys

EDGE_MARGIN = 2.0
BUTTON_SIZE = 42
# Top-left corners of the buttons on the picture, by control id: the launcher's own table.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from button_places import BUTTON_PLACES  # noqa: E402
FRAME_XS = {"normal": 0, "highlighted": 42, "pressed": 84}


def read_ppm(path):
    """Width, height and the RGB bytes, row after row."""
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise SystemExit(f"{path}: not an 8-bit binary PPM")
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def read_picture(path):
    """An 8-bit bottom-up BMP: width, height and its rows of RGB bytes, top row first."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 8 or height <= 0:
        raise SystemExit(f"{path}: expected an 8-bit bottom-up picture")
    table = data[54:54 + 1024].ljust(1024, b"\0")
    # One translation per colour channel turns a row of indices into that channel's bytes:
    # whole rows at once, which a pixel loop can't match on an emulated machine.
    reds, greens, blues = table[2::4], table[1::4], table[0::4]
    row_bytes = (width + 3) & ~3
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y) * row_bytes
        indices = data[start:start + width]
        row = bytearray(3 * width)
        row[0::3], row[1::3], row[2::3] = (indices.translate(reds), indices.translate(greens),
                                           indices.translate(blues))
        rows.append(row)
    return width, height, rows


def expected_screen(rows, picture_path, frames):
    """The launcher's rows as they should look with each button in its frame."""
    folder = os.path.dirname(picture_path)
    for button, (bx, by) in BUTTON_PLACES.items():
        frame_x = FRAME_XS[frames.get(button, "normal")]
        _, _, face = read_picture(os.path.join(folder, f"face{button}.bmp"))
        for j in range(1, BUTTON_SIZE):
            rows[by + j][3 * (bx + 1):3 * (bx + BUTTON_SIZE)] = \
                face[j][3 * (frame_x + 1):3 * (frame_x + BUTTON_SIZE)]
    return rows


def parse_frames(args):
    frames = {}
    for arg in args:
        button, frame = arg.split("=")
        if int(button) not in BUTTON_PLACES or frame not in FRAME_XS:
            raise SystemExit(f"unknown button frame {arg}")
        frames[int(button)] = frame
    return frames


def ellipse_distance(x, y, w, h):
    """Roughly how many pixels (x, y)'s centre lies inside (+) or outside (-) the ellipse."""
    cx, cy, rx, ry = w / 2, h / 2, w / 2, h / 2
    dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
    r = (dx * dx + dy * dy) ** 0.5
    return (1 - r) * min(rx, ry)


def run_where(holds, y, w, h, radius, lo, hi):
    """The x in [lo, hi) of row y where holds(x), a test on ellipse_distance: one run, as that
    distance is highest in the middle and falls off to both sides. The run is first guessed
    from the ellipse of the given radius (in half-axes) that the test stands for; holds
    itself then settles both ends, so that rounding can't move them."""
    a = b = int((w - 1) / 2)
    dy = (y + 0.5 - h / 2) / (h / 2)
    if radius * radius > dy * dy:
        half = w / 2 * math.sqrt(radius * radius - dy * dy)
        a, b = int(math.floor(w / 2 - 0.5 - half)), int(math.ceil(w / 2 - 0.5 + half)) + 1
    a, b = min(max(a, lo), hi), min(max(b, lo), hi)
    while a > lo and holds(a - 1):
        a -= 1
    while a < b and not holds(a):
        a += 1
    while b < hi and holds(b):
        b += 1
    while b > a and not holds(b - 1):
        b -= 1
    return a, b


def pixels_of(row):
    return [tuple(row[i:i + 3]) for i in range(0, len(row), 3)]


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    palette = "--palette" in sys.argv
    top5 = bytes(i >> 3 for i in range(256))
    reduce = (lambda row: row.translate(top5)) if "--depth16" in sys.argv else (lambda row: row)
    shot_path, picture_path, left, top = args[0], args[1], int(args[2]), int(args[3])
    frames = parse_frames(args[4:])
    sw, sh, screen = read_ppm(shot_path)
    w, h, rows = read_picture(picture_path)
    picture = expected_screen(rows, picture_path, frames)
    inner = 1 - EDGE_MARGIN / min(w / 2, h / 2)
    outer = 1 + EDGE_MARGIN / min(w / 2, h / 2)
    wrong_inside, wrong_outside, inside_colours = [], [], set()
    lo, hi = max(-4, -left), min(w + 4, sw - left)  # the columns on the screen
    for y in range(-4, h + 4) if lo < hi else ():
        sy = top + y
        if not 0 <= sy < sh:
            continue
        def seen(a, b):
            return screen[3 * (sy * sw + left + a):3 * (sy * sw + left + b)]
        a, b = run_where(lambda x: ellipse_distance(x, y, w, h) > EDGE_MARGIN, y, w, h, inner,
                         lo, hi)
        if a < b:
            shown, wanted = seen(a, b), picture[y][3 * a:3 * b]
            if len(inside_colours) < 4:
                inside_colours.update(pixels_of(shown))
            if not palette and reduce(shown) != reduce(wanted):
                for x, got, want in zip(range(a, b), pixels_of(shown), pixels_of(wanted)):
                    if reduce(bytes(got)) != reduce(bytes(want)):
                        wrong_inside.append((x, y, got, want))
        c, e = run_where(lambda x: ellipse_distance(x, y, w, h) >= -EDGE_MARGIN, y, w, h, outer,
                         lo, hi)
        if c == e:
            c = e = hi
        for start, end in ((lo, c), (e, hi)):
            shown = seen(start, end)
            if shown.count(0) != len(shown):
                wrong_outside += [(x, y, got) for x, got in zip(range(start, end), pixels_of(shown))
                                  if got != (0, 0, 0)]
    problems = []
    if wrong_inside:
        problems.append(f"{len(wrong_inside)} pixels inside the ellipse differ from the picture, "
                        f"first {wrong_inside[:3]} (x, y, screen, picture)")
    if wrong_outside:
        problems.append(f"{len(wrong_outside)} pixels outside the ellipse are not the desktop, "
                        f"first {wrong_outside[:3]}")
    if palette and len(inside_colours) < 4:
        problems.append(f"the ellipse shows only {len(inside_colours)} colours: no picture")
    if problems:
        print("screen check failed: " + "; ".join(problems))
        return 1
    named = ", ".join(f"{b} {f}" for b, f in sorted(frames.items())) or "all normal"
    print(f"screen check ok: the picture at ({left},{top}) inside its ellipse, desktop outside; "
          f"buttons: {named}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
