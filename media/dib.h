#pragma once
// The bytes of a DIB resource (a BITMAPINFOHEADER, its colour table, the pixel rows) and
// the logical palette built from them. Plain code over bytes, no platform.
#include <cstddef>
#include <cstdint>

constexpr uint32_t kDibHeaderBytes = 40;

struct DibLayout {
  int32_t width;
  int32_t height;  // positive: rows stored bottom-up
  uint16_t bitCount;
  uint32_t colourCount;  // 2^bitCount entries in the colour table
  uint32_t pixelOffset;  // where the pixel rows start
  uint32_t rowBytes;     // one row, padded to a multiple of 4
  uint32_t totalBytes;   // header, colour table and every row
};

// The loader finds the pixels right behind a colour table of 2^bitCount entries, whatever
// biClrUsed says: 48 bytes in for 1 bit, 104 for 4 bits, 1064 for 8 bits.
uint32_t DibPixelOffset(uint16_t bitCount);

// Reads the layout of a resource of `size` bytes. Fails, leaving `layout` untouched, when
// the platform would read outside the bytes or somewhere other than the loader does: a
// header other than a 40-byte BITMAPINFOHEADER, planes other than 1, a bit count other
// than 1, 4 or 8, compressed pixels, biClrUsed above 2^bitCount, an empty size, or fewer
// bytes than the colour table and rows need. Top-down rows (a negative height) are read.
bool ReadDibLayout(const uint8_t* bytes, size_t size, DibLayout* layout);

// A LOGPALETTE (version 0x300, then {red, green, blue, flags 0} per entry) is built in a
// block of this many bytes; 256 entries use 1028 of them.
constexpr size_t kLogPaletteBlockBytes = 1032;
constexpr uint16_t kLogPaletteVersion = 0x300;

// Writes the palette of a DIB whose layout was read: one entry per colour-table entry,
// 256 for an 8-bit bitmap, never reading past the table. Blue and red trade places
// between an RGBQUAD and a PALETTEENTRY. Returns the number of entries written.
uint16_t FillLogPalette(const uint8_t* header, uint8_t block[kLogPaletteBlockBytes]);
