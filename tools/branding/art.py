"""Converting a brand's art: the picture and faces reduced to one shared palette of 256
colours, the button faces' three frames, and the icon."""

import math
import struct
from dataclasses import dataclass
from functools import lru_cache
from itertools import chain

from branding import imaging
from branding.common import (BUTTON_PLACES, CORNER_INDEX, FACE_HEIGHT, FACE_WIDTH, FRAME,
                             HIGHLIGHTED, NORVANE, PICTURE, PRESSED, STANDARD_COLOURS,
                             BadBrand)


def read_raw(path, width, height, enlarge=False):
    """A picture's RGBA bytes; `enlarge`: the 1x picture made `width` x `height`, with a
    filter that keeps edges crisp without ringing much."""
    raw = imaging.rgba(path, width, height, enlarge)
    if len(raw) != width * height * 4:
        raise BadBrand(f"{path.name} could not be converted")
    return raw


def pixel_rows(raw, width, height, channels=4):
    """RGBA bytes as rows of pixels, each its first `channels` channels."""
    pixels = list(zip(*(raw[c::4] for c in range(channels))))
    return [pixels[y * width:(y + 1) * width] for y in range(height)]


def read_rgba(path, width, height, enlarge=False):
    """A picture's RGBA rows, as read_raw reads it."""
    return pixel_rows(read_raw(path, width, height, enlarge), width, height)


def read_bmp(path):
    """Norvane's 8-bit bitmaps as RGB rows, top row first."""
    data = path.read_bytes()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    table = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i])
             for i in range(1 << bits)]
    stride = (width * bits + 31) // 32 * 4
    rows = [[table[data[offset + y * stride + x]] for x in range(width)] for y in range(height)]
    return rows[::-1]


def blend(under, over, alpha):
    return tuple(u + (o - u) * alpha for u, o in zip(under, over))


def smoothstep(edge0, edge1, x):
    t = min(max((x - edge0) / (edge1 - edge0), 0.0), 1.0)
    return t * t * (3 - 2 * t)


def rounded(colour):
    """A colour's channels as the bytes they become."""
    r, g, b = colour
    return max(0, min(255, round(r))), max(0, min(255, round(g))), max(0, min(255, round(b)))


# Where a pixel of Norvane's frame shows the picture under it or the orb alone.
UNDER, ORB = "under", "orb"


@lru_cache(maxsize=None)
def norvane_weights(frame_x, k):
    """Each pixel's (shadow, glow or None, orb) weights for Norvane's orb of one frame at k
    times the size, or UNDER or ORB where the pixel is the picture's or the face's: the
    same for every brand, so worked out once."""
    pushed = 1.0 if frame_x == PRESSED else 0.0
    centre = 21.5 + pushed
    frame = []
    for j in range(FRAME * k):
        row = []
        for i in range(FRAME * k):
            x, y = (i + 0.5) / k, (j + 0.5) / k
            d = math.hypot(x - centre, y - centre)
            orb = min(max((17.3 - d) * k, 0.0), 1.0)
            out = math.hypot(x - 21.5, y - 21.5)
            if orb == 1.0 or out > 20.5:  # within the orb, or beyond its shadow's reach
                row.append(ORB if orb == 1.0 else UNDER)
                continue
            reach = 1.0 - smoothstep(18.8, 20.3, out)
            if frame_x == PRESSED:
                shadow = (1 - smoothstep(17, 19.2, d)) * 0.55 * reach
            else:
                cast = math.hypot(x - centre, (y - centre - 1.8) * 1.05)
                shadow = (1 - smoothstep(15, 19.6, cast)) * 0.6 * reach
            glow = None
            if frame_x == HIGHLIGHTED and d > 16:
                glow = min(math.exp(-max(d - 17, 0) / 2.2) * 1.1, 1.0) * reach
            if orb == 0.0 and shadow == 0.0 and not glow:
                row.append(UNDER)
            else:
                row.append((shadow, glow, orb))
        frame.append(row)
    return frame


def orb_rim(colour, orb_colour, shadow, glow, orb):
    """A pixel of the orb's edge, shadow or glow: blend's and screen's sums channel by
    channel, the same to the last bit, without their tuples."""
    r, g, b = colour
    r, g, b = r + (0 - r) * shadow, g + (0 - g) * shadow, b + (12 - b) * shadow
    if glow is not None:
        r = r + (255 - (255 - r) * (255 - 95) / 255 - r) * glow
        g = g + (255 - (255 - g) * (255 - 180) / 255 - g) * glow
        b = b + (255 - (255 - b) * (255 - 255) / 255 - b) * glow
    o_r, o_g, o_b = orb_colour
    return rounded((r + (o_r - r) * orb, g + (o_g - g) * orb, b + (o_b - b) * orb))


