#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "buttons/label_room.h"
#include "media/layout_resource.h"

namespace {

using Grid = std::vector<std::string>;  // '#' inside, top row first

// The grid's rectangles at w x h, from a 1-bit DIB of it with its rows in either order.
std::vector<OutlineRect> RectsOf(const Grid& grid, bool topDown, int32_t w, int32_t h) {
  const int32_t width = static_cast<int32_t>(grid[0].size()), rows = static_cast<int32_t>(grid.size());
  const DibLayout layout = {width, topDown ? -rows : rows, 1, 2, 48, static_cast<uint32_t>((width + 31) / 32 * 4), 0};
  std::vector<uint8_t> dib(48 + layout.rowBytes * rows);
  for (int32_t y = 0; y < rows; ++y)
    for (int32_t x = 0; x < width; ++x)
      if (grid[y][x] == '#') dib[48 + layout.rowBytes * (topDown ? y : rows - 1 - y) + x / 8] |= 0x80 >> (x % 8);
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

TEST(Outline, RowsBecomeBandsOfRunsAtTheTargetSize) {
  struct Case {
    Grid from;
    int32_t w, h;
    Grid expected;
    size_t rects;  // one per run of each band: alike rows merged
  } const cases[] = {
      {kRounded, 8, 6, kRounded, 5},
      {{"######", "##..##", "##..##", "######"}, 6, 4, {"######", "##..##", "##..##", "######"}, 4},
      {{"#.##", "..#."}, 6, 3, {"#..###", "...#..", "...#.."}, 3},  // 1x to 1.5x: columns 0 1 1 2 3 3
      {kRounded, 4, 3, {"###.", "####", ".##."}, 3},  // halved: rows 1 3 5, columns 1 3 5 7
      {{std::string(33, '#') + "...#"}, 37, 1, {std::string(33, '#') + "...#"}, 2},
  };
  for (const Case& c : cases)
    for (bool topDown : {false, true})
      EXPECT_EQ(c.expected, Painted(RectsOf(c.from, topDown, c.w, c.h), c.w, c.h)) << c.from[0] << topDown;
  for (const Case& c : cases) EXPECT_EQ(c.rects, RectsOf(c.from, false, c.w, c.h).size()) << c.from[0];
}

std::vector<int32_t> Room(const PictureShape& shape, std::vector<LabelBox> buttons, uint16_t side) {
  const LabelBox b = LabelRoom(shape, buttons.data(), static_cast<int>(buttons.size()), 0, side, 8, 2);
  return {b.left, b.top, b.right, b.bottom};
}

TEST(LabelRoom, RunsFromTheGapToTheShapesEdgeAlongItsBandAndNeverOverAnotherButton) {
  const PictureShape circle = {nullptr, 0, 100, 100};
  // The band's top row is the narrowest: |x + 0.5 - 50| <= 33.07 there.
  EXPECT_EQ((std::vector<int32_t>{54, 12, 83, 20}), Room(circle, {{40, 10, 52, 22}}, kLabelRight));
  EXPECT_EQ((std::vector<int32_t>{17, 12, 38, 20}), Room(circle, {{40, 10, 52, 22}}, kLabelLeft));
  const std::vector<OutlineRect> stairs = RectsOf({"########", "######..", "####....", "########"}, false, 32, 16);
  const PictureShape outline = {stairs.data(), stairs.size(), 32, 16};
  EXPECT_EQ((std::vector<int32_t>{6, 2, 16, 10}), Room(outline, {{0, 0, 4, 12}}, kLabelRight));
  EXPECT_EQ((std::vector<int32_t>{22, 8, 22, 16}), Room(outline, {{16, 6, 20, 18}}, kLabelRight)) << "none";
  const PictureShape big = {nullptr, 0, 400, 400};
  const LabelBox own = {100, 190, 120, 210};
  EXPECT_EQ((std::vector<int32_t>{122, 196, 178, 204}), Room(big, {own, {180, 200, 200, 220}}, kLabelRight));
  EXPECT_EQ((std::vector<int32_t>{62, 196, 98, 204}), Room(big, {own, {40, 180, 60, 197}}, kLabelLeft));
  EXPECT_EQ((std::vector<int32_t>{122, 196, 400, 204}),
            Room(big, {own, {180, 204, 200, 220}, {200, 190, 210, 196}}, kLabelRight)) << "beyond the band";
}

TEST(LabelRoom, ATooWideLabelShrinksToFourFifthsThenIsCut) {
  for (const std::vector<int32_t>& c : std::vector<std::vector<int32_t>>{
           {50, 100, 100}, {100, 100, 100}, {100, 90, 90}, {100, 80, 80}, {100, 50, 80}, {100, 0, 80}})
    EXPECT_EQ(c[2], LabelPercent(c[0], c[1])) << c[0] << " in " << c[1];
}

}  // namespace
