#!/usr/bin/python3
"""Generate the launcher's bitmaps, sounds and icon into resources/.

Every file is written byte for byte the same on every run (fixed seeds, no
timestamps), so the committed output can be regenerated and diffed.

Needs Debian's python3-numpy, python3-pil and fonts-dejavu-core.
Usage: /usr/bin/python3 tools/make_assets.py [OUT_DIR] [--preview PNG]
"""

import argparse
import functools
import math
import struct
import sys
from pathlib import Path

from button_places import BUTTON_PLACES

try:
    import numpy as np
    from PIL import Image, ImageDraw, ImageFilter, ImageFont
except ImportError as missing:
    sys.exit(f"make_assets: {missing}. Install python3-numpy and python3-pil "
             "(apt-get install -y python3-numpy python3-pil).")

REPO_ROOT = Path(__file__).resolve().parent.parent
FONT_DIR = Path("/usr/share/fonts/truetype/dejavu")

# ---------------------------------------------------------------------------
# Layout shared by the picture, the button faces and the checker.

PICTURE_SIZE = 360
DISC_CENTRE = 180.0
DISC_RADIUS = 180.0
CORNER_INDEX = 7  # dark grey, which the launcher window shows around the disc

FRAME = 42                     # one button frame is 42x42 ...
FACE_WIDTH, FACE_HEIGHT = 127, 43
NORMAL, HIGHLIGHTED, PRESSED = 0, 42, 84   # ... at these x offsets in a face
FRAME_STATES = (NORMAL, HIGHLIGHTED, PRESSED)

# Top-left of each button's 42x42 square in the picture (BUTTON_PLACES, from
# buttons/button_places.def).  The square's first row and column are transparent
# (white in the mask), so the visible part is the 41x41 square starting one pixel in.
EXIT_BUTTON = 204

ORB_CENTRE = 21.5      # middle of the visible 41x41 square, frame coordinates
ORB_RADIUS = 17.0      # 34 px across
# Every button effect fades out before this distance from ORB_CENTRE, so the
# pixels a face frame does not cover are never touched by a button state.
EFFECT_LIMIT = 20.3
SUPERSAMPLE = 4

