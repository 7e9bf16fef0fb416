#!/usr/bin/env python3
"""The vendor's command: the image of a brand's installation disc, made from the tested
LAUNCH.EXE beside it. `python3 make-disc.py --help`; README.md says more."""

import sys
from pathlib import Path

here = Path(__file__).resolve().parent
sys.path.insert(0, str(here / "tools" if (here / "tools" / "branding").is_dir()
                       else here.parent / "tools"))

from branding.make_disc import main  # noqa: E402

if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
