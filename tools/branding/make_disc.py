"""make-disc: the image of an installation disc, ISO 9660 with Joliet, that starts the
tested LAUNCH.EXE by AutoRun, the brand's resources written into it.

    make-disc.py [--brand DIR] [--out FILE] [--setup FILE] [--demo FILE] [--add DIR]...
                 [--launcher LAUNCH.EXE] [--writer pycdlib|xorriso]
                 [--sign FILE.p12 [--sign-password-file FILE] [--timestamp URL]]
    make-disc.py --check ...        only the checks of the input, writing nothing
    make-disc.py --as-written LAUNCH.EXE [--stand-in STUB.EXE] [--quiet] ...
        (scripts/make-disc) that launcher, already written and checked, as it is; the
        stand-in installer where --setup and --demo give none; no listing of the disc.

At the root: LAUNCH.EXE, AUTORUN.INF and, with --setup, SETUP.EXE; with --demo, the demo
installer at the brand's demo path. --add copies a folder's content onto the disc, and a
brand's folder disc/ goes on it too. The image goes to LABEL-disc.iso in the current
folder unless --out says otherwise. Bad input ends with one line on standard error and
exit code 2 before anything is written; the image is written under a temporary name
beside its place and renamed only when complete."""

import argparse
import os
import shutil
import signal
import sys
import tempfile
from pathlib import Path

from branding import cli, writers
from branding.check import validate
from branding.common import REPO
from branding.disc_names import DEVICE_NAME, RESERVED
from branding.imaging import PILLOW_MISSING, imagemagick
from branding.signing import SIGNER_MISSING, sign_launcher, signer

NORVANE_LABEL = "NORVANE"
NORVANE_DEMO_PATH = "Demos\\Ravelcog\\Setup.exe"
NORVANE_AUTORUN = b"".join(line + b"\r\n" for line in (
    b"[autorun]", b"open=LAUNCH.EXE", b"icon=LAUNCH.EXE,0", b"label=Norvane",
    b"action=Run Norvane CD Setup"))
WRITERS = ("pycdlib", "xorriso")


class BadInput(Exception):
    pass


class Entry:
    """A file or folder on the disc: its path there (slashes) and where it comes from."""

    def __init__(self, path, source=None, folder=False, added=False):
        self.path, self.source, self.folder, self.added = path, source, folder, added

    @property
    def kind(self):
        return "d" if self.folder else "f"


def check_windows_program(option, file):
    """An installer is a Windows program: "MZ", and "PE\\0\\0" where 0x3C points."""
    if not os.path.lexists(file):
        raise BadInput(f"{option} {file}: no such file")
    if not os.path.isfile(file) or not os.access(file, os.R_OK):
        raise BadInput(f"{option} {file}: not a readable file")
    with open(file, "rb") as program:
        header = program.read(64)
        if len(header) < 64 or header[:2] != b"MZ":
            raise BadInput(f"{option} {file} is not a Windows program (no MZ header)")
        program.seek(int.from_bytes(header[60:64], "little"))
        if program.read(4) != b"PE\0\0":
            raise BadInput(f"{option} {file} is not a Windows program (no PE header)")


def name_refusal(folder, path):
    """Why Windows couldn't open `path` from the added `folder` on the disc, or None."""
    name = path.rsplit("/", 1)[-1]
    base = name.split(".", 1)[0]
    if len(name) > 64:
        return "names on the disc have at most 64 characters"
    if any(c in RESERVED - {"/"} for c in name):
        return '< > : " \\ | ? * ; can\'t be in a name on the disc'
    if any(ord(c) < 32 or ord(c) == 127 for c in name):
        return "control characters can't be in a name on the disc"
    if any(0xD800 <= ord(c) <= 0xDFFF or ord(c) > 0xFFFF for c in name):
        return "only UTF-8 names of Unicode's basic plane can be on the disc"
    if name[-1] in ". ":
        return "a name on the disc can't end in a dot or a space"
    if DEVICE_NAME.match(base):
        return f"Windows keeps the name {base} for a device"
    if len(path) > 240:
        return "paths on the disc have at most 240 characters"
    full = os.path.join(folder, path)
    if os.path.isdir(full):
        if path.count("/") >= 7:
            return "folders on the disc are at most 8 levels deep"
    elif not os.path.isfile(full):
        return "neither a file nor a folder"
    elif not os.access(full, os.R_OK):
        return "can't be read"
    return None


