#!/usr/bin/env python3
"""Turn a vendor's brand folder into the resources of a branded launcher.

    brand.py check BRAND_DIR
        Only the checks of `prepare`, writing nothing; on success, brand.env's lines.
    brand.py prepare BRAND_DIR OUT_DIR [TEMPLATE_EXE]
        Reads BRAND_DIR/brand.ini and the art beside it, and writes OUT_DIR/launcher.rc
        with the pictures, sounds and icon it names, AUTORUN.INF and brand.env (the disc's
        label and demo path for scripts/make-disc). With TEMPLATE_EXE, the tested
        LAUNCH.EXE, also OUT_DIR/LAUNCH.EXE: that program with the resources launcher.rc
        lists in place of its own. Bad input: one line per problem on standard error,
        exit code 2, nothing written.
    brand.py strings EXE BRAND_DIR
        Writes the string-table block of a built LAUNCH.EXE that holds strings 1000 to
        1007 to standard output, after checking that each string is the brand's.

The work is done by the package beside it, tools/branding: reading and checking (check),
a brand's own design (layout), converting the art (art), writing the files (writers).
Needs the Python standard library and Pillow (or ImageMagick's `convert` with
BRAND_IMAGES=imagemagick: imaging); a design with drawn labels also DejaVu Sans, which
measures them (label_font).
"""

import sys

from branding.cli import main

if __name__ == "__main__":
    sys.exit(main(sys.argv))