# The 16 colours every display mode has; palette entries 0-15 must be these.
STANDARD_COLOURS = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (128, 128, 128),
    (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

LABELS = {
    201: "Install Norvane",
    202: "Install the Ravelcog demo",
    203: "Browse this disc",
}
LABEL_GAP = 8   # pixels between a label's right end and its orb
TITLE, SUBTITLE = "Norvane", "SETUP"
RIM_TEXT = "NORVANE  \u2022  INSTALLATION DISC"
NOISE_START = 0x4E6F7276  # fixed so every run picks the same palette and noise


# ---------------------------------------------------------------------------
# Small drawing helpers on float RGB arrays (values 0..1, shape h x w x 3).

def require_font(name):
    path = FONT_DIR / name
    if not path.is_file():
        sys.exit(f"make_assets: font {path} is missing. "
                 "Install it with: apt-get install -y fonts-dejavu-core")
    return str(path)


def font(name, size):
    return ImageFont.truetype(require_font(name), size)


def pixel_centres(width, height, scale=1):
    """x and y of every pixel centre, in unscaled pixel units."""
    ys, xs = np.mgrid[0:height * scale, 0:width * scale].astype(np.float64)
    return (xs + 0.5) / scale, (ys + 0.5) / scale


def smoothstep(edge0, edge1, x):
    t = np.clip((x - edge0) / (edge1 - edge0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


def blend(dst, colour, alpha):
    """Paint colour over dst with per-pixel alpha."""
    a = np.asarray(alpha, dtype=np.float64)[..., None]
    return dst * (1.0 - a) + np.asarray(colour, dtype=np.float64) * a


def screen(dst, colour, alpha):
    """Light-adding blend: used for glows so they brighten, never grey out."""
    c = np.asarray(colour, dtype=np.float64) * np.asarray(alpha)[..., None]
    return 1.0 - (1.0 - dst) * (1.0 - c)


def box_reduce(image, scale):
    h, w = image.shape[0] // scale, image.shape[1] // scale
    return image.reshape(h, scale, w, scale, *image.shape[2:]).mean(axis=(1, 3))


def rgb(*values):
    return np.array(values, dtype=np.float64) / 255.0


def text_mask(size, text, face, anchor_xy, anchor, spacing=0):
    """Anti-aliased coverage (0..1) of text drawn with PIL's own hinting."""
    canvas = Image.new("L", size, 0)
    draw = ImageDraw.Draw(canvas)
    if spacing:
        draw_spaced_text(draw, text, face, anchor_xy, anchor, spacing)
    else:
        draw.text(anchor_xy, text, font=face, fill=255, anchor=anchor)
    return np.asarray(canvas, dtype=np.float64) / 255.0


def draw_spaced_text(draw, text, face, anchor_xy, anchor, spacing):
    """Letter-spaced text, centred horizontally on anchor_xy (anchor 'ms')."""
    widths = [face.getlength(ch) for ch in text]
    total = sum(widths) + spacing * (len(text) - 1)
    x = anchor_xy[0] - total / 2.0
    for ch, w in zip(text, widths):
        draw.text((round(x), anchor_xy[1]), ch, font=face, fill=255, anchor="ls")
        x += w + spacing


def soft_shadow(mask, offset, blur):
    image = Image.fromarray(np.uint8(np.round(mask * 255)))
    image = image.transform(image.size, Image.Transform.AFFINE,
                            (1, 0, -offset[0], 0, 1, -offset[1]))
    if blur:
        image = image.filter(ImageFilter.GaussianBlur(blur))
    return np.asarray(image, dtype=np.float64) / 255.0


# ---------------------------------------------------------------------------
# The picture: a glossy disc with title, labels and the buttons' normal look.

def disc_coverage(xs, ys, k):
    r = np.hypot(xs - DISC_CENTRE, ys - DISC_CENTRE)
    return np.clip((DISC_RADIUS - r) * k, 0.0, 1.0), r


def disc_surface(xs, ys, r):
    """Midnight-blue centre to violet rim, with a glossy sheen and grooves."""
    t = r / DISC_RADIUS
    centre, middle, rim = rgb(10, 16, 58), rgb(34, 22, 96), rgb(92, 38, 140)
    colour = blend(np.broadcast_to(centre, xs.shape + (3,)), middle,
                   smoothstep(0.0, 0.65, t))
    colour = blend(colour, rim, smoothstep(0.55, 1.0, t) * 0.85)

    # A broad soft light from the upper left so the disc does not look flat.
    lx, ly = DISC_CENTRE - 70, DISC_CENTRE - 90
    glow = np.exp(-((xs - lx) ** 2 + (ys - ly) ** 2) / (2 * 95.0 ** 2))
    colour = screen(colour, rgb(70, 80, 170), glow * 0.35)

    colour = add_light_ribbon(colour, xs, ys)
    colour = add_grooves(colour, r)
    colour = add_specular_arc(colour, xs, ys, r)
    colour = add_rim(colour, r)
    return colour


def add_light_ribbon(colour, xs, ys):
    # A soft band of light sweeping across the lower half, so the open
    # space under the buttons reads as printed artwork rather than void.
    path = 292.0 - 0.22 * (xs - 180.0) - 14.0 * np.sin((xs - 20.0) / 320.0 * np.pi)
    across = np.exp(-((ys - path) / 11.0) ** 2)
    core = np.exp(-((ys - path - 3.0) / 1.6) ** 2)
    along = np.sin(np.clip(xs / PICTURE_SIZE, 0.0, 1.0) * np.pi) ** 1.5
    colour = screen(colour, rgb(90, 110, 255), across * along * 0.22)
    return screen(colour, rgb(170, 190, 255), core * along * 0.18)


def add_grooves(colour, r):
    # Faint concentric rings near the rim, like the pressed area of a disc.
    band = smoothstep(146, 156, r) * (1.0 - smoothstep(170, 175, r))
    ripple = 0.5 + 0.5 * np.sin(2 * np.pi * r / 3.1)
    ripple += 0.35 * np.sin(2 * np.pi * r / 11.7)
    return screen(colour, rgb(150, 140, 230), band * ripple * 0.07)


def add_specular_arc(colour, xs, ys, r):
    # Light on a glossy disc: a curved streak across the upper left.
    angle = np.arctan2(ys - DISC_CENTRE, xs - DISC_CENTRE)
    towards = np.cos(angle - math.radians(-132.0))
    along = np.clip((towards - 0.55) / 0.45, 0.0, 1.0) ** 1.6
    across = np.exp(-((r - 128.0) / 15.0) ** 2)
    streak = np.exp(-((r - 128.0) / 4.0) ** 2) * 0.5
    colour = screen(colour, rgb(200, 205, 255), along * (across * 0.42 + streak * 0.5))
    # and a fainter echo on the opposite side, as a second light would give
    opposite = np.clip((-towards - 0.75) / 0.25, 0.0, 1.0) ** 2
    return screen(colour, rgb(170, 150, 255), opposite * np.exp(-((r - 150.0) / 9.0) ** 2) * 0.18)


def add_rim(colour, r):
    colour = blend(colour, rgb(20, 10, 45), smoothstep(174.5, 179.5, r) * 0.55)
    line = np.exp(-((r - 177.3) / 0.6) ** 2)
    return screen(colour, rgb(190, 170, 255), line * 0.55)


def render_disc(k):
    xs, ys = pixel_centres(PICTURE_SIZE, PICTURE_SIZE, SUPERSAMPLE * k)
    coverage, r = disc_coverage(xs, ys, k)
    surface = disc_surface(xs, ys, r)
    grey = rgb(*STANDARD_COLOURS[CORNER_INDEX])
    picture = blend(np.broadcast_to(grey, surface.shape), surface, coverage)
    return box_reduce(picture, SUPERSAMPLE)


def outside_disc(k):
    """Pixels the disc does not touch at all: they must stay corner grey."""
    xs, ys = pixel_centres(PICTURE_SIZE, PICTURE_SIZE, k)
    r = np.hypot(xs - DISC_CENTRE, ys - DISC_CENTRE)
    return r >= DISC_RADIUS + 0.75  # beyond the furthest supersample's reach


def draw_title(picture, k):
    size = (PICTURE_SIZE * k, PICTURE_SIZE * k)
    centre_x, baseline = 146, 90      # clear of the EXIT button at x >= 248
    title = text_mask(size, TITLE, font("DejaVuSans-Bold.ttf", 40 * k),
                      (centre_x * k, baseline * k), "ms")
    picture = blend(picture, rgb(0, 0, 20), soft_shadow(title, (2 * k, 3 * k), 2.0 * k) * 0.75)
    # white at the top shading to a pale lavender, like printed foil
    ys = (np.arange(PICTURE_SIZE * k, dtype=np.float64) / k)[:, None, None]
    fill = blend(np.broadcast_to(rgb(255, 255, 255), picture.shape),
                 rgb(200, 195, 255), smoothstep(baseline - 30, baseline, ys)[..., 0])
    picture = blend(picture, fill, title)

    subtitle = text_mask(size, SUBTITLE, font("DejaVuSans.ttf", 11 * k),
                         (centre_x * k, (baseline + 17) * k), "ms", spacing=5 * k)
    picture = blend(picture, rgb(0, 0, 20), soft_shadow(subtitle, (k, k), 0.8 * k) * 0.6)
    picture = blend(picture, rgb(175, 185, 255), subtitle)
    return draw_title_rule(picture, centre_x, baseline + 5, k)


def draw_title_rule(picture, centre_x, y, k):
    # A hairline under the title that fades out at both ends.
    xs, ys = pixel_centres(PICTURE_SIZE, PICTURE_SIZE, k)
    along = np.clip(1.0 - np.abs(xs - centre_x) / 80.0, 0.0, 1.0) ** 1.5
    across = np.exp(-((ys - (y + 0.5)) / 0.55) ** 2)
    return screen(picture, rgb(150, 160, 255), along * across * 0.6)


def draw_rim_text(picture, text, radius, k):
    """Small capitals following the bottom of the disc, as printed discs have."""
    s = SUPERSAMPLE * k
    face = font("DejaVuSans.ttf", 9 * s)
    spacing = 2.2 * s
    big_radius = radius * s
    size = PICTURE_SIZE * s
    canvas = Image.new("L", (size, size), 0)
    widths = [face.getlength(ch) + spacing for ch in text]
    angle = math.pi / 2 + sum(widths) / big_radius / 2      # start left of bottom
    cell = 16 * s
    for ch, width in zip(text, widths):
        middle = angle - width / big_radius / 2
        glyph = Image.new("L", (2 * cell, 2 * cell), 0)
        ImageDraw.Draw(glyph).text((cell, cell), ch, font=face, fill=255, anchor="ms")
        glyph = glyph.rotate(90 - math.degrees(middle), resample=Image.BICUBIC)
        x = DISC_CENTRE * s + big_radius * math.cos(middle)
        y = DISC_CENTRE * s + big_radius * math.sin(middle)
        canvas.paste(255, (round(x) - cell, round(y) - cell), glyph)
        angle -= width / big_radius
    mask = box_reduce(np.asarray(canvas, dtype=np.float64) / 255.0, SUPERSAMPLE)
    return blend(picture, rgb(185, 175, 240), mask * 0.8)


def draw_labels(picture, k):
    face = font("DejaVuSans.ttf", 14 * k)
    cap_height = -face.getbbox("H", anchor="ls")[1]
    size = (PICTURE_SIZE * k, PICTURE_SIZE * k)
    for button, label in LABELS.items():
        bx, by = BUTTON_PLACES[button]
        right = (bx + (ORB_CENTRE - ORB_RADIUS) - LABEL_GAP) * k   # orb's left edge - gap
        baseline = (by + ORB_CENTRE) * k + cap_height / 2.0       # caps centred on orb
        mask = text_mask(size, label, face, (round(right), round(baseline)), "rs")
        picture = blend(picture, rgb(0, 0, 15), soft_shadow(mask, (k, k), 0.9 * k) * 0.85)
        picture = blend(picture, rgb(236, 238, 255), mask)
    return picture


@functools.lru_cache(maxsize=2)
def undecorated_picture(k):
    """Disc and text, computed once per scale: the base under every button state."""
    picture = draw_title(render_disc(k), k)
    picture = draw_rim_text(picture, RIM_TEXT, 160, k)
    return draw_labels(picture, k)


def render_picture_truecolour(k):
    picture = undecorated_picture(k).copy()
    for button in BUTTON_PLACES:
        paste_square(picture, button, render_button(square_of(picture, button, k),
                                                    button, NORMAL, k), k)
    return picture


def square_of(picture, button, k):
    bx, by = BUTTON_PLACES[button]
    return picture[by * k:(by + FRAME) * k, bx * k:(bx + FRAME) * k].copy()


def paste_square(picture, button, square, k):
    bx, by = BUTTON_PLACES[button]
    picture[by * k:(by + FRAME) * k, bx * k:(bx + FRAME) * k] = square


# ---------------------------------------------------------------------------
# Buttons: glossy orbs rendered at 4x and reduced, in three states.

ORB_COLOURS = {
    # (deep shade, body, lit edge) per button
    "blue": (rgb(4, 22, 80), rgb(40, 110, 230), rgb(140, 215, 255)),
    "amber": (rgb(70, 10, 4), rgb(225, 85, 25), rgb(255, 200, 110)),
}
GLOW_COLOUR = rgb(95, 180, 255)


def render_button(background, button, state, k):
    """The 42x42 square (times k) of a button drawn over its background square."""
    xs, ys = pixel_centres(FRAME, FRAME, SUPERSAMPLE * k)
    pushed = 1.0 if state == PRESSED else 0.0
    cx, cy = ORB_CENTRE + pushed, ORB_CENTRE + pushed
    big = np.repeat(np.repeat(background, SUPERSAMPLE, 0), SUPERSAMPLE, 1)

    big = draw_orb_surroundings(big, xs, ys, cx, cy, state)
    big = draw_orb(big, xs, ys, cx, cy, button, state, k)
    big = draw_glyph(big, button, pushed, state, k)
    square = box_reduce(big, SUPERSAMPLE)
    square = draw_exit_text(square, button, pushed, state, k)

    # Keep untouched pixels bit-identical to the background.
    fx, fy = pixel_centres(FRAME, FRAME, k)
    untouched = np.hypot(fx - ORB_CENTRE, fy - ORB_CENTRE) > EFFECT_LIMIT + 0.5 / k
    square[untouched] = background[untouched]
    return square


def effect_window(xs, ys):
    d = np.hypot(xs - ORB_CENTRE, ys - ORB_CENTRE)
    return 1.0 - smoothstep(EFFECT_LIMIT - 1.5, EFFECT_LIMIT, d)


def draw_orb_surroundings(big, xs, ys, cx, cy, state):
    window = effect_window(xs, ys)
    if state == PRESSED:
        # pushed in: a dark socket hugs the orb instead of a cast shadow
        d = np.hypot(xs - cx, ys - cy)
        socket = (1.0 - smoothstep(ORB_RADIUS, ORB_RADIUS + 2.2, d)) * 0.55
        return blend(big, rgb(0, 0, 12), socket * window)
    d = np.hypot(xs - cx, (ys - cy - 1.8) * 1.05)
    shadow = (1.0 - smoothstep(ORB_RADIUS - 2.0, ORB_RADIUS + 2.6, d)) * 0.6
    big = blend(big, rgb(0, 0, 12), shadow * window)
    if state == HIGHLIGHTED:
        d = np.hypot(xs - cx, ys - cy)
        ring = np.exp(-np.maximum(d - ORB_RADIUS, 0.0) / 2.2) * (d > ORB_RADIUS - 1)
        big = screen(big, GLOW_COLOUR, np.minimum(ring * 1.1, 1.0) * window)
    return big


def draw_orb(big, xs, ys, cx, cy, button, state, k):
    deep, body, lit = ORB_COLOURS["amber" if button == EXIT_BUTTON else "blue"]
    u, v = (xs - cx) / ORB_RADIUS, (ys - cy) / ORB_RADIUS
    rr = u * u + v * v
    coverage = np.clip((1.0 - np.sqrt(rr)) * ORB_RADIUS * SUPERSAMPLE * k + 0.5, 0.0, 1.0)
    z = np.sqrt(np.clip(1.0 - rr, 0.0, 1.0))

    # Lit from the top left; the edge darkens like a sphere.
    light = np.array([-0.35, -0.55, 0.76])
    lambert = np.clip(u * light[0] + v * light[1] + z * light[2], 0.0, 1.0)
    colour = blend(np.broadcast_to(deep, xs.shape + (3,)), body, lambert ** 0.8)
    # light passing through the glass gathers at the bottom
    caustic = np.exp(-((v - 0.62) / 0.28) ** 2 - (u / 0.6) ** 2) * 0.55
    colour = screen(colour, lit, caustic)
    colour = blend(colour, deep, smoothstep(0.80, 1.0, np.sqrt(rr)) * 0.5)

    brightness = {NORMAL: 1.0, HIGHLIGHTED: 1.12, PRESSED: 0.68}[state]
    colour = np.clip(colour * brightness, 0.0, 1.0)
    colour = add_gloss(colour, u, v, state)
    return blend(big, colour, coverage)


def add_gloss(colour, u, v, state):
    # The glossy reflection at the top; when pressed it sits lower and dimmer.
    top = -0.50 if state != PRESSED else -0.36
    strength = 0.85 if state != PRESSED else 0.45
    e = (u / 0.70) ** 2 + ((v - top) / 0.40) ** 2
    inside = np.clip((1.0 - e) * 6.0, 0.0, 1.0)
    fade = np.clip((v - (top - 0.40)) / 0.80, 0.0, 1.0)   # 0 at its top, 1 below
    return blend(colour, rgb(255, 255, 255), inside * (1.0 - fade) ** 1.3 * strength)


def glyph_polygons(button):
    """White symbol for each button, in frame pixels around the orb centre."""
    c = ORB_CENTRE
    if button == 201:   # install: an arrow down onto a tray
        return [[(c - 2.2, c - 9), (c + 2.2, c - 9), (c + 2.2, c - 1), (c + 6.5, c - 1),
                 (c, c + 6), (c - 6.5, c - 1), (c - 2.2, c - 1)],
                [(c - 9, c + 6.5), (c - 6.8, c + 6.5), (c - 6.8, c + 8.2), (c + 6.8, c + 8.2),
                 (c + 6.8, c + 6.5), (c + 9, c + 6.5), (c + 9, c + 10.3), (c - 9, c + 10.3)]]
    if button == 202:   # demo: play
        return [[(c - 4.5, c - 8), (c + 8.5, c), (c - 4.5, c + 8)]]
    return []


def draw_glyph(big, button, pushed, state, k):
    s = SUPERSAMPLE * k
    size = FRAME * s
    canvas = Image.new("L", (size, size), 0)
    draw = ImageDraw.Draw(canvas)
    scale = lambda pts: [((x + pushed) * s, (y + pushed) * s) for x, y in pts]
    for polygon in glyph_polygons(button):
        draw.polygon(scale(polygon), fill=255)
    if button == 203:   # browse: a magnifying glass
        c = ORB_CENTRE + pushed - 1.5
        draw.ellipse([(c - 6) * s, (c - 6) * s, (c + 6) * s, (c + 6) * s],
                     outline=255, width=int(2.6 * s))
        draw.line([((c + 4) * s, (c + 4) * s), ((c + 9.5) * s, (c + 9.5) * s)],
                  fill=255, width=int(3.4 * s))
    mask = np.asarray(canvas, dtype=np.float64) / 255.0
    if not mask.any():
        return big
    shadow = soft_shadow(mask, (0, s), s * 0.8)
    tint = rgb(240, 248, 255) if state != PRESSED else rgb(190, 200, 225)
    big = blend(big, rgb(0, 10, 50), shadow * 0.55)
    return blend(big, tint, mask)


def draw_exit_text(square, button, pushed, state, k):
    # Drawn at the final size with the font's hinting so the small capitals stay crisp.
    if button != EXIT_BUTTON:
        return square
    face = font("DejaVuSansCondensed-Bold.ttf", 11 * k)
    anchor = (round((ORB_CENTRE + pushed) * k), round((ORB_CENTRE + pushed + 4.5) * k))
    mask = text_mask((FRAME * k, FRAME * k), "EXIT", face, anchor, "ms")
    square = blend(square, rgb(70, 8, 0), soft_shadow(mask, (0, k), 0.6 * k) * 0.8)
    tint = rgb(255, 255, 255) if state != PRESSED else rgb(230, 205, 190)
    return blend(square, tint, mask)


# ---------------------------------------------------------------------------
# Palette and error-diffusion dithering.

def build_palette(samples):
    """16 standard colours, then 240 more fitted to the art by k-means."""
    pixels = np.concatenate([s.reshape(-1, 3) for s in samples]) * 255.0
    seed_image = Image.fromarray(np.uint8(np.round(pixels))[None, :, :])
    start = seed_image.quantize(240, method=Image.Quantize.MEDIANCUT)
    centres = np.array(start.getpalette()[:240 * 3], dtype=np.float64).reshape(-1, 3)
    centres = refine_kmeans(pixels, centres, rounds=8)
    return STANDARD_COLOURS + distinct_colours(centres, set(STANDARD_COLOURS))


def refine_kmeans(pixels, centres, rounds):
    for _ in range(rounds):
        nearest = nearest_centre(pixels, centres)
        for k in range(len(centres)):
            members = pixels[nearest == k]
            if len(members):
                centres[k] = members.mean(axis=0)
    return centres


def nearest_centre(pixels, centres, chunk=20000):
    out = np.empty(len(pixels), dtype=np.int64)
    for start in range(0, len(pixels), chunk):
        part = pixels[start:start + chunk]
        d = ((part[:, None, :] - centres[None, :, :]) ** 2).sum(axis=2)
        out[start:start + chunk] = d.argmin(axis=1)
    return out


def distinct_colours(centres, taken):
    """Round to bytes; nudge any colour that repeats one already chosen."""
    chosen = []
    steps = [(0, 0, 0)] + [(dr, dg, db) for n in range(1, 8)
                           for dr in (-n, 0, n) for dg in (-n, 0, n) for db in (-n, 0, n)
                           if (dr, dg, db) != (0, 0, 0)]
    for centre in np.round(centres).astype(int):
        for dr, dg, db in steps:
            colour = tuple(int(np.clip(c + d, 0, 255)) for c, d in zip(centre, (dr, dg, db)))
            if colour not in taken:
                break
        taken.add(colour)
        chosen.append(colour)
    return chosen


# The saturated standard colours must be in the palette but would show as
# bright specks if dithering picked them, so the art uses only these.
USABLE_STANDARD = (0, 7, 8, 15)


def usable_palette(palette):
    usable = np.array(palette, dtype=np.float64)
    banned = [i for i in range(len(STANDARD_COLOURS)) if i not in USABLE_STANDARD]
    usable[banned] = 1e9   # never nearest to anything
    return usable


def dither(image, palette, fixed=None):
    """Serpentine Floyd-Steinberg to palette indices.

    fixed: optional array of indices (-1 = free); fixed pixels keep their
    index and pass no error on, so a re-dithered button frame matches the
    picture wherever the button leaves the picture unchanged.
    """
    pal = usable_palette(palette)
    work = (np.clip(image, 0.0, 1.0) * 255.0).tolist()
    height, width = len(work), len(work[0])
    out = np.zeros((height, width), dtype=np.uint8)
    fixed = fixed.tolist() if fixed is not None else None
    cache = {}
    for y in range(height):
        forward = y % 2 == 0
        xs = range(width) if forward else range(width - 1, -1, -1)
        step = 1 if forward else -1
        row = work[y]
        below = work[y + 1] if y + 1 < height else None
        for x in xs:
            if fixed is not None and fixed[y][x] >= 0:
                out[y, x] = fixed[y][x]
                continue
            r, g, b = (min(255.0, max(0.0, c)) for c in row[x])
            key = (round(r), round(g), round(b))
            index = cache.get(key)
            if index is None:
                index = int(((pal - key) ** 2).sum(axis=1).argmin())
                cache[key] = index
            out[y, x] = index
            err = (r - pal[index][0], g - pal[index][1], b - pal[index][2])
            spread_error(row, below, x, step, width, err)
    return out


def spread_error(row, below, x, step, width, err):
    def add(target, tx, weight):
        if 0 <= tx < width:
            cell = target[tx]
            target[tx] = [cell[0] + err[0] * weight, cell[1] + err[1] * weight,
                          cell[2] + err[2] * weight]
    add(row, x + step, 7 / 16)
    if below is not None:
        add(below, x - step, 3 / 16)
        add(below, x, 5 / 16)
        add(below, x + step, 1 / 16)


# ---------------------------------------------------------------------------
# Building the indexed picture, faces and mask.

def render_truecolour(k):
    """The picture and every button state in full colour, at k times the size."""
    picture = render_picture_truecolour(k)
    states = {}
    for button in BUTTON_PLACES:
        # highlighted and pressed orbs are drawn over the picture as it was
        # before the normal orb went on
        background = square_of(undecorated_picture(k), button, k)
        states[button] = {NORMAL: square_of(picture, button, k),
                          HIGHLIGHTED: render_button(background, button, HIGHLIGHTED, k),
                          PRESSED: render_button(background, button, PRESSED, k)}
    return picture, states


def index_art(picture, states, palette, k):
    picture_fixed = np.where(outside_disc(k), CORNER_INDEX, -1)
    picture_indices = dither(picture, palette, picture_fixed)
    faces = {button: build_face(picture, picture_indices, button, states[button], palette, k)
             for button in BUTTON_PLACES}
    return picture_indices, faces


def render_art():
    """Everything the bitmaps hold: palette, picture indices, face indices."""
    picture, states = render_truecolour(1)
    palette = build_palette(palette_samples(picture, states))
    picture_indices, faces = index_art(picture, states, palette, 1)
    return palette, picture, picture_indices, faces


def render_art_2x(palette):
    """The same drawing at twice the size, for high-DPI screens: drawn, not enlarged,
    in the 1x art's palette. Picture indices and face indices."""
    picture, states = render_truecolour(2)
    return index_art(picture, states, palette, 2)


def palette_samples(picture, states):
    inside = ~outside_disc(1)
    samples = [picture[inside]]
    for squares in states.values():
        for state in FRAME_STATES:
            # Buttons count six times: small, but what the user looks at.
            samples += [squares[state][1:, 1:]] * 6
    return samples


def build_face(picture, picture_indices, button, squares, palette, k):
    face = np.zeros((FACE_HEIGHT * k, FACE_WIDTH * k), dtype=np.uint8)
    normal_indices = square_of(picture_indices, button, k)
    normal_colour = square_of(picture, button, k)
    for state in FRAME_STATES:
        if state == NORMAL:
            indices = normal_indices
        else:
            unchanged = np.abs(squares[state] - normal_colour).max(axis=2) < 1e-9
            indices = dither(squares[state], palette,
                             np.where(unchanged, normal_indices, -1))
        face[k:FRAME * k, (state + 1) * k:(state + FRAME) * k] = indices[k:, k:]
    return face


def build_mask(k):
    """1 (white, transparent) on the frames' top row and left column (k of each)."""
    mask = np.ones((FACE_HEIGHT * k, FACE_WIDTH * k), dtype=np.uint8)
    for state in FRAME_STATES:
        mask[k:FRAME * k, (state + 1) * k:(state + FRAME) * k] = 0
    return mask


# ---------------------------------------------------------------------------
# File writers.

def bmp_info_header(width, height, bits, image_bytes, colours_used, colours_important):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_bytes,
                       2835, 2835, colours_used, colours_important)


def colour_table(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)


def pack_rows(indices, bits):
    """Bottom-up rows of palette indices at 1, 4 or 8 bits, padded to 4 bytes."""
    height, width = indices.shape
    row_bytes = ((width * bits + 31) // 32) * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = indices[y].astype(np.uint8)
        if bits == 8:
            packed = row.tobytes()
        elif bits == 4:
            padded = np.append(row, 0) if width % 2 else row
            packed = ((padded[0::2] << 4) | padded[1::2]).astype(np.uint8).tobytes()
        else:
            packed = np.packbits(row, bitorder="big").tobytes()
        rows.append(packed.ljust(row_bytes, b"\0"))
    return b"".join(rows)


def bmp_file(indices, palette, bits, colours_used, colours_important):
    height, width = indices.shape
    pixels = pack_rows(indices, bits)
    dib = (bmp_info_header(width, height, bits, len(pixels), colours_used, colours_important)
           + colour_table(palette) + pixels)
    header_size = 14 + 40 + 4 * len(palette)
    return struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, header_size) + dib


def wav_file(samples, rate, bits, extra_chunks=()):
    """Mono PCM: the 44-byte canonical header, data, then any extra chunks."""
    data = pcm_bytes(samples, bits)
    block = bits // 8
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * block, block, bits)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    for chunk_id, size in extra_chunks:
        body += chunk_id + struct.pack("<I", size) + bytes(size)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def pcm_bytes(samples, bits):
    if bits == 16:
        return np.round(samples * 32767.0).astype("<i2").tobytes()
    return (np.round(samples * 127.0) + 128).astype(np.uint8).tobytes()


def ico_file(images):
    """images: list of (width, height, colour_count, bits, dib_bytes)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, blobs = b"", b""
    for width, height, colour_count, bits, dib in images:
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, colour_count % 256,
                               0, 1, bits, len(dib), offset)
        blobs += dib
        offset += len(dib)
    return header + entries + blobs


def icon_image(indices, opaque, palette, bits):
    """An icon DIB: header with doubled height, colours, XOR bits, AND mask."""
    height, width = indices.shape
    xor = pack_rows(np.where(opaque, indices, 0), bits)
    and_mask = pack_rows((~opaque).astype(np.uint8), 1)
    header = bmp_info_header(width, height * 2, bits, len(xor) + len(and_mask), 0, 0)
    return header + colour_table(palette) + xor + and_mask


# ---------------------------------------------------------------------------
# The icon: the same disc in miniature, in the 16 standard colours.

ICON_STANDARD = {name: i for i, name in enumerate(
    ["black", "maroon", "green", "olive", "navy", "purple", "teal", "grey",
     "silver", "red", "lime", "yellow", "blue", "fuchsia", "aqua", "white"])}


def icon_geometry(size):
    """Normalised radius, angle in degrees, and which pixels are opaque."""
    xs, ys = pixel_centres(size, size)
    c = size / 2.0
    r = np.hypot(xs - c, ys - c) / c               # 0 at centre, 1 at the edge
    angle = np.degrees(np.arctan2(ys - c, xs - c))  # -135 is the upper left
    hole = 1.6 / c if size >= 32 else 1.1 / c       # the spindle hole shows through
    opaque = (r <= 1.0 - 0.35 / c) & (r >= hole)
    return r, angle, opaque


def outline(opaque):
    """Opaque pixels that touch a transparent one or the icon's border."""
    padded = np.pad(opaque, 1, constant_values=False)
    interior = (padded[:-2, 1:-1] & padded[2:, 1:-1] & padded[1:-1, :-2] & padded[1:-1, 2:])
    return opaque & ~interior


def colour_icon(size):
    """Flat bands of the 16 standard colours rather than dithering: at this
    size a dither pattern reads as noise, solid bands read as a shiny disc."""
    s = ICON_STANDARD
    r, angle, opaque = icon_geometry(size)
    hub = 0.36 if size >= 32 else 0.42
    from_light = np.abs(angle + 135.0)
    indices = np.full(r.shape, s["navy"], dtype=np.uint8)
    indices[r > 0.62] = s["purple"]
    indices[(from_light < 40) & (r > 0.5) & (r < 0.86)] = s["blue"]
    indices[(from_light < 24) & (r > 0.56) & (r < 0.80)] = s["silver"]
    indices[(from_light < 12) & (r > 0.60) & (r < 0.76)] = s["white"]
    indices[(np.abs(angle - 45.0) < 22) & (r > 0.66) & (r < 0.84)] = s["fuchsia"]
    indices[r < hub] = s["silver"]
    indices[(r < hub) & (np.abs(angle - 45.0) < 70)] = s["grey"]
    indices[outline(opaque)] = s["black"]
    indices[outline(opaque) & (r < 0.5)] = s["grey"]    # the hole's edge
    return indices, opaque


def mono_icon(size):
    """Black disc, white highlight arc and hub: reads on any background."""
    r, angle, opaque = icon_geometry(size)
    arc = (np.abs(angle + 135.0) < 26) & (r > 0.56) & (r < 0.80)
    hub = (r < 0.42) & ~outline(opaque)
    return np.where(arc | hub, 1, 0).astype(np.uint8), opaque


def render_icon():
    standard16 = STANDARD_COLOURS
    big_indices, big_opaque = colour_icon(32)
    small_indices, small_opaque = colour_icon(16)
    mono_indices, mono_opaque = mono_icon(16)
    return ico_file([
        (32, 32, 16, 4, icon_image(big_indices, big_opaque, standard16, 4)),
        (16, 16, 2, 1, icon_image(mono_indices, mono_opaque,
                                  [(0, 0, 0), (255, 255, 255)], 1)),
        (16, 16, 16, 4, icon_image(small_indices, small_opaque, standard16, 4)),
    ])


# ---------------------------------------------------------------------------
# Sounds.

def seconds(count, rate):
    return np.arange(count, dtype=np.float64) / rate


def fade_edges(signal, rate, fade_in, fade_out):
    """Raised-cosine ramps so a sound starts and ends at silence."""
    out = signal.copy()
    n_in, n_out = max(1, int(fade_in * rate)), max(1, int(fade_out * rate))
    out[:n_in] *= 0.5 - 0.5 * np.cos(np.pi * np.arange(n_in) / n_in)
    out[-n_out:] *= 0.5 + 0.5 * np.cos(np.pi * (np.arange(n_out) + 1) / n_out)
    return out


def normalise(signal, peak_db=-3.0):
    return signal * (10 ** (peak_db / 20.0) / np.abs(signal).max())


def one_pole_lowpass(signal, rate, cutoff):
    a = math.exp(-2 * math.pi * cutoff / rate)
    out, state = np.empty_like(signal), 0.0
    for i, x in enumerate(signal.tolist()):
        state = (1 - a) * x + a * state
        out[i] = state
    return out


def click(count, rate, rng, thump_from, thump_to, tick_decay, thump_decay, tick_level):
    t = seconds(count, rate)
    noise = rng.standard_normal(count)
    tick = np.diff(noise, prepend=0.0) * np.exp(-t / tick_decay) * tick_level
    freq = thump_to + (thump_from - thump_to) * np.exp(-t / 0.012)
    thump = np.sin(2 * np.pi * np.cumsum(freq) / rate) * np.exp(-t / thump_decay)
    return tick + thump


def press_sound(rng):
    rate, count = 8000, 503
    sound = click(count, rate, rng, 220, 95, 0.0035, 0.016, 0.35)
    return rate, normalise(fade_edges(sound, rate, 0.001, 0.012), -3.0)


def release_sound(rng):
    rate, count = 8000, 671
    sound = click(count, rate, rng, 160, 80, 0.006, 0.020, 0.22)
    sound = one_pole_lowpass(sound, rate, 1800)
    return rate, normalise(fade_edges(sound, rate, 0.001, 0.02), -6.0)


def bell_note(t, start, freq, decay, partials):
    """Sum of decaying sine partials: (ratio, level, decay factor)."""
    local = t - start
    on = local >= 0
    note = np.zeros_like(t)
    for ratio, level, decay_factor in partials:
        env = np.exp(-np.maximum(local, 0) / (decay * decay_factor))
        note += level * env * np.sin(2 * np.pi * freq * ratio * local)
    attack = np.clip(local / 0.004, 0.0, 1.0)
    return note * attack * on


def highlight_sound():
    rate, count = 22050, 22126
    t = seconds(count, rate)
    soft = [(1.0, 1.0, 1.0), (2.0, 0.18, 0.5), (3.0, 0.05, 0.3), (1.003, 0.4, 1.0)]
    sound = bell_note(t, 0.0, 783.99, 0.28, soft) * 0.8
    sound += bell_note(t, 0.12, 1174.66, 0.32, soft)
    return rate, normalise(fade_edges(sound, rate, 0.002, 0.15), -3.0)


def ready_sound():
    rate, count = 22050, 14154
    t = seconds(count, rate)
    bright = [(1.0, 1.0, 1.0), (2.0, 0.35, 0.6), (2.76, 0.22, 0.35), (5.4, 0.08, 0.15)]
    sound = np.zeros_like(t)
    for i, freq in enumerate((1046.5, 1318.5, 1568.0, 2093.0)):
        sound += bell_note(t, 0.055 * i, freq, 0.16 + 0.04 * i, bright) * (0.7 + 0.1 * i)
    return rate, normalise(fade_edges(sound, rate, 0.002, 0.08), -3.0)


def swept_bandpass(noise, centre_hz, rate, q):
    """Band-pass noise through a filter whose centre moves sample by sample.

    A trapezoidal state-variable filter stays stable however fast and high
    the centre frequency moves.
    """
    k = 1.0 / q
    out = np.empty_like(noise)
    ic1, ic2 = 0.0, 0.0
    gains = np.tan(np.pi * np.minimum(centre_hz, rate * 0.45) / rate).tolist()
    for i, (x, g) in enumerate(zip(noise.tolist(), gains)):
        a1 = 1.0 / (1.0 + g * (g + k))
        a2 = g * a1
        v3 = x - ic2
        v1 = a1 * ic1 + a2 * v3
        v2 = ic2 + a2 * ic1 + g * a2 * v3
        ic1, ic2 = 2 * v1 - ic1, 2 * v2 - ic2
        out[i] = v1 * k
    return out


def whoosh(rng, rising):
    rate, count = 22050, 52310
    t = seconds(count, rate)
    progress = t / t[-1]
    sweep = progress if rising else 1.0 - progress
    centre = 220.0 * (4200.0 / 220.0) ** sweep                  # exponential sweep
    noise = rng.standard_normal(count)
    body = swept_bandpass(noise, centre, rate, q=1.6)
    air = swept_bandpass(rng.standard_normal(count), centre * 2.2, rate, q=0.8)
    peak_at = 0.62 if rising else 0.30
    swell = np.sin(0.5 * np.pi * np.clip(progress / peak_at, 0.0, 1.0)) ** 2
    ebb = np.cos(0.5 * np.pi * np.clip((progress - peak_at) / (1 - peak_at), 0.0, 1.0)) ** 1.5
    envelope = np.where(progress < peak_at, swell, ebb)
    sound = (body + 0.35 * air) * envelope
    sound = fade_edges(sound, rate, 0.01, 0.05)
    return rate, normalise(sound, -3.0)


def write_sounds(out_dir):
    rng = np.random.default_rng(NOISE_START)
    sounds = [
        ("press.wav", press_sound(rng), 16, ()),
        ("release.wav", release_sound(rng), 16, ()),
        ("highlight.wav", highlight_sound(), 16, ()),
        ("open.wav", whoosh(rng, rising=True), 8, ((b"JUNK", 34), (b"PAD ", 68))),
        ("ready.wav", ready_sound(), 16, ()),
        ("close.wav", whoosh(rng, rising=False), 8, ()),
    ]
    for name, (rate, samples), bits, extra in sounds:
        (out_dir / name).write_bytes(wav_file(samples, rate, bits, extra))


# ---------------------------------------------------------------------------
# Preview: the picture, every face frame, and each state blitted in place.

def to_rgb_image(indices, palette):
    return Image.fromarray(np.array(palette, dtype=np.uint8)[indices])


def blit_button(picture_indices, face, mask, button, state):
    """What the launcher shows: picture where the mask is white, face elsewhere."""
    shown = picture_indices.copy()
    bx, by = BUTTON_PLACES[button]
    frame_mask = mask[:FRAME, state:state + FRAME]
    region = shown[by:by + FRAME, bx:bx + FRAME]
    region[frame_mask == 0] = face[:FRAME, state:state + FRAME][frame_mask == 0]
    return shown


def write_preview(path, palette, picture_indices, faces, mask):
    """Picture at 2x; per button its face at 3x and each state in place at 3x."""
    zoom, margin, gap = 3, 9, 10
    crop_size = FRAME + 2 * margin
    picture = to_rgb_image(picture_indices, palette)
    rows = []
    for button, (bx, by) in BUTTON_PLACES.items():
        face = to_rgb_image(faces[button], palette)
        tiles = [face.resize((FACE_WIDTH * zoom, FACE_HEIGHT * zoom), Image.NEAREST)]
        for state in FRAME_STATES:
            shown = to_rgb_image(blit_button(picture_indices, faces[button], mask,
                                             button, state), palette)
            box = (bx - margin, by - margin, bx - margin + crop_size, by - margin + crop_size)
            tiles.append(shown.crop(box).resize((crop_size * zoom,) * 2, Image.NEAREST))
        rows.append(tiles)
    row_width = sum(t.width + gap for t in rows[0])
    row_height = max(t.height for t in rows[0])
    width = max(2 * PICTURE_SIZE, row_width)
    sheet = Image.new("RGB", (width, 2 * PICTURE_SIZE + len(rows) * (row_height + gap)),
                      (48, 48, 48))
    sheet.paste(picture.resize((2 * PICTURE_SIZE,) * 2, Image.NEAREST), (0, 0))
    y = 2 * PICTURE_SIZE + gap
    for tiles in rows:
        x = 0
        for tile in tiles:
            sheet.paste(tile, (x, y))
            x += tile.width + gap
        y += row_height + gap
    sheet.save(path)


# ---------------------------------------------------------------------------

def write_bitmaps(out_dir, suffix, palette, picture_indices, faces, mask):
    (out_dir / f"background{suffix}.bmp").write_bytes(
        bmp_file(picture_indices, palette, 8, 256, 256))
    (out_dir / f"mask{suffix}.bmp").write_bytes(
        bmp_file(mask, [(0, 0, 0), (255, 255, 255)], 1, 2, 0))
    for button, face in faces.items():
        (out_dir / f"face{button}{suffix}.bmp").write_bytes(bmp_file(face, palette, 8, 0, 0))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out_dir", nargs="?", default=str(REPO_ROOT / "resources"))
    parser.add_argument("--preview", help="also write a PNG contact sheet here")
    args = parser.parse_args(argv)
    out_dir = Path(args.out_dir)
    out_dir.mkdir(parents=True, exist_ok=True)
    for name in ("DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansCondensed-Bold.ttf"):
        require_font(name)

    palette, _, picture_indices, faces = render_art()
    write_bitmaps(out_dir, "", palette, picture_indices, faces, build_mask(1))
    picture_2x, faces_2x = render_art_2x(palette)
    write_bitmaps(out_dir, "@2x", palette, picture_2x, faces_2x, build_mask(2))
    write_sounds(out_dir)
    (out_dir / "launcher.ico").write_bytes(render_icon())
    if args.preview:
        write_preview(args.preview, palette, picture_indices, faces, build_mask(1))
    print(f"assets written to {out_dir}")


if __name__ == "__main__":
    main()
