"""A brand's own design: brand.ini's [layout], [places] and [places.TAG], checked against
the picture's shape, and the layout resource (RCDATA 1011) that the launcher reads, byte
for byte as media/layout_resource.h lays it out. Without these sections the brand is
Norvane's design with other paint, and none of this is written."""

import re
import struct
from dataclasses import dataclass, field

from branding import languages
from branding.art import Canvas
from branding.common import BUTTON_PLACES, FRAME, PICTURE

STANDARD = {"install": 201, "demo": 202, "browse": 203}
EXIT, EXIT_ID = "exit", 204
FIRST_OWN_ID, FIRST_OWN_NAME, FIRST_OWN_COMMAND = 205, 1011, 1017
MOST_ENTRIES = 6
OWN_NAME = re.compile(r"[a-z]{1,12}")
SECTIONS = ("layout", "places")
KEYS = {"size": None, "shape": None, "labels": None, "font": 31, "points": None,
        "colour": None, "shadow": None, "entries": None}
SMALLEST, LARGEST = 200, 720
SMALLEST_FACE, LARGEST_FACE = 24, 96
FEWEST_POINTS, MOST_POINTS = 6, 36
LABEL_NONE, LABEL_LEFT, LABEL_RIGHT = 0, 1, 2
SIDES = {"left": LABEL_LEFT, "right": LABEL_RIGHT}
# Between a button and its label, at 100 %.
LABEL_GAP = 6
VERSION, OUTLINE, DRAWN_LABELS, OWN_PLACES = 1, 1, 2, 4
NO_SHADOW = 0xFFFFFFFF
FONT_UNITS = 32
DEFAULTS = {"size": f"{PICTURE}x{PICTURE}", "shape": "round", "labels": "painted",
            "font": "Segoe UI", "points": "10", "colour": "FFFFFF",
            "entries": "install demo browse"}


@dataclass
class Place:
    x: int
    y: int
    side: int


@dataclass
class Design:
    width: int
    height: int
    outline: bool
    drawn: bool
    font: str
    tenths: int
    colour: int
    shadow: int
    entries: list                 # the entries' names in Tab order, exit not among them
    places: dict                  # {name: Place} at 100 %, exit included
    own_places: dict = field(default_factory=dict)  # {tag: {name: Place}}
    sizes: dict = field(default_factory=dict)       # {name: the button's side}, from the faces

    @property
    def buttons(self):
        return self.entries + [EXIT]

    def ids(self):
        own = iter(range(FIRST_OWN_ID, FIRST_OWN_ID + MOST_ENTRIES))
        return {name: STANDARD.get(name) or next(own) for name in self.entries} | \
            {EXIT: EXIT_ID}

    def size(self, name):
        return self.sizes.get(name, FRAME)

    def places_of(self, tag):
        """A language's places: its own, else the default's, mirrored for a right-to-left
        language as Windows mirrors its window."""
        if tag in self.own_places:
            return {**self.places, **self.own_places[tag]}
        if tag not in languages.RIGHT_TO_LEFT:
            return self.places
        flip = {LABEL_LEFT: LABEL_RIGHT, LABEL_RIGHT: LABEL_LEFT, LABEL_NONE: LABEL_NONE}
        return {name: Place(self.width - p.x - self.size(name), p.y, flip[p.side])
                for name, p in self.places.items()}


def in_use(ini):
    return any(section.partition(".")[0] in SECTIONS for section in ini)


def own_entries(names):
    return [name for name in names if name not in STANDARD and name != EXIT]


def entries_in(text):
    """The names of `[layout] entries` in brand.ini's text, before it is read: the keys
    that [buttons], [commands] and [places] take depend on them."""
    section = None
    for line in text.splitlines():
        line = re.split(r"(?:^|\s);", line, maxsplit=1)[0].strip()
        header = re.fullmatch(r"\[(.*)\]", line)
        if header:
            section = header.group(1).strip()
        elif section == "layout" and line.partition("=")[0].strip() == "entries":
            return line.partition("=")[2].split()
    return None


def read_size(text, problems):
    match = re.fullmatch(r"(\d{1,4})x(\d{1,4})", text)
    if match and all(SMALLEST <= int(n) <= LARGEST for n in match.groups()):
        return int(match.group(1)), int(match.group(2))
    problems.append(f"brand.ini: [layout] size '{text}' must be WIDTHxHEIGHT at 100 %, "
                    f"{SMALLEST} to {LARGEST} each (400x300)")
    return None


def read_choice(key, text, choices, problems):
    if text not in choices:
        problems.append(f"brand.ini: [layout] {key} '{text}' is none of {', '.join(choices)}")
    return text == choices[1]


def read_colour(key, text, problems):
    if re.fullmatch(r"[0-9A-Fa-f]{6}", text):
        return int(text, 16)
    problems.append(f"brand.ini: [layout] {key} '{text}' must be a colour as RRGGBB (F0F6FA)")
    return 0