def added_entries(folder):
    """Every file and folder under `folder`, links followed, as entries on the disc."""
    if not os.path.isdir(folder):
        raise BadInput(f"--add {folder}: no such folder")
    found = []
    for top, folders, files in os.walk(folder, followlinks=True):
        for name in sorted(folders) + sorted(files):
            full = os.path.join(top, name)
            path = os.path.relpath(full, folder).replace(os.sep, "/")
            why = name_refusal(folder, path)
            if why:
                shown = "".join("?" if ord(c) < 32 or 0xDC80 <= ord(c) <= 0xDCFF else c
                                for c in path)
                raise BadInput(f"--add {folder}: '{shown}': {why}")
            found.append(Entry(path, full, os.path.isdir(full), added=True))
    return found


def check_clashes(entries):
    """The same path twice is a folder merged with a folder; anything else that Windows
    would take for one name is refused."""
    last = None
    for entry in sorted(entries, key=lambda e: e.path.lower()):
        if last is not None and last.path.lower() == entry.path.lower() and \
                (entry.kind == "f" or last.kind == "f" or entry.path != last.path):
            raise BadInput(f"--add: '{last.path}' and '{entry.path}' would be one name on the disc")
        last = entry


def check_brand_paths(brand_dir, brand, entries):
    on_disc = {(e.kind, e.path.lower()) for e in entries}
    for target in brand["targets"]:
        if ("f", target.replace("\\", "/").lower()) not in on_disc:
            raise BadInput(f"--brand {brand_dir}: '{target}', which a button runs or opens, "
                           "is not on the disc; give it with --setup, --demo or --add")
    for folder in brand["folders"]:
        if ("d", folder.replace("\\", "/").lower()) not in on_disc:
            raise BadInput(f"--brand {brand_dir}: '{folder}', which a button shows, is not "
                           "a folder on the disc; give it with --add or in the brand's disc/")


def demo_folders(demo_path):
    parts = demo_path.split("\\")[:-1]
    return ["/".join(parts[:n]) for n in range(1, len(parts) + 1)]


def chosen_writer(asked):
    """The ISO writer: pycdlib where Python has it, else xorriso."""
    if asked in (None, "pycdlib"):
        try:
            import pycdlib  # noqa: F401
            return "pycdlib"
        except ImportError:
            if asked:
                raise BadInput("--writer pycdlib: install Debian's python3-pycdlib, or "
                               "`pip install pycdlib`") from None
    if shutil.which("xorriso"):
        return "xorriso"
    raise BadInput("the image is written by pycdlib or xorriso: install Debian's "
                   "python3-pycdlib (or `pip install pycdlib`) or xorriso")


def needs_pillow():
    if imagemagick():
        return
    try:
        import PIL  # noqa: F401
    except ImportError:
        raise BadInput(PILLOW_MISSING) from None


def plan(options):
    """The disc's entries, label and the brand's, after every check of the input."""
    brand = None
    label, demo_path = NORVANE_LABEL, NORVANE_DEMO_PATH
    adds = list(options.add)
    if options.brand:
        needs_pillow()
        brand, problems = validate(options.brand)
        if problems:
            cli.report(options.brand, problems)
            raise SystemExit(2)
        label = brand["product"].get("label") or label
        demo_path = brand["demo_path"]
        if (options.brand / "disc").is_dir():
            adds.insert(0, options.brand / "disc")
    for option in ("setup", "demo"):
        if getattr(options, option):
            check_windows_program(f"--{option}", getattr(options, option))
    if options.demo and not demo_path:
        raise BadInput(f"--demo {options.demo}: the brand's buttons start no demo from "
                       "[demo] path")
    entries = [Entry("LAUNCH.EXE"), Entry("AUTORUN.INF")]
    setup, demo = options.setup or options.stand_in, options.demo or options.stand_in
    if setup:
        entries.append(Entry("SETUP.EXE", setup))
    if demo_path and demo:
        entries.append(Entry(demo_path.replace("\\", "/"), demo))
        entries += [Entry(folder, folder=True) for folder in demo_folders(demo_path)]
    for folder in adds:
        entries += added_entries(folder)
    check_clashes(entries)
    if brand:
        check_brand_paths(options.brand, brand, entries)
    return entries, label, brand