def norvane_button(norvane_face, frame_x, background, k):
    """Norvane's orb of one frame over another picture: the orb itself taken from the face,
    its shadow, glow or socket drawn again over the new background. Drawn at k times the
    size, measured in 1x pixels."""
    left = frame_x * k
    frame = []
    for under, face, weights in zip(background, norvane_face, norvane_weights(frame_x, k)):
        row = []
        for i, weight in enumerate(weights):
            if weight is UNDER:
                row.append(under[i])
            elif weight is ORB:
                row.append(face[left + i])
            else:
                row.append(orb_rim(under[i], face[left + i], *weight))
        frame.append(row)
    return frame


def brand_button(face, frame_x, background, k):
    left = frame_x * k
    return [[rounded(blend(background[j][i], face[j][left + i][:3], face[j][left + i][3] / 255))
             for i in range(len(background))] for j in range(len(background))]


def outside_disc(x, y, k=1):
    return (x + 0.5 - 180 * k) ** 2 + (y + 0.5 - 180 * k) ** 2 > (181.0 * k) ** 2


@dataclass
class Canvas:
    """Where the art goes: the picture's size at 1x, each button's place and side at 1x
    ({control id: (x, y, side)}), the window's shape ("disc": Norvane's, "ellipse": the
    inscribed one, "alpha": the picture's pixels of alpha 128 and more), whether the
    buttons' normal frames are painted into the picture (not where some language shows the
    picture with its buttons elsewhere), and whether each face has a mask of its own."""
    width: int
    height: int
    buttons: dict
    shape: str = "disc"
    paint: bool = True
    own_masks: bool = False


NORVANE_CANVAS = Canvas(PICTURE, PICTURE, {n: (x, y, FRAME) for n, (x, y) in BUTTON_PLACES.items()})


def outside_test(canvas, alpha, k):
    """outside(x, y): the pixel at k times the size lies outside the window."""
    if canvas.shape == "disc":
        return lambda x, y: outside_disc(x, y, k)
    if canvas.shape == "alpha":
        return lambda x, y: alpha[y][x] < 128
    rx, ry = canvas.width * k / 2, canvas.height * k / 2
    return lambda x, y: ((x + 0.5 - rx) / (rx + k)) ** 2 + ((y + 0.5 - ry) / (ry + k)) ** 2 > 1


def art_source(one_x, two_x, width, height, k):
    """The RGBA bytes of a picture at k times the size: its own 2x file, else the 1x one
    enlarged."""
    if k == 1:
        return read_raw(one_x, width, height)
    if two_x is not None:
        return read_raw(two_x, width * k, height * k)
    return read_raw(one_x, width * k, height * k, enlarge=True)


def norvane_alpha(k):
    """Where Norvane's orb, its shadow and glow leave the picture as it is, in its three
    frames at k times the size: alpha 0 there, else 255."""
    def alpha(i, j):
        x, y = ((i % (FRAME * k)) + 0.5) / k, (j + 0.5) / k
        return 0 if math.hypot(x - 21.5, y - 21.5) > 19.55 else 255
    return [[(0, 0, 0, alpha(i, j)) for i in range(FACE_WIDTH * k)]
            for j in range(FACE_HEIGHT * k)]


