// Checks a branded launcher's converted pictures, its sounds and its string table with the
// launcher's own readers, built for the host: a brand that passes loads as the launcher
// reads it, and plays every sound it carries.
//   brand_check [--picture WIDTHxHEIGHT] STRING_BLOCK BACKGROUND.BMP MASK.BMP FACE.BMP...
//               [SOUND.wav...]
// --picture: a brand's own design (media/layout_resource.h): the picture of that size at
// 100 %, faces of any side from 24 to 96, each face's own mask and the window's outline
// (mask*.bmp, outline*.bmp) as 1-bit bitmaps.
// Prints one line per fault and exits 1 when there is any.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "media/dib.h"
#include "media/string_block.h"
#include "media/wave_image.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;  // windres drops it from a bitmap resource

bool ReadFile(const char* path, std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  uint8_t chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + got);
  std::fclose(file);
  return true;
}

struct PictureRule {
  int32_t width;
  int32_t height;
  uint16_t bitCount;
};

bool ReadBitmap(const char* path, std::vector<uint8_t>& bytes, DibLayout& layout) {
  if (!ReadFile(path, bytes) || bytes.size() <= kFileHeaderBytes ||
      !ReadDibLayout(bytes.data() + kFileHeaderBytes, bytes.size() - kFileHeaderBytes,
                     &layout)) {
    std::printf("%s: the launcher's bitmap reader refuses it\n", path);
    return false;
  }
  return true;
}

bool CheckPicture(const char* path, PictureRule rule) {
  std::vector<uint8_t> bytes;
  DibLayout layout;
  if (!ReadBitmap(path, bytes, layout)) return false;
  if (layout.width != rule.width || layout.height != rule.height ||
      layout.bitCount != rule.bitCount) {
    std::printf("%s: %dx%d at %u bits, must be %dx%d at %u\n", path, layout.width,
                layout.height, layout.bitCount, rule.width, rule.height, rule.bitCount);
    return false;
  }
  if (rule.bitCount == 8) {
    uint8_t block[kLogPaletteBlockBytes];
    if (FillLogPalette(bytes.data() + kFileHeaderBytes, block) != 256) {
      std::printf("%s: no palette of 256 colours\n", path);
      return false;
    }
  }
  return true;
}

// A sound resource is the file's bytes as they are.
bool CheckSound(const char* path) {
  std::vector<uint8_t> bytes;
  if (!ReadFile(path, bytes) || !WaveImagePlayable(bytes.data(), bytes.size())) {
    std::printf("%s: the launcher's sound check refuses it; it would stay silent\n", path);
    return false;
  }
  return true;
}

// A design's face: three square frames side by side and a row below, of a side from 24
// to 96 at 100 %.
bool CheckAnyFace(const char* path, int k) {
  std::vector<uint8_t> bytes;
  DibLayout layout;
  if (!ReadBitmap(path, bytes, layout)) return false;
  const int32_t side = layout.height / k - 1;
  if (side < 24 || side > 96) {
    std::printf("%s: a face of %d pixels, must be 24 to 96\n", path, side);
    return false;
  }
  return CheckPicture(path, {(3 * side + 1) * k, (side + 1) * k, 8});
}

bool CheckTwoColour(const char* path) {
  std::vector<uint8_t> bytes;
  DibLayout layout;
  if (!ReadBitmap(path, bytes, layout)) return false;
  if (layout.bitCount != 1) {
    std::printf("%s: %u bits, must be 1\n", path, layout.bitCount);
    return false;
  }
  return true;
}

bool IsTwoColour(const char* path) {
  const char* name = std::strrchr(path, '/');
  name = name != nullptr ? name + 1 : path;
  return std::strncmp(name, "mask", 4) == 0 || std::strncmp(name, "outline", 7) == 0;
}

bool IsSound(const char* path) {
  const size_t length = std::strlen(path);
  return length > 4 && std::strcmp(path + length - 4, ".wav") == 0;
}

// Strings 1000 to 1007 are entries 8 to 15 of their block.
bool CheckStrings(const char* path) {
  std::vector<uint8_t> block;
  if (!ReadFile(path, block)) {
    std::printf("%s: can't be read\n", path);
    return false;
  }
  for (int index = 8; index < kStringsPerBlock; ++index) {
    if (!StringBlockHolds(block.data(), block.size(), index)) {
      std::printf("%s: string %d lies outside its block\n", path, 992 + index);
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int32_t width = 360, height = 360;
  const bool design = argc > 2 && std::strcmp(argv[1], "--picture") == 0;
  if (design) {
    if (std::sscanf(argv[2], "%dx%d", &width, &height) != 2) argc = 0;
    argv += 2;
    argc -= 2;
  }
  if (argc < 4) {
    std::fprintf(stderr, "usage: brand_check [--picture WIDTHxHEIGHT] STRING_BLOCK "
                         "BACKGROUND.BMP MASK.BMP FACE.BMP... [SOUND.wav...]\n");
    return 2;
  }
  // The high-DPI set (background@2x.bmp ...) is checked at twice the size.
  const int k = std::strstr(argv[2], "@2x.") != nullptr ? 2 : 1;
  bool good = CheckStrings(argv[1]);
  good = CheckPicture(argv[2], {width * k, height * k, 8}) && good;
  good = CheckPicture(argv[3], {127 * k, 43 * k, 1}) && good;
  for (int i = 4; i < argc; ++i) {
    bool checked;
    if (IsSound(argv[i]))
      checked = CheckSound(argv[i]);
    else if (design && IsTwoColour(argv[i]))
      checked = CheckTwoColour(argv[i]);
    else if (design)
      checked = CheckAnyFace(argv[i], k);
    else
      checked = CheckPicture(argv[i], {127 * k, 43 * k, 8});
    good = checked && good;
  }
  return good ? 0 : 1;
}
