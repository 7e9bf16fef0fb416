#include "media/dib.h"

namespace {

int32_t ReadInt32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

uint16_t ReadUInt16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void WriteUInt16(uint8_t* p, uint16_t value) {
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

bool IsLoadableBitCount(uint16_t bits) { return bits == 1 || bits == 4 || bits == 8; }

}  // namespace

uint32_t DibPixelOffset(uint16_t bitCount) { return kDibHeaderBytes + 4u * (1u << bitCount); }

bool ReadDibLayout(const uint8_t* bytes, size_t size, DibLayout* layout) {
  if (bytes == nullptr || size < kDibHeaderBytes) return false;
  const uint32_t headerSize = static_cast<uint32_t>(ReadInt32(bytes));
  const int32_t width = ReadInt32(bytes + 4);
  const int32_t height = ReadInt32(bytes + 8);
  const uint16_t planes = ReadUInt16(bytes + 12);
  const uint16_t bits = ReadUInt16(bytes + 14);
  const int32_t compression = ReadInt32(bytes + 16);
  const uint32_t coloursUsed = static_cast<uint32_t>(ReadInt32(bytes + 32));
  // The platform looks for the colour table at header + biSize and copies biClrUsed
  // entries of it; the pixels are handed over at the place fixed above. Only a 40-byte
  // header and a table no longer than the bit count's keep both where we read them.
  if (headerSize != kDibHeaderBytes || planes != 1) return false;
  if (!IsLoadableBitCount(bits) || compression != 0) return false;
  if (coloursUsed > (1u << bits)) return false;
  if (width <= 0 || height == 0 || height == INT32_MIN) return false;

  const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  const uint64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
  const uint64_t total = DibPixelOffset(bits) + rowBytes * rows;
  if (total > size) return false;

  *layout = DibLayout{width,
                      height,
                      bits,
                      1u << bits,
                      DibPixelOffset(bits),
                      static_cast<uint32_t>(rowBytes),
                      static_cast<uint32_t>(total)};
  return true;
}

uint16_t FillLogPalette(const uint8_t* header, uint8_t block[kLogPaletteBlockBytes]) {
  const uint16_t bits = ReadUInt16(header + 14);
  const uint16_t count = IsLoadableBitCount(bits) ? static_cast<uint16_t>(1u << bits) : 0;
  WriteUInt16(block, kLogPaletteVersion);
  WriteUInt16(block + 2, count);
  const uint8_t* table = header + kDibHeaderBytes;
  for (uint16_t i = 0; i < count; ++i) {
    const uint8_t* quad = table + 4 * i;  // blue, green, red, reserved
    uint8_t* entry = block + 4 + 4 * i;   // red, green, blue, flags
    entry[0] = quad[2];
    entry[1] = quad[1];
    entry[2] = quad[0];
    entry[3] = 0;
  }
  return count;
}
