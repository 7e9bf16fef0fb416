#include "buttons/layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A layout resource's bytes, as the brand tool writes them: 400x300, drawn labels in
// "Segoe UI" at 11 points, two entries and exit.
struct Bytes {
  std::vector<uint8_t> b;
  void Word(size_t at, uint16_t v) { b[at] = v & 0xFF, b[at + 1] = v >> 8; }
};
Bytes GoodLayout() {
  Bytes r{std::vector<uint8_t>(84 + 3 * 12)};
  const uint16_t header[] = {1, 2, 400, 300, 110, 3, 0xFAF6, 0xF0, 0xFFFF, 0xFFFF};
  for (size_t i = 0; i < 10; ++i) r.Word(2 * i, header[i]);
  const std::string font = "Segoe UI";
  for (size_t i = 0; i < font.size(); ++i) r.Word(20 + 2 * i, font[i]);
  const uint16_t entries[][5] = {{206, 250, 40, 48, 1}, {201, 250, 90, 32, 2}, {204, 352, 8, 40, 0}};
  for (size_t e = 0; e < 3; ++e)
    for (size_t i = 0; i < 5; ++i) r.Word(84 + 12 * e + 2 * i, entries[e][i]);
  return r;
}

TEST(Layout, ParsesOnlyAWellFormedResource) {
  struct Case {
    size_t at;  // the word changed, or the size cut to, when `cut`
    uint16_t value;
    bool cut;
    const char* why;
  } kRefused[] = {
      {119, 0, true, "one byte short"},         {2, 8, false, "an unknown flag"},
      {0, 2, false, "another version"},         {4, 199, false, "too narrow"},
      {6, 721, false, "too tall"},              {10, 1, false, "exit alone"},
      {8, 9, false, "under a point"},           {14, 0x100, false, "not a colour"},
      {84, 211, false, "an unknown id"},        {84, 201, false, "an id twice"},
      {108, 203, false, "exit not last"},       {90, 97, false, "a button too large"},
      {92, 3, false, "no such label side"},     {94, 1, false, "reserved not 0"},
      {86, 353, false, "out of the picture"},   {112, 261, false, "out of the bottom"},
  };
  Layout layout = NorvaneLayout();
  const Bytes good = GoodLayout();
  ASSERT_TRUE(ParseLayout(good.b.data(), good.b.size(), layout));
  EXPECT_EQ(400, layout.width);
  EXPECT_EQ(300, layout.height);
  EXPECT_TRUE(layout.drawnLabels && !layout.outline && !layout.ownPlaces);
  EXPECT_STREQ(L"Segoe UI", layout.labels.font);
  EXPECT_EQ(0xF0FAF6u, layout.labels.colour);
  EXPECT_EQ(kLayoutNoShadow, layout.labels.shadow);
  ASSERT_EQ(3, layout.entryCount);
  EXPECT_EQ(201, layout.entries[1].id);
  EXPECT_EQ(32, layout.entries[1].size);
  EXPECT_EQ(kLabelRight, layout.entries[1].labelSide);
  for (const Case& c : kRefused) {
    Bytes bad = GoodLayout();
    if (c.cut) bad.b.resize(c.at);
    else bad.Word(c.at, c.value);
    Layout untouched = NorvaneLayout();
    EXPECT_FALSE(ParseLayout(bad.b.data(), bad.b.size(), untouched)) << c.why;
    EXPECT_EQ(360, untouched.width) << c.why;
  }
  Bytes unterminated = GoodLayout();
  for (size_t i = 0; i < 32; ++i) unterminated.Word(20 + 2 * i, 'A');
  EXPECT_FALSE(ParseLayout(unterminated.b.data(), unterminated.b.size(), layout)) << "font";
}

TEST(Layout, NorvanesAndTheMirroredPlaces) {
  const Layout norvane = NorvaneLayout();
  EXPECT_EQ(360, norvane.width);
  ASSERT_EQ(4, norvane.entryCount);
  EXPECT_EQ(203, norvane.entries[2].id);
  EXPECT_EQ(193, norvane.entries[2].x);
  EXPECT_EQ(203, norvane.entries[2].y);
  EXPECT_EQ(42, norvane.entries[3].size);

  Layout layout = {};
  const Bytes good = GoodLayout();
  ASSERT_TRUE(ParseLayout(good.b.data(), good.b.size(), layout));
  const Layout mirrored = MirroredLayout(layout);
  EXPECT_EQ(400 - 250 - 48, mirrored.entries[0].x);
  EXPECT_EQ(40, mirrored.entries[0].y);
  EXPECT_EQ(kLabelRight, mirrored.entries[0].labelSide);
  EXPECT_EQ(kLabelLeft, mirrored.entries[1].labelSide);
  EXPECT_EQ(kLabelNone, mirrored.entries[2].labelSide);
  EXPECT_EQ(8, mirrored.entries[2].x) << "exit, 40 wide at 352 of 400";
  layout.ownPlaces = true;
  EXPECT_EQ(250, MirroredLayout(layout).entries[0].x) << "a language's own places stay";

  const uint16_t kLanguages[][2] = {{0x0401, 1}, {0x0c01, 1}, {0x040D, 1}, {0x0429, 1},
                                    {0x0409, 0}, {0x0411, 0}, {0x0000, 0}};
  for (const auto& c : kLanguages) EXPECT_EQ(c[1] != 0, ReadsRightToLeft(c[0])) << c[0];
  EXPECT_EQ(1003, NameStringIdOf(202));
  EXPECT_EQ(1016, NameStringIdOf(210));
}

}  // namespace
