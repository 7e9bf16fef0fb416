#include "media/wave_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// 16-bit mono PCM at 8000 Hz: "fmt ", a 3-byte chunk with its padding byte, then "data"
// with four blocks; 64 bytes in all.
std::vector<uint8_t> SmallSound() {
  const char bytes[] =
      "RIFF\x38\0\0\0WAVE"
      "fmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0"
      "junk\x03\0\0\0abc\0"
      "data\x08\0\0\0\x01\x02\x03\x04\x05\x06\x07\x08";
  return std::vector<uint8_t>(bytes, bytes + sizeof bytes - 1);
}

struct WaveCase {
  const char* what;
  size_t at;  // a 32-bit or 16-bit field set to `value`, or none at 0
  uint32_t value;
  int width;
  size_t size;  // the resource's size
  bool playable;
};

const WaveCase kWaveCases[] = {
    {"the whole sound", 0, 0, 0, 64, true},
    {"a resource one byte short", 0, 0, 0, 63, false},
    {"a RIFF size past the resource", 4, 0x100000, 4, 64, false},
    {"a fmt chunk of 0x100000 bytes", 16, 0x100000, 4, 64, false},
    {"a chunk between them past the RIFF", 40, 0x100, 4, 64, false},
    {"a data chunk past the RIFF", 52, 10, 4, 64, false},
    {"data of three and a half blocks", 52, 7, 4, 64, false},
    {"no data at all, a whole number of blocks", 52, 0, 4, 64, true},
    {"not PCM", 20, 3, 2, 64, false},
    {"no channels", 22, 0, 2, 64, false},
    {"a rate of 0", 24, 0, 4, 64, false},
    {"a block alignment of 4 for mono 16 bits", 32, 4, 2, 64, false},
    {"12 bits a sample", 34, 12, 2, 64, false},
    {"no WAVE", 8, 0x45564157 + 1, 4, 64, false},
    {"no data chunk", 48, 0x6b6e756a, 4, 64, false},
    {"nothing but the RIFF header", 0, 0, 0, 11, false},
};

TEST(WaveImage, PlayableOnlyWhenEveryChunkLiesInsideTheResource) {
  for (const WaveCase& c : kWaveCases) {
    std::vector<uint8_t> sound = SmallSound();
    for (int i = 0; i < c.width; ++i) sound[c.at + i] = static_cast<uint8_t>(c.value >> 8 * i);
    sound.resize(c.size);
    EXPECT_EQ(c.playable, WaveImagePlayable(sound.data(), sound.size())) << c.what;
  }
  EXPECT_FALSE(WaveImagePlayable(nullptr, 64));
  for (const char* name : {"press", "release", "highlight", "open", "ready", "close"}) {
    std::ifstream file(std::string(LAUNCHER_SOURCE_DIR "/resources/") + name + ".wav",
                       std::ios::binary);
    const std::vector<uint8_t> sound{std::istreambuf_iterator<char>(file), {}};
    EXPECT_TRUE(WaveImagePlayable(sound.data(), sound.size())) << name << ".wav";
  }
}

}  // namespace