def compose(art, hidden, k, canvas=NORVANE_CANVAS):
    """The picture with its buttons, each button's normal, highlighted and pressed squares,
    and each face's RGBA rows where it has a mask of its own, in true colour at k times
    the size, and the window's outside (each row's pixels there). `art`: the picture and each button's face as (1x
    file, 2x file or None), a face None for Norvane's; a `hidden` button (its command is
    none) leaves the picture as it is in its place."""
    width, height = canvas.width * k, canvas.height * k
    source = art_source(*art["picture"], canvas.width, canvas.height, k)
    picture = pixel_rows(source, width, height, 3)
    outside = outside_test(canvas, [list(source[4 * width * y + 3:4 * width * (y + 1):4])
                                    for y in range(height)]
                           if canvas.shape == "alpha" else None, k)
    squares, faces = {}, {}
    for button, (bx, by, side) in canvas.buttons.items():
        bx, by, frame = bx * k, by * k, side * k
        under = [row[bx:bx + frame] for row in picture[by:by + frame]]
        if art[button] is not None:
            face = pixel_rows(art_source(*art[button], 3 * side + 1, side + 1, k),
                              (3 * side + 1) * k, (side + 1) * k)
            draw = lambda frame_x, face=face: brand_button(face, frame_x, under, k)
            faces[button] = face
        else:
            orb = button if button in BUTTON_PLACES else min(BUTTON_PLACES)  # own: install's
            face = read_bmp(NORVANE / f"face{orb}{'@2x' if k == 2 else ''}.bmp")
            draw = lambda frame_x, face=face: norvane_button(face, frame_x, under, k)
            faces[button] = norvane_alpha(k) if canvas.own_masks else None
        squares[button] = [draw(n * side) for n in range(3)]
        if button in hidden:
            squares[button][0] = under
            continue
        if canvas.paint:
            for j in range(k, frame):
                picture[by + j][bx + k:bx + frame] = squares[button][0][j][k:]
    outside_rows = outside_columns(canvas, outside, k)
    for y, columns in enumerate(outside_rows):
        for x in columns:
            picture[y][x] = STANDARD_COLOURS[CORNER_INDEX]
    return picture, squares, faces, outside_rows


def outside_columns(canvas, outside, k):
    """Each row's pixels outside the window at k times the size; Norvane's disc's sums
    taken as outside_disc takes them, row by row."""
    width, height = canvas.width * k, canvas.height * k
    if canvas.shape != "disc":
        return [[x for x in range(width) if outside(x, y)] for y in range(height)]
    centre, reach = 180 * k, (181.0 * k) ** 2
    across = [(x + 0.5 - centre) ** 2 for x in range(width)]
    return [[x for x, a in enumerate(across) if a + down > reach]
            for down in ((y + 0.5 - centre) ** 2 for y in range(height))]


def sheet(picture, squares, k, frames=(1, 2)):
    """One true-colour image of everything to be reduced to the shared palette: the
    picture, then rows of the highlighted and pressed squares of every button (and their
    normal squares where the picture doesn't carry them), as wide as the picture; and
    where each square is in it: {(button, frame): (top, left)}."""
    width, height = len(picture[0]), len(picture)
    places, top, left, band = {}, height, width, 0
    for button, shown in sorted(squares.items()):
        for n in frames:
            size = len(shown[n])
            if left + size > width:
                top, left, band = top + band, 0, 0
            band = max(band, size)
            places[button, n] = top, left
            left += size
    extra = [[(0, 0, 0)] * width for _ in range(top + band - height)]
    for (button, n), (row, column) in places.items():
        for j, pixels in enumerate(squares[button][n]):
            extra[row - height + j][column:column + len(pixels)] = pixels
    return picture + extra, places


def to_bytes(rows):
    """The rows' channels, each already a byte."""
    return bytes(chain.from_iterable(chain.from_iterable(rows)))


def build_palette(width, height, rgb):
    """The 16 standard colours, then 240 fitted to the art (its RGB bytes), all distinct,
    black only once."""
    raw = imaging.fitted_colours(width, height, rgb, 240)
    palette = list(STANDARD_COLOURS)
    for i in range(0, len(raw), 3):
        colour = tuple(raw[i:i + 3])
        while colour in palette:
            colour = tuple(min(c + 1, 255) if colour != (255, 255, 255) else c - 1
                           for c in colour)
        if len(palette) < 256:
            palette.append(colour)
    grey = 1
    while len(palette) < 256:
        if (grey, grey, grey) not in palette:
            palette.append((grey, grey, grey))
        grey += 1
    return palette


def remap(width, height, rgb, palette):
    """Palette indices of the RGB bytes' rows, dithered; the saturated standard colours
    are left out of the dither, where they would show as specks."""
    usable = [c for i, c in enumerate(palette) if i == 0 or i >= 7]
    raw = imaging.dithered(width, height, rgb, usable)
    index = {colour: i for i, colour in enumerate(palette)}
    flat = list(map(index.get, zip(raw[0::3], raw[1::3], raw[2::3])))
    if None in flat:
        raise BadBrand("the picture could not be reduced to 256 colours")
    return [flat[y * width:(y + 1) * width] for y in range(height)]


