#!/usr/bin/env python3
"""Check the manifest carried in a built LAUNCH.EXE: parsed as XML, it runs the launcher
with the rights of whoever opens it, names every Windows from Vista to 11 as supported,
and declares no DPI awareness. Standard library only.
Usage: check_manifest.py LAUNCH.EXE
"""

import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

from check_launch_exe import PeFile

RT_MANIFEST = 24
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10 and 11",
}


def problems(exe):
    manifest = PeFile(exe.read_bytes()).resources().get((RT_MANIFEST, 1))
    if manifest is None:
        yield "no manifest (resource 24, id 1)"
        return
    try:
        root = ElementTree.fromstring(manifest)
    except ElementTree.ParseError as error:
        yield f"the manifest is not well-formed XML: {error}"
        return
    if root.tag != ASM_V1 + "assembly" or root.get("manifestVersion") != "1.0":
        yield f"the root is {root.tag} version {root.get('manifestVersion')}, not an assembly 1.0"
    levels = [(e.get("level"), e.get("uiAccess")) for e in root.iter(ASM_V3 + "requestedExecutionLevel")]
    if levels != [("asInvoker", "false")]:
        yield f"requested execution levels {levels}, not one asInvoker without uiAccess"
    supported = [e.get("Id") for e in root.iter(COMPATIBILITY + "supportedOS")]
    if sorted(supported) != sorted(SUPPORTED_OS):
        yield f"supported systems {supported}, not Windows {', '.join(SUPPORTED_OS.values())}"
    dpi = [e.tag for e in root.iter() if "dpi" in e.tag.lower()]
    if dpi:
        yield f"declares DPI awareness: {dpi}"


def main():
    exe = Path(sys.argv[1])
    found = list(problems(exe))
    for problem in found:
        print(f"{exe.name}: {problem}")
    if not found:
        print(f"{exe.name}: manifest asInvoker, Windows Vista to 11, no DPI awareness")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