def launcher_files(options, brand, work):
    """LAUNCH.EXE and AUTORUN.INF: the tested launcher, a brand's resources written in."""
    autorun = writers.autorun_inf(brand) if brand else NORVANE_AUTORUN
    if options.as_written or not brand:
        return options.as_written or options.launcher, autorun
    result = cli.prepare(options.brand, work / "brand", options.launcher)
    if result != 0:
        raise SystemExit(result)
    return work / "brand" / "LAUNCH.EXE", (work / "brand" / "AUTORUN.INF").read_bytes()


def plain_name(name, folder):
    """A name as ISO 9660 level 1 holds it: upper-case 8.3 of A-Z, 0-9 and _."""
    stem, _, extension = name.rpartition(".") if "." in name and not folder else (name, "", "")
    clean = lambda text, most: "".join(c if c.isascii() and (c.isalnum() or c == "_") else "_"
                                       for c in text.upper())[:most]
    return clean(stem, 8), clean(extension, 3)


def iso_names(entries):
    """{disc path: ISO 9660 level 1 path}, names that come out alike in a folder numbered
    from 0 in the order of the names given, as xorriso numbers them."""
    unique = {e.path: e.folder for e in entries}
    names = {}
    for depth in sorted({path.count("/") for path in unique}):
        groups = {}
        for path in sorted(p for p in unique if p.count("/") == depth):
            parent, _, name = path.rpartition("/")
            groups.setdefault((names.get(parent, ""), plain_name(name, unique[path])), []).append(path)
        for (parent, (stem, extension)), paths in groups.items():
            for n, path in enumerate(paths):
                numbered = stem if len(paths) == 1 else stem[:8 - len(str(n))] + str(n)
                dot = f".{extension}" if extension or not unique[path] else ""
                names[path] = f"{parent}/{numbered}{dot}"
    return names


def write_with_pycdlib(image, label, entries):
    import pycdlib
    iso = pycdlib.PyCdlib()
    iso.new(interchange_level=1, joliet=3, vol_ident=label)
    names = iso_names(entries)
    made = set()
    for entry in sorted(entries, key=lambda e: (e.path.count("/"), e.path)):
        if entry.folder and entry.path in made:
            continue  # a folder merged with a folder
        made.add(entry.path)
        if entry.folder:
            iso.add_directory(names[entry.path], joliet_path="/" + entry.path)
        else:
            iso.add_file(str(entry.source), names[entry.path] + ";1", joliet_path="/" + entry.path)
    iso.write(str(image))
    iso.close()


def write_with_xorriso(image, label, entries, adds):
    """xorriso stops at the first warning: libisofs only warns when it leaves a file out."""
    import subprocess
    maps = [arg for folder in adds for arg in ("-map", str(folder), "/")]
    for entry in entries:
        if entry.source is not None and not entry.added:
            maps += ["-map", str(entry.source), "/" + entry.path]
    result = subprocess.run(
        ["xorriso", "-report_about", "WARNING", "-abort_on", "WARNING", "-return_with",
         "WARNING", "32", "-outdev", f"stdio:{image}", "-volid", label, "-joliet", "on",
         "-rockridge", "off", "-follow", "link", "-compliance",
         "clear:iso_9660_level=1:only_iso_version:no_j_force_dots:always_gmt", *maps,
         "-commit"], capture_output=True, text=True)
    if result.returncode != 0:
        sys.stderr.write(result.stderr)
        raise RuntimeError("xorriso could not write the image")


