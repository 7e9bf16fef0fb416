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
import os
import struct
import sys

EDGE_MARGIN = 2.0
BUTTON_SIZE = 42
# Top-left corners of the buttons on the picture, by control id.
BUTTON_PLACES = {201: (217, 109), 202: (242, 162), 203: (193, 203), 204: (248, 42)}
FRAME_XS = {"normal": 0, "highlighted": 42, "pressed": 84}


def read_ppm(path):
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
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:]
    return width, height, lambda x, y: tuple(pixels[3 * (y * width + x):3 * (y * width + x) + 3])


def read_picture(path):
    """An 8-bit bottom-up BMP: returns width, height and a pixel(x, y) -> (r, g, b)."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 8 or height <= 0:
        raise SystemExit(f"{path}: expected an 8-bit bottom-up picture")
    table = data[54:54 + 1024]
    row_bytes = (width + 3) & ~3

    def pixel(x, y):
        index = data[offset + (height - 1 - y) * row_bytes + x]
        b, g, r = table[4 * index:4 * index + 3]
        return (r, g, b)

    return width, height, pixel


def expected_screen(picture, picture_path, frames):
    """pixel(x, y) of the launcher as it should look with each button in its frame."""
    folder = os.path.dirname(picture_path)
    squares = {}
    for button, (bx, by) in BUTTON_PLACES.items():
        frame_x = FRAME_XS[frames.get(button, "normal")]
        _, _, face = read_picture(os.path.join(folder, f"face{button}.bmp"))
        for j in range(1, BUTTON_SIZE):
            for i in range(1, BUTTON_SIZE):
                squares[(bx + i, by + j)] = face(frame_x + i, j)
    return lambda x, y: squares[(x, y)] if (x, y) in squares else picture(x, y)


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


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    palette = "--palette" in sys.argv
    reduce = (lambda c: (c[0] >> 3, c[1] >> 3, c[2] >> 3)) if "--depth16" in sys.argv else \
        (lambda c: c)
    shot_path, picture_path, left, top = args[0], args[1], int(args[2]), int(args[3])
    frames = parse_frames(args[4:])
    sw, sh, screen = read_ppm(shot_path)
    w, h, picture = read_picture(picture_path)
    picture = expected_screen(picture, picture_path, frames)
    desktop = (0, 0, 0)
    wrong_inside, wrong_outside, inside_colours = [], [], set()
    for y in range(-4, h + 4):
        for x in range(-4, w + 4):
            sx, sy = left + x, top + y
            if not (0 <= sx < sw and 0 <= sy < sh):
                continue
            d = ellipse_distance(x, y, w, h)
            seen = screen(sx, sy)
            if d > EDGE_MARGIN:
                inside_colours.add(seen)
                if not palette and reduce(seen) != reduce(picture(x, y)):
                    wrong_inside.append((x, y, seen, picture(x, y)))
            elif d < -EDGE_MARGIN and seen != desktop:
                wrong_outside.append((x, y, seen))
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
