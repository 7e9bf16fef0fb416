"""The commands of tools/brand.py."""

import os
import shutil
import sys
import tempfile
from pathlib import Path

from branding import art, languages, layout, resources, writers
from branding.check import validate
from branding.common import NORVANE, SOUND_FILES, BadBrand
from branding.imaging import MissingTool
from pe_resources import PeFile, string_block as strings_of
from pe_write import UnknownTemplate, recognise, replace_resources

RT_STRING = 6
STRING_BLOCK = 1000 // 16 + 1  # strings 992 to 1007; the next holds 1008 to 1023
USAGE = """usage: brand.py check BRAND_DIR
       brand.py prepare BRAND_DIR OUT_DIR [TEMPLATE_EXE]
       brand.py strings EXE BRAND_DIR"""


def report(brand, problems):
    for problem in problems:
        print(f"make-disc: --brand {brand}: {problem}", file=sys.stderr)
    return 2 if problems else 0


def prepare(brand_dir, out, template=None):
    brand, problems = validate(brand_dir)
    if problems:
        return report(brand_dir, problems)
    try:
        tested = template.read_bytes() if template else None
        if tested is not None:
            recognise(tested)
    except OSError as error:
        return report(brand_dir, [f"{template}: {error.strerror}"])
    except UnknownTemplate as problem:
        print(f"make-disc: {template} {problem}: not a launcher this tool can brand",
              file=sys.stderr)
        return 2
    design = brand["design"]
    canvases = {tag: layout.canvas(design, tag, brand["languages"], brand["art"])
                for tag in brand["art"]} if design else {}
    sets = {tag: art.bitmaps(pictures, hidden, *([canvases[tag]] if design else []))
            for tag, (pictures, hidden) in brand["art"].items()}
    brand["layouts"] = layout.resources(design, brand["languages"]) if design else {}
    shared = {name: (brand_dir / name if (brand_dir / name).exists() else NORVANE / name)
              for name in ["mask.bmp", "mask@2x.bmp", "launcher.manifest"] + SOUND_FILES}
    icon = art.icon_file(brand_dir, *([canvases[brand["languages"][0]]] if design else []))
    masks = sum(shared[name].stat().st_size for name in ["mask.bmp", "mask@2x.bmp"])
    brand["double_size"], brand["double_installed"] = writers.double_size_languages(
        brand, sets, len(icon) + sum(path.stat().st_size for path in shared.values()) +
        masks * (len(sets) - 1))
    staging = Path(tempfile.mkdtemp(dir=out.parent, prefix=f".{out.name}."))
    for tag, files in sets.items():
        folder = staging / writers.art_folder(brand, tag)
        folder.mkdir(exist_ok=True)
        if tag not in brand["double_size"]:
            print(f"make-disc: note: {tag}'s own pictures come at 1x only, enlarged on screens "
                  "above 100 %: at 2x too they would take LAUNCH.EXE over 1.5 MiB", file=sys.stderr)
        if "installed.bmp" in files and tag not in brand["double_installed"]:
            print(f"make-disc: note: {tag}'s installed picture comes at 1x only, enlarged on "
                  "screens above 100 %: at 2x too it would take LAUNCH.EXE over 1.5 MiB",
                  file=sys.stderr)
        for name, data in files.items():
            if writers.kept_at_double_size(brand, tag, name):
                (folder / name).write_bytes(data)
    files = {"launcher.ico": icon,
             "launcher.rc": writers.resource_script(brand).encode("utf-8"),
             "AUTORUN.INF": writers.autorun_inf(brand),
             "brand.env": writers.brand_env(brand).encode("utf-8")}
    files.update({writers.layout_file(brand, tag): data for tag, data in brand["layouts"].items()})
    for name, data in files.items():
        (staging / name).write_bytes(data)
    for name, path in shared.items():
        shutil.copyfile(path, staging / name)
    if tested is not None:
        (staging / "LAUNCH.EXE").write_bytes(
            replace_resources(tested, resources.resource_list(brand, staging)))
    shutil.rmtree(out, ignore_errors=True)
    os.rename(staging, out)
    return 0


# ---------------------------------------------------------------------------
# The built launcher's strings

def string_block(exe, brand):
    """The default language's block of strings 1000 to 1007, after checking every string
    of every language against the brand."""
    carried = PeFile(exe.read_bytes()).resources_by_language()
    for tag in brand["languages"]:
        language = languages.langid(tag)
        found = {}
        for block in {STRING_BLOCK, STRING_BLOCK + 1,
                      *(number // 16 + 1 for number in brand["strings"][tag])}:
            data = carried.get((RT_STRING, block, language))
            if data is None:
                raise BadBrand(f"{exe} carries no {tag} strings of block {block}")
            found.update(strings_of(data, (block - 1) * 16))
        for number, text in brand["strings"][tag].items():
            if found.get(number, "") != text:
                raise BadBrand(f"{exe}: {tag} string {number} is {found.get(number)!r}, "
                               f"not {text!r}")
    return carried[(RT_STRING, STRING_BLOCK, languages.langid(brand["languages"][0]))]


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "check":
            brand = Path(argv[2]).resolve()
            ini, problems = validate(brand)
            if not problems:
                sys.stdout.write(writers.brand_env(ini))
            return report(brand, problems)
        if len(argv) in (4, 5) and argv[1] == "prepare":
            return prepare(*(Path(arg).resolve() for arg in argv[2:]))
        if len(argv) == 4 and argv[1] == "strings":
            ini, problems = validate(Path(argv[3]).resolve())
            if problems:
                raise BadBrand("; ".join(problems))
            sys.stdout.buffer.write(string_block(Path(argv[2]), ini))
            return 0
    except MissingTool as missing:
        print(f"make-disc: {missing}", file=sys.stderr)
        return 2
    except BadBrand as problem:
        print(f"make-disc: --brand: {problem}", file=sys.stderr)
        return 1
    print(USAGE, file=sys.stderr)
    return 2
