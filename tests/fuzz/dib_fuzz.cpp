// Fuzz target for the DIB reader and the palette builder, and for the check of a sound's
// chunks. For every input the reader accepts, it works out on its own, by the fields the
// platform's bitmap creation reads, every byte the platform will read (the header of
// biSize bytes, biClrUsed colour entries behind it, the rows at the place the loader hands
// over) and the 256-entry palette read; for every input the sound check lets through, the
// bytes the player reads as it descends into "fmt " and then "data". It stops with a
// report when any of them lies outside the input. AddressSanitizer catches the reader and
// the check themselves reading too far.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "media/dib.h"
#include "media/wave_image.h"

namespace {

uint32_t Read32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void ExpectInside(const char* what, uint64_t start, uint64_t length, size_t size) {
  if (start + length <= size) return;
  std::fprintf(stderr, "accepted, but the platform reads %s at bytes %llu to %llu of %zu\n", what,
               static_cast<unsigned long long>(start),
               static_cast<unsigned long long>(start + length), size);
  std::abort();
}

// Reads every byte of a range that was checked, so that the sanitizer sees it too.
uint8_t Touch(const uint8_t* data, uint64_t start, uint64_t length) {
  uint8_t sum = 0;
  for (uint64_t i = 0; i < length; ++i) sum = static_cast<uint8_t>(sum + data[start + i]);
  return sum;
}

// The player's walk: from the RIFF header, chunk after chunk (each padded to an even
// size) to the first "fmt ", which it reads; from behind it, on to the first "data",
// which it reads. The sizes are those written in the sound, as the player takes them.
void CheckSoundReads(const uint8_t* data, size_t size) {
  ExpectInside("the RIFF header", 0, 12, size);
  uint64_t at = 12;
  for (const char* wanted : {"fmt ", "data"}) {
    for (;;) {
      ExpectInside("a chunk header", at, 8, size);
      const uint64_t length = Read32(data + at + 4);
      if (data[at] == wanted[0] && data[at + 1] == wanted[1] && data[at + 2] == wanted[2] &&
          data[at + 3] == wanted[3]) {
        ExpectInside(wanted, at + 8, length, size);
        volatile uint8_t sink = Touch(data, at + 8, length);
        (void)sink;
        at += 8 + length + (length & 1);
        break;
      }
      at += 8 + length + (length & 1);
    }
  }
}

void CheckDib(const uint8_t* data, size_t size) {
  DibLayout layout;
  if (!ReadDibLayout(data, size, &layout)) return;

  // What the platform reads, from the header's own fields.
  const uint64_t headerSize = Read32(data);
  const int64_t width = static_cast<int32_t>(Read32(data + 4));
  const int64_t height = static_cast<int32_t>(Read32(data + 8));
  const uint16_t bits = Read16(data + 14);
  const uint64_t coloursUsed = Read32(data + 32);
  const uint64_t tableEntries = coloursUsed != 0 ? coloursUsed : bits <= 8 ? 1u << bits : 0;
  const uint64_t stride = (static_cast<uint64_t>(width < 0 ? 0 : width) * bits + 31) / 32 * 4;
  const uint64_t rows = static_cast<uint64_t>(height < 0 ? -height : height);

  ExpectInside("the header", 0, headerSize, size);
  ExpectInside("the colour table", headerSize, 4 * tableEntries, size);
  ExpectInside("the pixel rows", layout.pixelOffset, stride * rows, size);
  // The palette builder takes one entry per colour-table entry of the bit count.
  ExpectInside("the palette's colour entries", kDibHeaderBytes, 4ull << bits, size);

  volatile uint8_t sink = Touch(data, 0, headerSize);
  sink = Touch(data, headerSize, 4 * tableEntries);
  sink = Touch(data, layout.pixelOffset, stride * rows);
  uint8_t block[kLogPaletteBlockBytes];
  const uint16_t entries = FillLogPalette(data, block);
  if (entries != (1u << bits)) {
    std::fprintf(stderr, "palette of %u entries for %u bits\n", entries, bits);
    std::abort();
  }
  sink = Touch(block, 0, 4 + 4 * static_cast<uint64_t>(entries));
  (void)sink;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckDib(data, size);
  if (WaveImagePlayable(data, size)) CheckSoundReads(data, size);
  return 0;
}
