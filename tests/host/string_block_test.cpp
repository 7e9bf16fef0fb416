#include "media/string_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The launcher's block 63: eight empty strings, "BUTTON" (string 1000), then
// "Unable to execute %s" (1001) and six empty ones: 84 bytes.
std::vector<uint8_t> LaunchersBlock() {
  std::vector<uint8_t> block(16, 0);
  for (const char* text : {"BUTTON", "Unable to execute %s"}) {
    const size_t n = std::char_traits<char>::length(text);
    block.push_back(static_cast<uint8_t>(n));
    block.push_back(0);
    for (size_t i = 0; i < n; ++i) {
      block.push_back(static_cast<uint8_t>(text[i]));
      block.push_back(0);
    }
  }
  block.resize(block.size() + 12, 0);
  return block;
}

TEST(StringBlock, HoldsWhatTheWalkToEachStringReaches) {
  const std::vector<uint8_t> block = LaunchersBlock();
  ASSERT_EQ(84u, block.size());
  struct Case {
    const char* what;
    size_t size;
    int index;
    bool holds;
  };
  const Case cases[] = {
      {"string 1000 in the whole block", 84, 8, true},
      {"string 1001 in the whole block", 84, 9, true},
      {"the last string", 84, 15, true},
      {"string 1000 in the first half", 42, 8, true},
      {"string 1001 cut off in the first half", 42, 9, false},
      {"string 1000 one byte short", 29, 8, false},
      {"string 1000 exactly", 30, 8, true},
      {"no block", 0, 0, false},
      {"an index past the block", 84, 16, false},
      {"a negative index", 84, -1, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.holds, StringBlockHolds(block.data(), c.size, c.index)) << c.what;
}

// A count of 58,339 units in the first string sends the platform 116 KB past a block of
// 84 bytes, as garbage in the string table does.
TEST(StringBlock, ACountThatRunsPastTheBlockHoldsNothingBehindIt) {
  std::vector<uint8_t> block = LaunchersBlock();
  block[0] = 0xe3;
  block[1] = 0xe3;
  EXPECT_FALSE(StringBlockHolds(block.data(), block.size(), 8));
  EXPECT_FALSE(StringBlockHolds(block.data(), block.size(), 0));
  EXPECT_FALSE(StringBlockHolds(nullptr, 84, 8));
}

// Block 63 (strings 992 to 1007) as windres builds it from resources/launcher.rc, taken
// from the .res file: entries of a header (its size at byte 4; the type and the name as
// 0xFFFF and a number at bytes 8 and 12) followed by the data, each at a 4-byte boundary.
std::vector<uint8_t> BuiltBlock() {
  std::ifstream file(LAUNCHER_RES_FILE, std::ios::binary);
  const std::vector<uint8_t> res{std::istreambuf_iterator<char>(file), {}};
  auto read32 = [&res](size_t at) {
    return static_cast<uint32_t>(res[at] | res[at + 1] << 8 | res[at + 2] << 16 |
                                 static_cast<uint32_t>(res[at + 3]) << 24);
  };
  for (size_t at = 0; at + 16 <= res.size();) {
    const uint32_t dataSize = read32(at);
    const uint32_t headerSize = read32(at + 4);
    const bool stringBlock63 = read32(at + 8) == (6u << 16 | 0xFFFF) &&
                               read32(at + 12) == (63u << 16 | 0xFFFF);
    if (stringBlock63)
      return std::vector<uint8_t>(res.begin() + at + headerSize,
                                  res.begin() + at + headerSize + dataSize);
    at += (headerSize + dataSize + 3) & ~3u;
  }
  return {};
}

// The walk to each of strings 1000 to 1007 reaches its end exactly at the place the texts
// give, a block cut one byte short of that doesn't hold it, and the last one ends the block.
TEST(StringBlock, TheBuiltBlockHoldsEachOfTheLaunchersStrings) {
  const std::vector<uint8_t> block = BuiltBlock();
  ASSERT_FALSE(block.empty()) << "no string block 63 in " LAUNCHER_RES_FILE;
  const char* const texts[] = {"BUTTON", "Unable to execute %s", "Install Norvane",
                               "Install the Ravelcog demo", "Browse this disc", "Exit",
                               "Norvane CD Setup", "Demos\\Ravelcog\\Setup.exe"};
  size_t end = 2 * 8;  // strings 992 to 999 are empty: their counts alone
  for (int i = 0; i < 8; ++i) {
    end += 2 + 2 * std::char_traits<char>::length(texts[i]);
    EXPECT_TRUE(StringBlockHolds(block.data(), end, 8 + i)) << texts[i];
    EXPECT_FALSE(StringBlockHolds(block.data(), end - 1, 8 + i)) << texts[i];
  }
  EXPECT_EQ(end, block.size());
}

}  // namespace
