#include "media/string_block.h"

#include <gtest/gtest.h>

#include <cstdint>
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

}  // namespace
