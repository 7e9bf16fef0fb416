#!/usr/bin/env python3
"""Check the shipped LAUNCH.EXE as a file, without running it.

It must be a 32-bit (PE32) Windows GUI program that imports only Windows' known DLLs,
asks for ASLR and DEP, is terminal-server aware, whose code stays small, and that
carries every picture and sound byte for byte as the committed files hold them, and
its strings word for word, and runs from swap (alone: --run-from-swap). Standard library only.
Usage: check_launch_exe.py LAUNCH.EXE RESOURCES_DIR
       check_launch_exe.py --run-from-swap PROGRAM.EXE...
"""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
from pe_resources import PeFile, string_block  # noqa: E402

# Known DLLs only: any other is looked for beside the launcher first, where it can be planted.
ALLOWED_IMPORTS = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "MSVCRT.DLL"}
# A brand's own design (layout, outline, drawn labels) took the code past 32 KiB.
MAX_TEXT_BYTES = 44 * 1024
IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE = 0x8000
RUN_FROM_SWAP = 0x0400 | 0x0800  # IMAGE_FILE_REMOVABLE_ and IMAGE_FILE_NET_RUN_FROM_SWAP
RT_BITMAP, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 2, 6, 14, 16, 24
BITMAPS = {199: "background.bmp", 200: "mask.bmp",
           **{n: f"face{n}.bmp" for n in range(201, 205)}}
# The same art at twice the size, for high-DPI screens, at id + 200.
BITMAPS.update({n + 200: name.replace(".bmp", "@2x.bmp") for n, name in BITMAPS.items()})
# The whole file is read from the disc before it runs (it runs from the swap file).
MAX_FILE_BYTES = 1536 * 1024
SOUNDS = {300: "press.wav", 301: "release.wav", 302: "highlight.wav",
          303: "open.wav", 304: "ready.wav", 305: "close.wav"}
STRINGS = {1000: "BUTTON", 1001: "Unable to execute %s", 1002: "Install Norvane",
           1003: "Install the Ravelcog demo", 1004: "Browse this disc", 1005: "Exit",
           1006: "Norvane CD Setup", 1007: "Demos\\Ravelcog\\Setup.exe"}


# Else the disc can't be ejected while the launcher runs, and pages read from it can fail.
def swap_problems(pe):
    if pe.characteristics & RUN_FROM_SWAP != RUN_FROM_SWAP:
        yield "not marked to run from the swap file on a removable disc and a network share"


def problems(exe, resources_dir):
    pe = PeFile(exe.read_bytes())
    if exe.stat().st_size > MAX_FILE_BYTES:
        yield f"{exe.stat().st_size} bytes, more than {MAX_FILE_BYTES}"
    yield from swap_problems(pe)
    if pe.magic != 0x10B or pe.machine != 0x14C:
        yield f"not a PE32 i386 program (magic {pe.magic:#x}, machine {pe.machine:#x})"
    if pe.subsystem != 2:
        yield f"subsystem {pe.subsystem}, not a Windows GUI program (2)"
    # Without it, a Remote Desktop session host hands the launcher the user's private
    # Windows folder, where Explorer isn't.
    if not pe.dll_characteristics & IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE:
        yield "not marked terminal-server aware"
    extra = set(pe.imported_dlls()) - ALLOWED_IMPORTS
    if extra:
        yield f"imports DLLs that are not Windows' own: {sorted(extra)}"
    # Windows loads it at a random address and runs no data only when the header asks;
    # the random address needs the relocations kept.
    for flag, name in ((0x40, "DYNAMIC_BASE (ASLR)"), (0x100, "NX_COMPAT (DEP)")):
        if not pe.dll_characteristics & flag:
            yield f"the PE header does not ask for {name}"
    if pe.characteristics & 0x1 or pe.directories[5][1] == 0:
        yield "relocations stripped: the loader can't move it to a random address"
    text = pe.sections.get(".text", (0, 0, 0, 0))[1]
    if not 0 < text <= MAX_TEXT_BYTES:
        yield f".text is {text} bytes, not 1 to {MAX_TEXT_BYTES}"

    carried = pe.resources()
    # A BITMAP resource is its file without the 14-byte file header.
    for number, name in BITMAPS.items():
        if carried.get((RT_BITMAP, number)) != (resources_dir / name).read_bytes()[14:]:
            yield f"bitmap {number} is not {name} byte for byte"
    for number, name in SOUNDS.items():
        if carried.get(("WAVE", number)) != (resources_dir / name).read_bytes():
            yield f"sound {number} is not {name} byte for byte"
    for kind, what in ((RT_GROUP_ICON, "icon group 1"), (RT_VERSION, "version resource 1")):
        if (kind, 1) not in carried:
            yield f"no {what}"
    # Windows' installer detection looks at this file (its version resource says "Setup"):
    # only the manifest's asInvoker keeps it from asking for administrator rights.
    manifest = carried.get((RT_MANIFEST, 1))
    if manifest != (resources_dir / "launcher.manifest").read_bytes():
        yield "manifest 1 is not launcher.manifest byte for byte"
    if manifest is None or b'requestedExecutionLevel level="asInvoker"' not in manifest:
        yield "the manifest does not run the launcher asInvoker"
    # Strings 1000 to 1007 live in block 1000 // 16 + 1, which starts at string 992.
    block = carried.get((RT_STRING, 63))
    if block is None:
        yield "no string block holding strings 1000 to 1007"
    else:
        carried_strings = string_block(block, 992)
        for number, text in STRINGS.items():
            if carried_strings.get(number) != text:
                yield f"string {number} is not {text!r}"


def main():
    if sys.argv[1] == "--run-from-swap":
        found = [f"{exe}: {p}" for exe in sys.argv[2:]
                 for p in swap_problems(PeFile(Path(exe).read_bytes()))]
        print("\n".join(found) or "every program runs from the swap file on a disc or share")
        return 1 if found else 0
    exe, resources_dir = Path(sys.argv[1]), Path(sys.argv[2])
    found = list(problems(exe, resources_dir))
    for problem in found:
        print(f"{exe.name}: {problem}")
    if not found:
        print(f"{exe.name}: PE32 GUI program, terminal-server aware, known DLLs only, "
              "ASLR and DEP, resources and asInvoker manifest as committed")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
