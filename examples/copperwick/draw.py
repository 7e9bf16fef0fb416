#!/usr/bin/python3
"""Draws Copperwick's pictures with Pillow (Debian's python3-pil, fonts-dejavu-core): the
window, a slate panel with rounded corners whose outside is transparent (picture.png,
picture@2x.png), and the faces of its six buttons (install.png ... exit.png, and @2x).
One picture serves every language: the launcher writes the labels itself, left of the
buttons, or right of them where it mirrors the layout for Arabic, so the panel keeps its
middle plain.
    /usr/bin/python3 examples/copperwick/draw.py
"""

from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = Path(__file__).resolve().parent
FONTS = Path("/usr/share/fonts/truetype/dejavu")
WIDTH, HEIGHT, CORNER = 480, 320, 34
SUPER = 4  # drawn at 4 times the size and reduced: smooth edges
COPPER, COPPER_LIGHT, SLATE = (196, 116, 64), (240, 178, 122), (30, 40, 48)
BUTTON, EXIT_BUTTON = 36, 28


def gradient(width, height, top, bottom):
    column = Image.new("RGB", (1, height))
    for y in range(height):
        t = y / (height - 1)
        column.putpixel((0, y), tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    return column.resize((width, height))


def panel(k):
    """The window's picture at k times the size."""
    s = k * SUPER
    w, h = WIDTH * s, HEIGHT * s
    image = gradient(w, h, (44, 58, 68), (16, 22, 28))
    draw = ImageDraw.Draw(image, "RGBA")  # blends translucent ink into the RGB picture
    # A faint drawing tablet behind everything, and its pen, in lines barely lighter.
    faint = (255, 255, 255, 14)
    draw.rounded_rectangle((40 * s, 96 * s, 440 * s, 300 * s), 18 * s, outline=faint, width=2 * s)
    draw.rounded_rectangle((70 * s, 118 * s, 410 * s, 280 * s), 8 * s, outline=faint, width=s)
    draw.line((330 * s, 70 * s, 450 * s, 30 * s), fill=(255, 255, 255, 10), width=6 * s)
    # The header: a copper band under the name, a nib before it.
    draw.rectangle((0, 0, w, 62 * s), fill=(20, 27, 33, 255))
    draw.line((0, 62 * s, w, 62 * s), fill=COPPER, width=2 * s)
    nib_x, nib_y = 150 * s, 31 * s
    draw.polygon([(nib_x, nib_y - 14 * s), (nib_x + 9 * s, nib_y + 2 * s),
                  (nib_x, nib_y + 14 * s), (nib_x - 9 * s, nib_y + 2 * s)], fill=COPPER)
    draw.line((nib_x, nib_y - 6 * s, nib_x, nib_y + 12 * s), fill=(20, 27, 33), width=s)
    draw.ellipse((nib_x - 2 * s, nib_y - 2 * s, nib_x + 2 * s, nib_y + 2 * s), fill=(20, 27, 33))
    title = ImageFont.truetype(str(FONTS / "DejaVuSans-Bold.ttf"), 28 * s)
    draw.text((170 * s + s, 14 * s + s), "Copperwick", font=title, fill=(0, 0, 0, 140))
    draw.text((170 * s, 14 * s), "Copperwick", font=title, fill=(246, 240, 232))
    # A copper rim, and the light along its top.
    draw.rounded_rectangle((s, s, w - 2 * s, h - 2 * s), CORNER * s, outline=COPPER, width=2 * s)
    draw.arc((s, s, 2 * CORNER * s, 2 * CORNER * s), 180, 270, fill=COPPER_LIGHT, width=2 * s)
    draw.line((CORNER * s, 2 * s, w - CORNER * s, 2 * s), fill=COPPER_LIGHT, width=s)
    outline = Image.new("L", (w, h), 0)
    ImageDraw.Draw(outline).rounded_rectangle((0, 0, w - 1, h - 1), CORNER * s, fill=255)
    image.putalpha(outline)
    return image.resize((WIDTH * k, HEIGHT * k), Image.LANCZOS)


def icon(draw, name, cx, cy, r, colour):
    """Each entry's sign, in a circle of radius r."""
    line = max(1, round(r / 6))
    if name == "install":  # an arrow down into a tray
        draw.line((cx, cy - r * 0.7, cx, cy + r * 0.25), fill=colour, width=line)
        draw.polygon([(cx - r * 0.4, cy), (cx + r * 0.4, cy), (cx, cy + r * 0.45)], fill=colour)
        draw.line((cx - r * 0.65, cy + r * 0.7, cx + r * 0.65, cy + r * 0.7), fill=colour, width=line)
    elif name == "manual":  # an open book
        draw.polygon([(cx, cy - r * 0.35), (cx - r * 0.75, cy - r * 0.55), (cx - r * 0.75, cy + r * 0.5),
                      (cx, cy + r * 0.65)], outline=colour, width=line)
        draw.polygon([(cx, cy - r * 0.35), (cx + r * 0.75, cy - r * 0.55), (cx + r * 0.75, cy + r * 0.5),
                      (cx, cy + r * 0.65)], outline=colour, width=line)
    elif name == "drivers":  # a chip with pins
        draw.rectangle((cx - r * 0.45, cy - r * 0.45, cx + r * 0.45, cy + r * 0.45), outline=colour,
                       width=line)
        for t in (-0.25, 0.25):
            for a, b in ((-0.45, -0.75), (0.45, 0.75)):
                draw.line((cx + t * r, cy + a * r, cx + t * r, cy + b * r), fill=colour, width=line)
                draw.line((cx + a * r, cy + t * r, cx + b * r, cy + t * r), fill=colour, width=line)
    elif name == "web":  # a globe
        box = (cx - r * 0.7, cy - r * 0.7, cx + r * 0.7, cy + r * 0.7)
        draw.ellipse(box, outline=colour, width=line)
        draw.ellipse((cx - r * 0.3, cy - r * 0.7, cx + r * 0.3, cy + r * 0.7), outline=colour, width=line)
        draw.line((cx - r * 0.7, cy, cx + r * 0.7, cy), fill=colour, width=line)
    elif name == "browse":  # a folder
        draw.polygon([(cx - r * 0.7, cy - r * 0.45), (cx - r * 0.25, cy - r * 0.45), (cx - r * 0.1, cy - r * 0.3),
                      (cx + r * 0.7, cy - r * 0.3), (cx + r * 0.7, cy + r * 0.5), (cx - r * 0.7, cy + r * 0.5)],
                     outline=colour, width=line)
    else:  # exit: a cross, the same in every language
        for a in (-1, 1):
            draw.line((cx - r * 0.4, cy - a * r * 0.4, cx + r * 0.4, cy + a * r * 0.4), fill=colour,
                      width=line + 1)


def layer(size, paint):
    """A transparent layer with `paint(draw)` on it, to lay over another."""
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    paint(ImageDraw.Draw(image))
    return image


def frame(name, side, look, k):
    """One frame, side x side at k times the size: a copper puck; highlighted with a warm
    ring of light; pressed darker, 1 px down and right."""
    s = k * SUPER
    size = side * s
    shift = s if look == "pressed" else 0
    c = size / 2 + s / 2 + shift
    r = (side / 2 - 4) * s
    dark = look == "pressed"
    if look == "highlighted":
        halo = (c - r - 3 * s, c - r - 3 * s, c + r + 3 * s, c + r + 3 * s)
        image = layer(size, lambda d: d.ellipse(halo, fill=(255, 190, 120, 200)))
        image = image.filter(ImageFilter.GaussianBlur(1.5 * s))
    else:
        shadow = (c - r, c - r + 1.5 * s, c + r, c + r + 1.5 * s)
        image = layer(size, lambda d: d.ellipse(shadow, fill=(0, 0, 0, 110)))

    def puck(draw):
        draw.ellipse((c - r, c - r, c + r, c + r), fill=(150, 84, 44) if dark else COPPER)
        draw.ellipse((c - r + 2 * s, c - r + 2 * s, c + r - 2 * s, c + r - 2 * s),
                     fill=(54, 66, 76) if dark else (70, 86, 98))
    image.alpha_composite(layer(size, puck))
    if not dark:
        gloss = (c - r + 3 * s, c - r + 3 * s, c + r - 3 * s, c + r - 3 * s)
        image.alpha_composite(layer(size, lambda d: d.chord(gloss, 200, 340,
                                                            fill=(255, 255, 255, 40))))
    image.alpha_composite(layer(size, lambda d: icon(d, name, c, c, r - 4 * s,
                                                     (220, 190, 160) if dark else (250, 226, 200))))
    return image.resize((side * k, side * k), Image.LANCZOS)


def face(name, side, k):
    """Three frames side by side, one pixel of the picture above and left of each."""
    sheet = Image.new("RGBA", ((3 * side + 1) * k, (side + 1) * k), (0, 0, 0, 0))
    for n, look in enumerate(("normal", "highlighted", "pressed")):
        square = frame(name, side - 1, look, k)
        sheet.alpha_composite(square, ((n * side + 1) * k, k))
    return sheet


def main():
    for k, suffix in ((1, ""), (2, "@2x")):
        panel(k).save(HERE / f"picture{suffix}.png", optimize=True)
        for name in ("install", "manual", "drivers", "web", "browse"):
            face(name, BUTTON, k).save(HERE / f"{name}{suffix}.png", optimize=True)
        face("exit", EXIT_BUTTON, k).save(HERE / f"exit{suffix}.png", optimize=True)


if __name__ == "__main__":
    main()