def read_points(text, problems):
    if re.fullmatch(r"\d{1,2}(\.\d)?", text) and FEWEST_POINTS <= float(text) <= MOST_POINTS:
        return round(float(text) * 10)
    problems.append(f"brand.ini: [layout] points '{text}' must be {FEWEST_POINTS} to "
                    f"{MOST_POINTS}, tenths allowed (10.5)")
    return 100


def read_entries(text, problems):
    names = text.split()
    where = "brand.ini: [layout] entries"
    if not 1 <= len(names) <= MOST_ENTRIES:
        problems.append(f"{where}: {len(names)} entries; the launcher takes 1 to "
                        f"{MOST_ENTRIES} besides exit")
    for n, name in enumerate(names):
        if name == EXIT:
            problems.append(f"{where}: exit is always there, last; leave it out")
        elif name not in STANDARD and not OWN_NAME.fullmatch(name):
            problems.append(f"{where}: '{name}' is no entry name: install, demo, browse, or "
                            "1 to 12 lower-case letters of your own")
        elif name in names[:n]:
            problems.append(f"{where}: {name} is listed twice")
    return [name for n, name in enumerate(names) if name not in names[:n] and
            (name in STANDARD or OWN_NAME.fullmatch(name) and name != EXIT)]


def read_places(section, values, names, problems):
    places = {}
    for name, text in values.items():
        match = re.fullmatch(r"(\d{1,3})\s*,\s*(\d{1,3})(?:\s+(left|right))?", text)
        if not match:
            problems.append(f"brand.ini: [{section}] {name} '{text}' must be x,y of the "
                            "button's top-left corner and the label's side, left or right "
                            "(250,90 left)")
        elif match.group(3) is None and name != EXIT:
            problems.append(f"brand.ini: [{section}] {name} '{text}' needs the label's side, "
                            "left or right (250,90 left)")
        else:
            places[name] = Place(int(match.group(1)), int(match.group(2)),
                                 SIDES.get(match.group(3), LABEL_NONE))
    return places


def default_places(names, problems):
    """Norvane's places for the buttons it has, labels to their left; own entries have none."""
    places = {}
    for name in names:
        number = STANDARD.get(name, EXIT_ID if name == EXIT else None)
        if number is None:
            problems.append(f"brand.ini: [places] {name} is missing: where its button stands "
                            "(250,90 left)")
        else:
            places[name] = Place(*BUTTON_PLACES[number],
                                 LABEL_NONE if name == EXIT else LABEL_LEFT)
    return places


def read(ini, problems):
    """The design that [layout] and [places] describe, or None for Norvane's."""
    if not in_use(ini):
        return None
    given = ini.get("layout", {})
    value = {key: given.get(key, DEFAULTS.get(key)) for key in KEYS}
    size = read_size(value["size"], problems) or (PICTURE, PICTURE)
    names = read_entries(value["entries"], problems)
    if len(names) > MOST_ENTRIES:
        return None
    defaults = default_places([n for n in names + [EXIT] if n not in ini.get("places", {})],
                              problems)
    design = Design(
        *size, read_choice("shape", value["shape"], ("round", "picture"), problems),
        read_choice("labels", value["labels"], ("painted", "drawn"), problems),
        value["font"], read_points(value["points"], problems),
        read_colour("colour", value["colour"], problems),
        read_colour("shadow", value["shadow"], problems) if value["shadow"] else NO_SHADOW,
        names, {**defaults, **read_places("places", ini.get("places", {}), names, problems)})
    for section, values in ini.items():
        base, _, tag = section.partition(".")
        if base == "places" and tag:
            design.own_places[tag] = read_places(section, values, names, problems)
    return design


# ---------------------------------------------------------------------------
# The shape, the buttons in it and the room of their labels

