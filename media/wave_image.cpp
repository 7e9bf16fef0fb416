#include "media/wave_image.h"

#include <cstring>

namespace {

constexpr size_t kChunkHeaderBytes = 8;  // a four-character id and a 32-bit size
constexpr size_t kRiffHeaderBytes = 12;  // "RIFF", its size, "WAVE"
constexpr size_t kPcmFormatBytes = 16;
constexpr uint16_t kPcmFormatTag = 1;

uint32_t Read32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool IsId(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

// The block alignment of a plain PCM format, or 0 when it isn't one the player takes.
uint32_t PcmBlockAlignment(const uint8_t* format) {
  const uint16_t channels = Read16(format + 2);
  const uint32_t rate = Read32(format + 4);
  const uint16_t alignment = Read16(format + 12);
  const uint16_t bits = Read16(format + 14);
  const bool sane = Read16(format) == kPcmFormatTag && (channels == 1 || channels == 2) &&
                    rate >= 1000 && rate <= 192000 && (bits == 8 || bits == 16) &&
                    alignment == channels * bits / 8;
  return sane ? alignment : 0;
}

}  // namespace

bool WaveImagePlayable(const uint8_t* image, size_t size) {
  if (image == nullptr || size < kRiffHeaderBytes) return false;
  if (!IsId(image, "RIFF") || !IsId(image + 8, "WAVE")) return false;
  const uint64_t riffEnd = kChunkHeaderBytes + static_cast<uint64_t>(Read32(image + 4));
  if (riffEnd > size) return false;
  uint32_t blockAlignment = 0;  // 0 until "fmt " has been read
  // Chunks are word-aligned: an odd-sized one is followed by a padding byte.
  for (uint64_t at = kRiffHeaderBytes; at + kChunkHeaderBytes <= riffEnd;) {
    const uint8_t* chunk = image + at;
    const uint64_t length = Read32(chunk + 4);
    const uint64_t end = at + kChunkHeaderBytes + length;
    if (end > riffEnd) return false;
    if (blockAlignment == 0 && IsId(chunk, "fmt ")) {
      if (length < kPcmFormatBytes) return false;
      blockAlignment = PcmBlockAlignment(chunk + kChunkHeaderBytes);
      if (blockAlignment == 0) return false;
    } else if (blockAlignment != 0 && IsId(chunk, "data")) {
      return length % blockAlignment == 0;
    }
    at = end + (length & 1);
  }
  return false;
}