def mask_is_white(x, y, k, side=FRAME):
    """The mask's white (the picture shows): k pixels of each frame's top row and left
    column, and the sheet's right and bottom edges."""
    x, y = x // k, y // k
    return x == 3 * side or y == side or y == 0 or x in (0, side, 2 * side)


@lru_cache(maxsize=None)
def shared_mask(k, side):
    """The mask every face shares, as rows of 1 (white) and 0."""
    return [[1 if mask_is_white(i, j, k, side) else 0 for i in range((3 * side + 1) * k)]
            for j in range((side + 1) * k)]


def face_mask(face, k, side):
    """A face's own mask: white where the shared mask is, and where the face is clear."""
    return [[1 if mask_is_white(i, j, k, side) or face[j][i][3] < 128 else 0
             for i in range((3 * side + 1) * k)] for j in range((side + 1) * k)]


def face_indices(bx, by, side, picture_indices, sheet_indices, places, k, white, button):
    """A face's palette indices: its normal frame from the picture where the picture
    carries it, else like its other frames from the sheet; 0 where `white` (rows of 1
    and 0) is. Each frame's first column is white, so a frame's pixels are those of its
    square from its second column on."""
    square, width = side * k, (3 * side + 1) * k
    origins = [places.get((button, n), (by * k, bx * k)) for n in range(3)]
    sources = [picture_indices if (button, n) not in places else sheet_indices
               for n in range(3)]
    face = []
    for j, white_row in enumerate(white):
        row = [0]
        for (top, left), source in zip(origins, sources):
            pixels = source[top + j][left + 1:left + 1 + square] if top + j < len(source) else []
            row += pixels + [0] * (square - len(pixels))
        row += [0] * (width - len(row))
        face.append([0 if w else v for v, w in zip(row, white_row)])
    return face


# ---------------------------------------------------------------------------
# Files

def pack_rows(rows, bits):
    stride = (len(rows[0]) * bits + 31) // 32 * 4
    out = b""
    for row in reversed(rows):
        if bits == 8:
            packed = bytes(row)
        elif bits == 4:
            padded = row + [0] * (len(row) % 2)
            packed = bytes(padded[k] << 4 | padded[k + 1] for k in range(0, len(padded), 2))
        else:
            padded = row + [0] * (-len(row) % 8)
            packed = bytes(sum(padded[k + b] << (7 - b) for b in range(8))
                           for k in range(0, len(padded), 8))
        out += packed.ljust(stride, b"\0")
    return out


def dib_header(width, height, bits, image_bytes, used, important):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_bytes, 2835, 2835,
                       used, important)


def colour_table(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)


def bmp_file(rows, palette, used):
    pixels = pack_rows(rows, 8)
    dib = dib_header(len(rows[0]), len(rows), 8, len(pixels), used, used) + \
        colour_table(palette) + pixels
    return struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, 14 + 40 + 4 * len(palette)) + dib


def nearest(colour, table):
    return min(range(len(table)), key=lambda i: sum((a - b) ** 2 for a, b in
                                                      zip(colour, table[i])))


def window_picture(brand, canvas):
    """The picture clear outside the window as (width, height, RGBA bytes): a design's
    icon when it has none of its own."""
    rows = read_rgba(brand / "picture.png", canvas.width, canvas.height)
    outside = outside_test(canvas, [[px[3] for px in row] for row in rows], 1)
    return canvas.width, canvas.height, bytes(
        c for y, row in enumerate(rows) for x, px in enumerate(row)
        for c in (px[:3] + (0,) if outside(x, y) else px))


