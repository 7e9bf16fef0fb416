#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "buttons/label_room.h"
#include "media/layout_resource.h"
#include "media/outline_rects.h"

namespace {

using Grid = std::vector<std::string>;  // '#' inside, '.' outside, top row first

// A 1-bit DIB of the grid, as the brand tool writes the outline, its rows in either order.
std::vector<uint8_t> OutlineDib(const Grid& grid, bool topDown, DibLayout& layout) {
  const int32_t width = static_cast<int32_t>(grid[0].size()), rows = static_cast<int32_t>(grid.size());
  const size_t rowBytes = (static_cast<size_t>(width) + 31) / 32 * 4;
  std::vector<uint8_t> dib(48 + rowBytes * rows, 0);
  const int32_t height = topDown ? -rows : rows;
  const uint8_t header[16] = {40, 0, 0, 0, static_cast<uint8_t>(width), static_cast<uint8_t>(width >> 8), 0, 0,
                              static_cast<uint8_t>(height), static_cast<uint8_t>(height >> 8),
                              static_cast<uint8_t>(height >> 16), static_cast<uint8_t>(height >> 24), 1, 0, 1, 0};
  std::copy(header, header + 16, dib.begin());
  for (int32_t y = 0; y < rows; ++y) {
    uint8_t* row = dib.data() + 48 + rowBytes * (topDown ? y : rows - 1 - y);
    for (int32_t x = 0; x < width; ++x)
      if (grid[y][x] == '#') row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  }
  EXPECT_TRUE(ReadDibLayout(dib.data(), dib.size(), &layout));
  return dib;
}

std::vector<OutlineRect> RectsOf(const Grid& grid, bool topDown, int32_t w, int32_t h) {
  DibLayout layout{};
  const std::vector<uint8_t> dib = OutlineDib(grid, topDown, layout);
  std::vector<OutlineRect> rects(OutlineRects(dib.data(), layout, w, h, nullptr));
  EXPECT_EQ(rects.size(), OutlineRects(dib.data(), layout, w, h, rects.data()));
  return rects;
}

Grid Painted(const std::vector<OutlineRect>& rects, int32_t w, int32_t h) {
  Grid grid(h, std::string(w, '.'));
  for (const OutlineRect& r : rects)
    for (int32_t y = r.top; y < r.bottom; ++y) grid[y].replace(r.left, r.right - r.left, r.right - r.left, '#');
  return grid;
}

const Grid kRounded = {"..####..", ".######.", "########", "########", ".######.", "..####.."};
const Grid kRing = {"######", "##..##", "##..##", "######"};

TEST(Outline, RowsBecomeBandsOfRunsAtTheTargetSize) {
  struct Case {
    const char* what;
    Grid from;
    int32_t w, h;
    Grid expected;
    size_t rects;  // alike rows merged: one rectangle per run of each band
  };
  const Case cases[] = {
      {"rounded rectangle", kRounded, 8, 6, kRounded, 5},
      {"a hole", kRing, 6, 4, kRing, 4},
      {"1x to 1.5x", {"#.##", "..#."}, 6, 3, {"#..###", "...#..", "...#.."}, 3},
      {"halved: rows 1, 3, 5, columns 1, 3, 5, 7", kRounded, 4, 3, {"###.", "####", ".##."}, 3},
      {"wider than 32 pixels", {std::string(33, '#') + "...#"}, 37, 2, {std::string(33, '#') + "...#", std::string(33, '#') + "...#"}, 2},
  };
  for (const Case& c : cases) {
    for (bool topDown : {false, true}) {
      const std::vector<OutlineRect> rects = RectsOf(c.from, topDown, c.w, c.h);
      EXPECT_EQ(c.expected, Painted(rects, c.w, c.h)) << c.what << (topDown ? ", top-down" : "");
      EXPECT_EQ(c.rects, rects.size()) << c.what;
      for (size_t i = 1; i < rects.size(); ++i)  // a region's order: by band, then left to right
        EXPECT_TRUE(rects[i].top > rects[i - 1].top ||
                    (rects[i].top == rects[i - 1].top && rects[i].left >= rects[i - 1].right)) << c.what;
    }
  }
}

TEST(Outline, EllipseRunsHoldThePixelsWhoseCentresLieInside) {
  EXPECT_EQ(0, EllipseRunAt(100, 100, 50, 50).left);
  EXPECT_EQ(100, EllipseRunAt(100, 100, 50, 50).right);
  EXPECT_EQ(43, EllipseRunAt(100, 100, 50, 0).left);  // |x + 0.5 - 50| <= 7.05 on the top row
  EXPECT_EQ(57, EllipseRunAt(100, 100, 50, 0).right);
  EXPECT_EQ(EllipseRunAt(100, 100, 5, 5).left, EllipseRunAt(100, 100, 5, 5).right) << "outside";
}

LabelBox RoomOf(const PictureShape& shape, std::vector<LabelBox> buttons, uint16_t side) {
  return LabelRoom(shape, buttons.data(), static_cast<int>(buttons.size()), 0, side, 8, 2);
}

std::vector<int32_t> Sides(const LabelBox& b) { return {b.left, b.top, b.right, b.bottom}; }

TEST(LabelRoom, RunsFromTheGapToTheShapesEdgeAlongItsBand) {
  const PictureShape circle = {nullptr, 0, 100, 100};
  // The band's top row (12) is the narrowest: |x + 0.5 - 50| <= 33.07 there.
  EXPECT_EQ(Sides({54, 12, 83, 20}), Sides(RoomOf(circle, {{40, 10, 52, 22}}, kLabelRight)));
  EXPECT_EQ(Sides({17, 12, 38, 20}), Sides(RoomOf(circle, {{40, 10, 52, 22}}, kLabelLeft)));

  const std::vector<OutlineRect> stairs = RectsOf({"########", "######..", "####....", "########"}, false, 32, 16);
  const PictureShape outline = {stairs.data(), stairs.size(), 32, 16};
  EXPECT_EQ(Sides({6, 2, 16, 10}), Sides(RoomOf(outline, {{0, 0, 4, 12}}, kLabelRight)))
      << "the narrowest row of the band";
  EXPECT_EQ(Sides({22, 8, 22, 16}), Sides(RoomOf(outline, {{16, 6, 20, 18}}, kLabelRight))) << "no room past the shape";
}

TEST(LabelRoom, NeverReachesOverAnotherButtonInItsBand) {
  const PictureShape square = {nullptr, 0, 400, 400};
  const LabelBox own = {100, 190, 120, 210};
  EXPECT_EQ(Sides({122, 196, 178, 204}), Sides(RoomOf(square, {own, {180, 200, 200, 220}}, kLabelRight)));
  EXPECT_EQ(Sides({62, 196, 98, 204}), Sides(RoomOf(square, {own, {40, 180, 60, 197}}, kLabelLeft)));
  EXPECT_EQ(Sides({122, 196, 400, 204}), Sides(RoomOf(square, {own, {180, 204, 200, 220}, {200, 190, 210, 196}}, kLabelRight)))
      << "buttons above and below the band leave it whole";
}

TEST(LabelRoom, ATooWideLabelShrinksToFourFifthsThenIsCut) {
  struct Case {
    int32_t width, room, percent;
  };
  for (const Case& c : {Case{50, 100, 100}, Case{100, 100, 100}, Case{100, 90, 90}, Case{100, 80, 80},
                        Case{100, 50, 80}, Case{100, 0, 80}})
    EXPECT_EQ(c.percent, LabelPercent(c.width, c.room)) << c.width << " in " << c.room;
}

}  // namespace
