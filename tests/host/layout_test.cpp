#include "buttons/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// As the brand tool writes it: 400x300, drawn labels at 11 points in "Ab", two entries and
// exit; by 16-bit words.
std::vector<uint8_t> Bytes(size_t changedWord = 0, uint16_t value = 1) {
  std::vector<uint16_t> words = {1, 2, 400, 300, 110, 3, 0xFAF6, 0xF0, 0xFFFF, 0xFFFF, 'A', 'b'};
  words.resize(42);
  words.insert(words.end(), {206, 250, 40, 48, 1, 0, 201, 250, 90, 32, 2, 0, 204, 352, 8, 40, 0, 0});
  words[changedWord] = value;
  std::vector<uint8_t> bytes;
  for (uint16_t w : words) bytes.insert(bytes.end(), {uint8_t(w), uint8_t(w >> 8)});
  return bytes;
}

TEST(Layout, ReadsAWellFormedResourceAndRefusesAnyOtherWhole) {
  Layout layout = NorvaneLayout();
  ASSERT_TRUE(ParseLayout(Bytes().data(), Bytes().size(), layout));
  const LayoutEntry& e = layout.entries[1];
  EXPECT_EQ((std::vector<int>{400, 300, 0, 1, 110, 3, 201, 250, 90, 32, kLabelRight}),
            (std::vector<int>{layout.width, layout.height, layout.outline, layout.drawnLabels,
                              layout.labels.pointsTenths, layout.entryCount, e.id, e.x, e.y,
                              e.size, e.labelSide}));
  EXPECT_STREQ(L"Ab", layout.labels.font);
  EXPECT_EQ(0xF0FAF6u, layout.labels.colour);
  EXPECT_EQ(kLayoutNoShadow, layout.labels.shadow);
  const struct { size_t word; uint16_t value; const char* why; } kRefused[] = {
      {0, 2, "another version"}, {1, 8, "an unknown flag"}, {2, 199, "too narrow"},
      {3, 721, "too tall"}, {4, 9, "under a point"}, {5, 1, "exit alone"},
      {7, 0x100, "not a colour"},
      {42, 211, "an unknown id"}, {42, 201, "an id twice"}, {54, 203, "exit not last"},
      {45, 97, "a button too large"}, {46, 3, "no such label side"}, {47, 1, "not reserved"},
      {43, 353, "out of the picture's side"}, {56, 261, "out of its bottom"}};
  for (const auto& c : kRefused) {
    Layout untouched = NorvaneLayout();
    EXPECT_FALSE(ParseLayout(Bytes(c.word, c.value).data(), Bytes().size(), untouched)) << c.why;
    EXPECT_EQ(360, untouched.width) << c.why;
  }
  EXPECT_FALSE(ParseLayout(Bytes().data(), Bytes().size() - 1, layout)) << "a byte short";
  std::vector<uint8_t> unended = Bytes();
  std::fill(unended.begin() + 20, unended.begin() + 84, 'x');
  EXPECT_FALSE(ParseLayout(unended.data(), unended.size(), layout)) << "a face name without its end";
}

TEST(Layout, NorvanesAndTheMirroredPlaces) {
  const Layout norvane = NorvaneLayout();
  const LayoutEntry& browse = norvane.entries[2];
  EXPECT_EQ((std::vector<int>{360, 360, 4, 203, 193, 203, 42}),
            (std::vector<int>{norvane.width, norvane.height, norvane.entryCount, browse.id,
                              browse.x, browse.y, browse.size}));
  Layout layout = {};
  ASSERT_TRUE(ParseLayout(Bytes().data(), Bytes().size(), layout));
  const Layout mirrored = MirroredLayout(layout);
  EXPECT_EQ(400 - 250 - 48, mirrored.entries[0].x);
  EXPECT_EQ(40, mirrored.entries[0].y);
  EXPECT_EQ(8, mirrored.entries[2].x) << "exit, 40 wide at 352 of 400";
  EXPECT_EQ((std::vector<int>{kLabelRight, kLabelLeft, kLabelNone}),
            (std::vector<int>{mirrored.entries[0].labelSide, mirrored.entries[1].labelSide,
                              mirrored.entries[2].labelSide}));
  layout.ownPlaces = true;
  EXPECT_EQ(250, MirroredLayout(layout).entries[0].x) << "a language's own places stay";
  for (uint16_t language : {0x0401, 0x0c01, 0x040D, 0x0429}) EXPECT_TRUE(ReadsRightToLeft(language));
  for (uint16_t language : {0x0409, 0x0411, 0}) EXPECT_FALSE(ReadsRightToLeft(language));
  EXPECT_EQ(1003, NameStringIdOf(202));
  EXPECT_EQ(1016, NameStringIdOf(210));
}

}  // namespace