def icon_file(brand, canvas=NORVANE_CANVAS):
    """32x32 and 16x16 in the 16 standard colours and 16x16 in black and white, from
    icon.png or else from the round picture (a design's: its window's outline)."""
    source = brand / "icon.png"
    if not source.exists():
        source = brand / "picture.png"
    images = []
    own_shape = source.name == "picture.png" and canvas is not NORVANE_CANVAS
    picture = window_picture(brand, canvas) if own_shape else None
    for size, bits in ((32, 4), (16, 1), (16, 4)):
        raw = imaging.icon_rgba(source, size, picture)
        pixels = [tuple(raw[k:k + 4]) for k in range(0, len(raw), 4)]
        if source.name == "picture.png" and not own_shape:
            pixels = [p[:3] + (0,) if outside_disc((k % size + 0.5) * PICTURE / size - 0.5,
                                                   (k // size + 0.5) * PICTURE / size - 0.5)
                      else p for k, p in enumerate(pixels)]
        table = STANDARD_COLOURS if bits == 4 else [(0, 0, 0), (255, 255, 255)]
        opaque = [p[3] >= 128 for p in pixels]
        nearest_in_table = lru_cache(maxsize=None)(lambda colour: nearest(colour, table))
        indices = [nearest_in_table(p[:3]) if o else 0 for p, o in zip(pixels, opaque)]
        rows = [indices[y * size:(y + 1) * size] for y in range(size)]
        mask = [[0 if opaque[y * size + x] else 1 for x in range(size)] for y in range(size)]
        xor, and_mask = pack_rows(rows, bits), pack_rows(mask, 1)
        dib = dib_header(size, 2 * size, bits, len(xor) + len(and_mask), 0, 0) + \
            colour_table(table) + xor + and_mask
        images.append((size, len(table) % 256, bits, dib))
    header = struct.pack("<HHH", 0, 1, len(images))
    offset, entries, blobs = 6 + 16 * len(images), b"", b""
    for size, colours, bits, dib in images:
        entries += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(dib), offset)
        blobs += dib
        offset += len(dib)
    return header + entries + blobs


def two_colour_file(rows):
    """A 1-bit bitmap, black then white, set bits white: a mask or an outline."""
    pixels = pack_rows(rows, 1)
    dib = dib_header(len(rows[0]), len(rows), 1, len(pixels), 2, 0) + \
        colour_table([(0, 0, 0), (255, 255, 255)]) + pixels
    return struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, 14 + 40 + 8) + dib


def installed_picture(art, hidden, k, palette, canvas, outside_rows):
    """The installed state's picture at k times the size, its buttons painted in as in the
    picture's, in the set's palette (the launcher realizes the picture's for both) and
    clear outside the picture's window."""
    picture = compose({**art, "picture": art["installed"]}, hidden, k, canvas)[0]
    width, height = len(picture[0]), len(picture)
    indices = remap(width, height, to_bytes(picture), palette)
    for y, columns in enumerate(outside_rows):
        for x in columns:
            indices[y][x] = CORNER_INDEX
    return bmp_file(indices, palette, 256)


def indexed_set(art, hidden, k, palette, canvas=NORVANE_CANVAS):
    """{file name: bytes} of the picture and the faces at k times the size, in `palette`,
    or in one fitted to the 1x art where it is None, with each face's own mask and the
    window's outline where the canvas has them; and that palette."""
    picture, squares, faces, outside_rows = compose(art, hidden, k, canvas)
    all_rows, places = sheet(picture, squares, k, (1, 2) if canvas.paint else (0, 1, 2))
    size = len(all_rows[0]), len(all_rows)
    rgb = to_bytes(all_rows)
    palette = palette or build_palette(*size, rgb)
    indices = remap(*size, rgb, palette)
    width, height, suffix = canvas.width * k, canvas.height * k, "@2x" if k == 2 else ""
    picture_indices = [row[:width] for row in indices[:height]]
    for y, columns in enumerate(outside_rows):
        for x in columns:
            picture_indices[y][x] = CORNER_INDEX
    files = {f"background{suffix}.bmp": bmp_file(picture_indices, palette, 256)}
    if art.get("installed"):
        files[f"installed{suffix}.bmp"] = installed_picture(art, hidden, k, palette, canvas,
                                                            outside_rows)
    for button in sorted(canvas.buttons):
        bx, by, side = canvas.buttons[button]
        mask = face_mask(faces[button], k, side) if canvas.own_masks else None
        white = mask or shared_mask(k, side)
        face = face_indices(bx, by, side, picture_indices, indices, places, k, white, button)
        files[f"face{button}{suffix}.bmp"] = bmp_file(face, palette, 0)
        if mask:
            files[f"mask{button + 20}{suffix}.bmp"] = two_colour_file(mask)
    if canvas.shape == "alpha":
        files[f"outline{suffix}.bmp"] = two_colour_file(
            [[0 if x in columns else 1 for x in range(width)]
             for columns in map(set, outside_rows)])
    return files, palette


def bitmaps(art, hidden, canvas=NORVANE_CANVAS):
    """{file name: bytes} of the picture and the faces at 1x and at 2x, all in one
    palette: a 256-colour screen realizes the picture's palette whichever it shows."""
    files, palette = indexed_set(art, hidden, 1, None, canvas)
    files_2x, _ = indexed_set(art, hidden, 2, palette, canvas)
    return {**files, **files_2x}