def parse(argv):
    parser = argparse.ArgumentParser(prog="make-disc", add_help=True)
    for option in ("--brand", "--out", "--setup", "--demo", "--launcher", "--as-written",
                   "--stand-in", "--sign", "--sign-password-file", "--timestamp"):
        parser.add_argument(option)
    parser.add_argument("--add", action="append", default=[])
    parser.add_argument("--writer", choices=WRITERS)
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--quiet", action="store_true")
    parser.error = lambda message: (_ for _ in ()).throw(BadInput(message))
    options = parser.parse_args(argv)
    for name in ("brand", "out", "setup", "demo", "launcher", "as_written", "stand_in", "sign",
                 "sign_password_file"):
        value = getattr(options, name)
        if value == "":
            raise BadInput(f"--{name.replace('_', '-')} needs a value")
        if value is not None:
            setattr(options, name, Path(os.path.abspath(value)))
    options.add = [Path(os.path.abspath(folder)) for folder in options.add]
    options.launcher = options.launcher or REPO / "LAUNCH.EXE"
    check_signing(options)
    return options


def check_signing(options):
    if not options.sign:
        if options.sign_password_file or options.timestamp:
            raise BadInput("--sign-password-file and --timestamp go with --sign FILE.p12")
        return
    for given in (options.sign, options.sign_password_file):
        if given is not None and not given.is_file():
            raise BadInput(f"{given}: no such file")
    if options.timestamp is not None and not options.timestamp.startswith(("http://", "https://")):
        raise BadInput(f"--timestamp {options.timestamp}: a time stamp server's http(s) address")
    if signer() is None:
        raise BadInput(SIGNER_MISSING)


def signed_copy(options, brand, launcher, work):
    """The launcher itself, or its copy signed under the product's title."""
    if not options.sign:
        return launcher
    title = brand["strings"][brand["languages"][0]][1006] if brand else "Norvane CD Setup"
    signed = work / "signed" / "LAUNCH.EXE"
    sign_launcher(options, title, launcher, signed)
    return signed


def make_disc(argv):
    options = parse(argv)
    entries, label, brand = plan(options)
    out = options.out or Path.cwd() / f"{label.lower()}-disc.iso"
    if out.is_dir():
        raise BadInput(f"--out {out} is a folder")
    if not out.parent.is_dir():
        raise BadInput(f"--out {out}: no such folder {out.parent}")
    if not options.check and not (options.as_written or options.launcher).is_file():
        raise BadInput(f"{options.as_written or options.launcher}: no such file")
    writer = chosen_writer(options.writer)
    try:
        handle, partial = tempfile.mkstemp(dir=out.parent, prefix=f".{out.name}.")
        os.close(handle)
    except OSError:
        raise BadInput(f"--out {out}: can't write in {out.parent}") from None
    if options.check:
        os.unlink(partial)
        return 0
    try:
        with tempfile.TemporaryDirectory() as scratch:
            work = Path(scratch)
            launcher, autorun = launcher_files(options, brand, work)
            launcher = signed_copy(options, brand, launcher, work)
            (work / "AUTORUN.INF").write_bytes(autorun)
            entries[0].source, entries[1].source = launcher, work / "AUTORUN.INF"
            listing = sorted((e.path.replace("/", "\\"), os.path.getsize(e.source))
                             for e in entries if not e.folder)
            if writer == "pycdlib":
                os.unlink(partial)
                write_with_pycdlib(partial, label, entries)
            else:
                adds = [e for e in options.add] + \
                    ([options.brand / "disc"] if options.brand and
                     (options.brand / "disc").is_dir() else [])
                write_with_xorriso(partial, label, entries, adds)
        umask = os.umask(0)
        os.umask(umask)
        os.chmod(partial, 0o666 & ~umask)
        os.replace(partial, out)
    finally:
        if os.path.exists(partial):
            os.unlink(partial)
    if options.quiet:
        return 0
    size = out.stat().st_size
    print(f"Wrote {out}: volume {label}, {size / 1048576:.1f} MiB ({size} bytes), by {writer}. "
          "On the disc:")
    for shown, bytes_ in sorted(listing, key=lambda item: item[0].lower()):
        print(f"  {shown:<56} {bytes_:10d} bytes")
    return 0


def main(argv):
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # the temporary files go too
    try:
        return make_disc(argv)
    except BadInput as problem:
        print(f"make-disc: {problem}", file=sys.stderr)
        return 2
    except KeyboardInterrupt:
        return 130
    except (OSError, RuntimeError) as failure:
        print(f"make-disc: {failure}", file=sys.stderr)
        return 1
