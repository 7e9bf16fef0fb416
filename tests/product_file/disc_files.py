#!/usr/bin/env python3
"""What a disc image holds, as Windows would read it: the volume label, one line a file
with its Joliet path, its size and a digest of its content, then the plain ISO 9660
paths; read back with pycdlib.   disc_files.py IMAGE
Or the content of one file, by its Joliet path.   disc_files.py IMAGE --extract PATH"""

import hashlib
import io
import sys

import pycdlib


def paths(iso, tree):
    return sorted(f"{top.rstrip('/')}/{name}" for top, _, names in iso.walk(**{tree: "/"})
                  for name in names)


iso = pycdlib.PyCdlib()
iso.open(sys.argv[1])
if sys.argv[2:3] == ["--extract"]:
    iso.get_file_from_iso_fp(sys.stdout.buffer, joliet_path=sys.argv[3])
    sys.exit(0)
print("volume", iso.pvd.volume_identifier.decode().strip())
for path in paths(iso, "joliet_path"):
    content = io.BytesIO()
    iso.get_file_from_iso_fp(content, joliet_path=path)
    print(path, len(content.getvalue()), hashlib.sha256(content.getvalue()).hexdigest()[:16])
print(*paths(iso, "iso_path"))
