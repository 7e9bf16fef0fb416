"""Reading, scaling and reducing pictures, with Pillow (the vendor's kit) or with
ImageMagick's `convert` (this repository's discs and tests, whose converted art stays
byte for byte what it was). Their Lanczos filters, 240-colour fitting and dither differ,
so the two give pictures alike to the eye, not the same bytes.
BRAND_IMAGES=imagemagick in the environment picks ImageMagick."""

import os
import subprocess
import tempfile

from branding.common import BadBrand

PILLOW_MISSING = "the brand tool needs Pillow: install Debian's python3-pil, or `pip install Pillow`"


class MissingTool(BadBrand):
    """What to install: one line, exit code 2."""


def imagemagick():
    return os.environ.get("BRAND_IMAGES") == "imagemagick"


def pillow():
    try:
        from PIL import Image
    except ImportError:
        raise MissingTool(PILLOW_MISSING) from None
    return Image


def convert(*args, data=None):
    result = subprocess.run(["convert", *args], input=data, capture_output=True)
    if result.returncode != 0:
        lines = result.stderr.decode(errors="replace").strip().splitlines()
        raise BadBrand(f"ImageMagick: {lines[-1] if lines else 'convert failed'}")
    return result.stdout


def rgba(path, width, height, enlarge=False):
    """The picture's RGBA bytes; `enlarge`: made `width` x `height` by Lanczos."""
    if imagemagick():
        resize = ["-filter", "Lanczos", "-resize", f"{width}x{height}!"] if enlarge else []
        return convert(str(path), "-alpha", "on", *resize, "-depth", "8", "rgba:-")
    Image = pillow()
    try:
        with Image.open(path) as image:
            image = image.convert("RGBA")
    except OSError as error:
        raise BadBrand(f"{path.name} could not be converted: {error}") from None
    if enlarge:
        image = image.resize((width, height), Image.LANCZOS)
    return image.tobytes()


def fitted_colours(width, height, rgb, count):
    """At most `count` colours fitted to the RGB bytes, without dither: their RGB bytes."""
    if imagemagick():
        return convert("-size", f"{width}x{height}", "-depth", "8", "rgb:-", "+dither",
                       "-colors", str(count), "-unique-colors", "-depth", "8", "rgb:-", data=rgb)
    Image = pillow()
    image = Image.frombytes("RGB", (width, height), rgb)
    reduced = image.quantize(count, method=Image.MEDIANCUT, dither=Image.Dither.NONE)
    colours = reduced.getpalette()[:3 * count]
    used = sorted({index for _, index in reduced.getcolors(count)})
    return bytes(c for i in used for c in colours[3 * i:3 * i + 3])


def dithered(width, height, rgb, colours):
    """The RGB bytes in the colours given, Floyd-Steinberg dithered."""
    if imagemagick():
        table = f"P6 {len(colours)} 1 255\n".encode() + bytes(c for rgb_ in colours for c in rgb_)
        return remapped_by_imagemagick(width, height, rgb, table)
    Image = pillow()
    palette = Image.new("P", (1, 1))
    padded = list(colours) + [colours[0]] * (256 - len(colours))
    palette.putpalette([c for colour in padded for c in colour])
    image = Image.frombytes("RGB", (width, height), rgb)
    return image.quantize(palette=palette, dither=Image.Dither.FLOYDSTEINBERG).convert("RGB").tobytes()


def remapped_by_imagemagick(width, height, rgb, table):
    with tempfile.TemporaryDirectory() as scratch:
        remap_file = os.path.join(scratch, "palette.ppm")
        with open(remap_file, "wb") as out:
            out.write(table)
        return convert("-size", f"{width}x{height}", "-depth", "8", "rgb:-",
                       "-dither", "FloydSteinberg", "-remap", remap_file, "-depth", "8",
                       "rgb:-", data=rgb)


def icon_rgba(source, size, centred=None):
    """`source` made size x size, as RGBA bytes; `centred`: instead, the RGBA picture
    (width, height, bytes) centred on a transparent square first."""
    if imagemagick():
        data = None
        if centred is not None:
            width, height, raw = centred
            side = max(width, height)
            data = convert("-size", f"{width}x{height}", "-depth", "8", "rgba:-",
                           "-background", "none", "-gravity", "center", "-extent",
                           f"{side}x{side}", "png:-", data=raw)
        return convert("png:-" if centred else str(source), "-alpha", "on", "-resize",
                       f"{size}x{size}!", "-depth", "8", "rgba:-", data=data)
    Image = pillow()
    if centred is not None:
        width, height, raw = centred
        side = max(width, height)
        image = Image.new("RGBA", (side, side), (0, 0, 0, 0))
        image.paste(Image.frombytes("RGBA", (width, height), raw),
                    ((side - width) // 2, (side - height) // 2))
    else:
        with Image.open(source) as opened:
            image = opened.convert("RGBA")
    return image.resize((size, size), Image.LANCZOS).tobytes()


def size(path):
    """(width, height) of a picture file, or None where it can't be read as one."""
    if imagemagick():
        result = subprocess.run(["identify", "-format", "%w %h\\n", str(path)],
                                capture_output=True, text=True)
        if result.returncode != 0 or not result.stdout.strip():
            return None
        width, height = result.stdout.splitlines()[0].split()
        return int(width), int(height)
    Image = pillow()
    try:
        with Image.open(path) as image:
            image.verify()
            return image.size
    except Exception:  # Pillow's decoders raise many kinds for a file that isn't a picture
        return None


def has_alpha(path):
    if imagemagick():
        result = subprocess.run(["identify", "-format", "%A\\n", str(path)],
                                capture_output=True, text=True)
        return result.stdout.split("\n")[0].strip() in ("True", "Blend")
    Image = pillow()
    with Image.open(path) as image:
        return image.mode in ("RGBA", "LA", "PA", "RGBa", "La") or "transparency" in image.info
