"""The commands of tools/brand.py."""

import os
import shutil
import sys
import tempfile
from pathlib import Path

from branding import art, writers
from branding.check import validate
from branding.common import NORVANE, SOUND_FILES, BadBrand
from pe_resources import PeFile, string_block as strings_of

USAGE = """usage: brand.py check BRAND_DIR
       brand.py prepare BRAND_DIR OUT_DIR
       brand.py strings EXE BRAND_DIR"""


def report(brand, problems):
    for problem in problems:
        print(f"make-disc: --brand {brand}: {problem}", file=sys.stderr)
    return 2 if problems else 0


def prepare(brand, out):
    ini, problems = validate(brand)
    if problems:
        return report(brand, problems)
    files = art.bitmaps(brand)
    files["launcher.ico"] = art.icon_file(brand)
    files["launcher.rc"] = writers.resource_script(ini).encode("utf-8")
    files["AUTORUN.INF"] = writers.autorun_inf(ini)
    files["brand.env"] = writers.brand_env(ini).encode("utf-8")
    staging = Path(tempfile.mkdtemp(dir=out.parent, prefix=f".{out.name}."))
    for name, data in files.items():
        (staging / name).write_bytes(data)
    for name in ["mask.bmp", "launcher.manifest"] + SOUND_FILES:
        shutil.copyfile(brand / name if (brand / name).exists() else NORVANE / name,
                        staging / name)
    shutil.rmtree(out, ignore_errors=True)
    os.rename(staging, out)
    return 0


# ---------------------------------------------------------------------------
# The built launcher's strings

def string_block(exe, ini):
    block = PeFile(exe.read_bytes()).resources().get((6, 1000 // 16 + 1))
    if block is None:
        raise BadBrand(f"{exe} carries no string block of strings 1000 to 1007")
    expected = {1000: "BUTTON", 1001: ini["messages"]["unable"], 1002: ini["buttons"]["install"],
                1003: ini["buttons"]["demo"], 1004: ini["buttons"]["browse"],
                1005: ini["buttons"]["exit"], 1006: ini["product"]["title"],
                1007: ini["demo"]["path"]}
    carried = strings_of(block, 992)
    for number, text in expected.items():
        if carried.get(number) != text:
            raise BadBrand(f"{exe}: string {number} is {carried.get(number)!r}, not {text!r}")
    return block


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "check":
            brand = Path(argv[2]).resolve()
            ini, problems = validate(brand)
            if not problems:
                sys.stdout.write(writers.brand_env(ini))
            return report(brand, problems)
        if len(argv) == 4 and argv[1] == "prepare":
            return prepare(Path(argv[2]).resolve(), Path(argv[3]).resolve())
        if len(argv) == 4 and argv[1] == "strings":
            ini, problems = validate(Path(argv[3]).resolve())
            if problems:
                raise BadBrand("; ".join(problems))
            sys.stdout.buffer.write(string_block(Path(argv[2]), ini))
            return 0
    except BadBrand as problem:
        print(f"make-disc: --brand: {problem}", file=sys.stderr)
        return 1
    print(USAGE, file=sys.stderr)
    return 2
