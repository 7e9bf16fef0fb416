"""The launcher's rule for a sound resource (media/wave_image.cpp, WaveImagePlayable),
for the build-time checks: a brand's sound that passes here plays in the launcher."""

import struct


def wave_problem(data):
    """Why a file isn't a PCM WAVE image the platform plays from memory, or None."""
    if len(data) < 12 or data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        return "is not a RIFF WAVE file"
    if struct.unpack_from("<I", data, 4)[0] + 8 > len(data):
        return "is shorter than its RIFF size says"
    at, fmt, has_data = 12, None, False
    while at + 8 <= len(data):
        chunk, size = struct.unpack_from("<4sI", data, at)
        if at + 8 + size > len(data):
            return f"has a '{chunk.decode('latin-1')}' chunk that runs past its end"
        if chunk == b"fmt " and size >= 16:
            fmt = struct.unpack_from("<HHIIHH", data, at + 8)
        has_data |= chunk == b"data"
        at += 8 + size + (size & 1)
    if fmt is None or not has_data:
        return "has no 'fmt ' or no 'data' chunk"
    tag, channels, rate, _, align, bits = fmt
    if tag != 1 or channels not in (1, 2) or bits not in (8, 16) or \
            align != channels * bits // 8 or not 8000 <= rate <= 48000:
        return "is not PCM (8 or 16 bits, 1 or 2 channels, 8000 to 48000 Hz)"
    return None
