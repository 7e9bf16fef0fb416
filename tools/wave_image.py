"""The launcher's rule for a sound resource (media/wave_image.cpp, WaveImagePlayable), step
for step, for the build-time checks: a brand's sound that passes here plays in the
launcher, and one that fails is refused before anything is built."""

import struct

PCM_FORMAT_TAG = 1
PCM_FORMAT_BYTES = 16


def pcm_block_alignment(data, at):
    """The block alignment of a plain PCM format at `at`, or 0 if the player refuses it."""
    tag, channels, rate, _, alignment, bits = struct.unpack_from("<HHIIHH", data, at)
    sane = tag == PCM_FORMAT_TAG and channels in (1, 2) and 1000 <= rate <= 192000 and \
        bits in (8, 16) and alignment == channels * bits // 8
    return alignment if sane else 0


def wave_problem(data):
    """Why the launcher would stay silent with this sound, or None."""
    if len(data) < 12 or data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        return "is not a RIFF WAVE file"
    riff_end = 8 + struct.unpack_from("<I", data, 4)[0]
    if riff_end > len(data):
        return "is shorter than its RIFF size says"
    alignment, at = 0, 12
    # Only the RIFF chunk counts: anything after it is not the sound's.
    while at + 8 <= riff_end:
        chunk, length = struct.unpack_from("<4sI", data, at)
        end = at + 8 + length
        if end > riff_end:
            return f"has a '{chunk.decode('latin-1')}' chunk that runs past its RIFF chunk"
        if alignment == 0 and chunk == b"fmt ":
            if length < PCM_FORMAT_BYTES:
                return "has a 'fmt ' chunk too short for PCM"
            alignment = pcm_block_alignment(data, at + 8)
            if alignment == 0:
                return "is not PCM (8 or 16 bits, 1 or 2 channels, 1000 to 192000 Hz)"
        elif alignment != 0 and chunk == b"data":
            if length % alignment:
                return f"has data of {length} bytes, not whole blocks of {alignment}"
            return None
        at = end + (length & 1)
    return "has no 'fmt ' chunk followed by a 'data' chunk in its RIFF chunk"
