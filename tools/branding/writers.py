"""Writing a converted brand: the resource script, AUTORUN.INF and brand.env."""

import time


def rc_text(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '""') + '"'


def resource_script(ini):
    product, buttons = ini["product"], ini["buttons"]
    numbers = [int(n) for n in product["version"].split(".")] + [0, 0, 0]
    version = ", ".join(str(n) for n in numbers[:4])
    strings = [ini["messages"]["unable"], buttons["install"], buttons["demo"], buttons["browse"],
               buttons["exit"], product["title"], ini["demo"]["path"]]
    table = "\n".join(f"  {1001 + k} {rc_text(s)}" for k, s in enumerate(strings))
    values = {
        "CompanyName": product["company"], "FileDescription": product["title"],
        "FileVersion": product["version"], "InternalName": "LAUNCH",
        "LegalCopyright": f"Copyright (C) {time.gmtime().tm_year} "
                          f"{product['company']}",
        "OriginalFilename": "LAUNCH.EXE", "ProductName": product["name"],
        "ProductVersion": product["version"],
    }
    value_lines = "\n".join(f'      VALUE "{k}", {rc_text(v)}' for k, v in values.items())
    return f"""// A branded launcher, made by tools/brand.py from brand.ini: edit that, not this.
#pragma code_page(65001)
#include <windows.h>

LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL

1 ICON "launcher.ico"
1 RT_MANIFEST "launcher.manifest"

199 BITMAP "background.bmp"
200 BITMAP "mask.bmp"
201 BITMAP "face201.bmp"
202 BITMAP "face202.bmp"
203 BITMAP "face203.bmp"
204 BITMAP "face204.bmp"

300 WAVE "press.wav"
301 WAVE "release.wav"
302 WAVE "highlight.wav"
303 WAVE "open.wav"
304 WAVE "ready.wav"
305 WAVE "close.wav"

STRINGTABLE
BEGIN
  1000 "BUTTON"
{table}
END

1 VERSIONINFO
FILEVERSION {version}
PRODUCTVERSION {version}
FILEFLAGSMASK 0x3F
FILEFLAGS 0
FILEOS VOS_DOS_WINDOWS32
FILETYPE VFT_APP
FILESUBTYPE 0
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904B0"
    BEGIN
{value_lines}
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x0409, 1200
  END
END
"""


def autorun_inf(ini):
    """AutoRun's file: plain ASCII where the texts allow, else UTF-16 with its mark."""
    lines = ["[autorun]", "open=LAUNCH.EXE", "icon=LAUNCH.EXE,0",
             f"label={ini['product']['label']}", f"action=Run {ini['product']['title']}"]
    text = "".join(line + "\r\n" for line in lines)
    try:
        return text.encode("ascii")
    except UnicodeEncodeError:
        return b"\xff\xfe" + text.encode("utf-16-le")


def shell_quote(text):
    return "'" + text.replace("'", "'\\''") + "'"


def brand_env(ini):
    """What scripts/lib/brand.sh reads: the disc's label and demo path, and the title."""
    return (f"BRAND_LABEL={shell_quote(ini['product']['label'])}\n"
            f"BRAND_DEMO_PATH={shell_quote(ini['demo']['path'])}\n"
            f"BRAND_TITLE={shell_quote(ini['product']['title'])}\n")