class Shape:
    """Where the window is: the picture's inscribed ellipse, or its pixels of alpha 128 and
    more (`alpha`: rows of the 1x picture's alpha)."""

    def __init__(self, width, height, alpha=None):
        self.width, self.height = width, height
        self.outside = None
        if alpha is not None:  # a summed-area table of the pixels outside
            self.outside = [[0] * (width + 1) for _ in range(height + 1)]
            for y in range(height):
                run = 0
                for x in range(width):
                    run += alpha[y][x] < 128
                    self.outside[y + 1][x + 1] = self.outside[y][x + 1] + run

    def holds(self, left, top, right, bottom):
        if left < 0 or top < 0 or right > self.width or bottom > self.height:
            return False
        if self.outside is None:
            rx, ry = self.width / 2, self.height / 2
            return all(((x - rx) / rx) ** 2 + ((y - ry) / ry) ** 2 <= 1
                       for x in (left, right) for y in (top, bottom))
        left, top = int(left), int(top)
        right, bottom = -int(-right // 1), -int(-bottom // 1)
        o = self.outside
        return o[bottom][right] - o[top][right] - o[bottom][left] + o[top][left] == 0


def overlaps(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def square(design, name, place):
    size = design.size(name)
    return place.x, place.y, place.x + size, place.y + size


def check_places(design, shape, tags, problems):
    """Each button inside the shape and clear of the others, in every language's places."""
    seen = []
    for tag in tags:
        places = design.places_of(tag)
        if any(places == earlier for earlier in seen):
            continue
        seen.append(places)
        own = f" ({tag}'s places)" if places is not design.places else ""
        squares = {name: square(design, name, places[name]) for name in design.buttons}
        for n, name in enumerate(design.buttons):
            box = squares[name]
            where = f"brand.ini: [places] {name} {box[0]},{box[1]}{own}"
            if not shape.holds(*box):
                problems.append(f"{where}: its {box[2] - box[0]}x{box[3] - box[1]} button "
                                f"leaves the picture's {'outline' if design.outline else 'ellipse'}")
            for other in design.buttons[:n]:
                if overlaps(box, squares[other]):
                    problems.append(f"{where}: its button overlaps {other}'s")


def label_box(design, name, place, width, height):
    size = design.size(name)
    middle = place.y + size / 2
    left = place.x - LABEL_GAP - width if place.side == LABEL_LEFT else \
        place.x + size + LABEL_GAP
    return left, middle - height / 2, left + width, middle + height / 2


def room(design, shape, name, place, height, obstacles):
    """The widest label that fits beside the button: inside the shape, clear of the others."""
    fits = lambda width: shape.holds(*label_box(design, name, place, width, height)) and \
        not any(overlaps(label_box(design, name, place, width, height), box)
                for box in obstacles)
    low, high = 0, design.width
    while low < high:
        middle = (low + high + 1) // 2
        low, high = (middle, high) if fits(middle) else (low, middle - 1)
    return low


def check_labels(design, shape, measure, texts, hidden, problems):
    """Each language's drawn labels fit beside their buttons. `texts`: {tag: {name:
    label}}, `hidden`: {tag: names whose command is none}, `measure(text)`: (width,
    height) in pixels at 100 %."""
    for tag, names in texts.items():
        places = design.places_of(tag)
        shown = [n for n in design.buttons if n not in hidden[tag]]
        sized = {n: measure(names[n]) for n in shown if places[n].side != LABEL_NONE}
        boxes = {n: label_box(design, n, places[n], *sized[n]) for n in sized}
        for name, (width, height) in sized.items():
            obstacles = [square(design, n, places[n]) for n in shown if n != name] + \
                [box for n, box in boxes.items() if n != name]
            fits = room(design, shape, name, places[name], height, obstacles)
            if width > fits:
                side = "left" if places[name].side == LABEL_LEFT else "right"
                problems.append(f"brand.ini: {tag}'s label of {name}, '{names[name]}', is "
                                f"{width} px wide in {design.tenths / 10:g} points; {side} of "
                                f"its button at {places[name].x},{places[name].y} there is "
                                f"room for {fits} px")


def canvas(design, tag, tags, art_sets):
    """Where language `tag`'s set of art goes: at its places, the buttons painted into the
    picture only where every language that shows it has those places."""
    places = design.places_of(tag)
    users = [tag] if tag != tags[0] else [t for t in tags if t == tag or t not in art_sets]
    ids = design.ids()
    return Canvas(design.width, design.height,
                  {ids[name]: (places[name].x, places[name].y, design.size(name))
                   for name in design.buttons},
                  "alpha" if design.outline else "ellipse",
                  all(design.places_of(user) == places for user in users), True)


# ---------------------------------------------------------------------------
# The resource

def resource(design, places, own):
    """RCDATA 1011's bytes, with `places` ({name: Place}): media/layout_resource.h."""
    flags = (OUTLINE if design.outline else 0) | (DRAWN_LABELS if design.drawn else 0) | \
        (OWN_PLACES if own else 0)
    font = design.font.encode("utf-16-le").ljust(2 * FONT_UNITS, b"\0")
    data = struct.pack("<6HII", VERSION, flags, design.width, design.height, design.tenths,
                       len(design.buttons), design.colour, design.shadow) + font
    ids = design.ids()
    for name in design.buttons:
        p = places[name]
        data += struct.pack("<6H", ids[name], p.x, p.y, design.size(name), p.side, 0)
    return data


def resources(design, tags):
    """{tag: bytes} of the layout resource: the default language's, and each language's
    that gives its own places."""
    return {tag: resource(design, design.places_of(tag), n > 0)
            for n, tag in enumerate(tags) if n == 0 or tag in design.own_places}
