"""make-disc.py --sign: the disc's LAUNCH.EXE signed with a PKCS#12 file's certificate,
by osslsigncode where it is installed, else by Windows' signtool (SHA-256, the product's
title as the program's name, a time stamp where a server is given). The password comes
from the first line of a file, never from a command line that other users can read."""
import os
import shutil
import subprocess
import tempfile
from pathlib import Path

SIGNER_MISSING = ("--sign: install osslsigncode (Debian's osslsigncode, Homebrew's, or "
                  "MSYS2's), or run on Windows with signtool (the Windows SDK) on PATH")
SECONDS = 120  # a time stamp server that takes the connection and never answers


def signer():
    """The signing program on PATH, or None."""
    for program in ("osslsigncode", "signtool"):
        if shutil.which(program):
            return program
    return None


def password_of(password_file):
    if password_file is None:
        return ""
    with open(password_file, encoding="utf-8") as f:
        return f.readline().rstrip("\r\n")


def osslsigncode_command(options, title, password_file, unsigned, signed):
    command = ["osslsigncode", "sign", "-pkcs12", str(options.sign), "-h", "sha256", "-n", title]
    command += ["-readpass", str(password_file)] if password_file else ["-pass", ""]
    if options.timestamp:
        command += ["-ts", options.timestamp]
    return command + ["-in", str(unsigned), "-out", str(signed)]


def signtool_command(options, title, password, signed):
    command = ["signtool", "sign", "/fd", "SHA256", "/f", str(options.sign), "/d", title]
    if password:
        command += ["/p", password]
    if options.timestamp:
        command += ["/tr", options.timestamp, "/td", "SHA256"]
    return command + [str(signed)]


def sign_launcher(options, title, unsigned, signed):
    """Writes `signed`, a signed copy of `unsigned`; raises RuntimeError with the tool's
    words where it can't."""
    program = signer()
    signed.parent.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        if program == "osslsigncode":
            # osslsigncode reads the password from a file whole: its first line alone.
            password_file = None
            if options.sign_password_file:
                password_file = Path(scratch) / "password"
                password_file.write_text(password_of(options.sign_password_file), encoding="utf-8")
                os.chmod(password_file, 0o600)
            command = osslsigncode_command(options, title, password_file, unsigned, signed)
        else:
            shutil.copyfile(unsigned, signed)
            command = signtool_command(options, title, password_of(options.sign_password_file), signed)
        try:
            done = subprocess.run(command, capture_output=True, text=True, timeout=SECONDS)
        except subprocess.TimeoutExpired:
            raise RuntimeError(f"the time stamp server {options.timestamp} didn't answer in "
                               f"{SECONDS} s; no image written") from None
    if done.returncode != 0:
        words = (done.stderr or done.stdout).strip().splitlines()[-3:]
        raise RuntimeError(f"LAUNCH.EXE could not be signed ({program}: {' '.join(words)}); "
                           "no image written")
