// A brand's design on the 1920x1080 screen: the window, its pieces and its drag area take
// the outline (outline.rc) at each scale.
#include <gtest/gtest.h>


#include "buttons/current_layout.h"
#include "launcher_fixture.h"
#include "shell/dpi_change.h"
#include "shell/launcher_wndproc.h"
#include "transitions/transition_table.h"
#include "transitions/vertical_halves.h"

namespace {

Layout BrandLayout() {
  Layout layout = {360, 360, true, false, false, {L"Tahoma", 110, 0x00FF00, 0x0000FF}, 4, {}};
  layout.entries[0] = {201, 40, 100, 42, kLabelRight};
  layout.entries[1] = {202, 40, 160, 42, kLabelRight};
  layout.entries[2] = {203, 250, 276, 42, kLabelRight};
  layout.entries[3] = {204, 300, 40, 42, kLabelNone};
  return layout;
}

// Outline `id` of this program with each pixel a `scale`-sided square, moved and cut as
// `piece` says: what the window's region must cover exactly.
HRGN BlownUpOutline(int id, int scale, PieceRegion piece) {
  const auto* dib = static_cast<const uint8_t*>(
      LockResource(LoadResource(nullptr, FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2)))));
  const int32_t side = *reinterpret_cast<const int32_t*>(dib + 4), rowBytes = (side + 31) / 32 * 4;
  HRGN outline = CreateRectRgn(0, 0, 0, 0);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      if (!(dib[48 + (side - 1 - y) * rowBytes + x / 8] & (0x80 >> (x % 8)))) continue;
      HRGN pixel = CreateRectRgn(x * scale, y * scale, (x + 1) * scale, (y + 1) * scale);
      CombineRgn(outline, outline, pixel, RGN_OR);
      DeleteObject(pixel);
    }
  OffsetRgn(outline, piece.offsetX, piece.offsetY);
  HRGN clip = CreateRectRgn(0, 0, piece.clipWidth, piece.clipHeight);
  CombineRgn(outline, outline, clip, RGN_AND);
  DeleteObject(clip);
  return outline;
}

void ExpectShapesAt(int side, int outlineId, int scale) {
  for (int i = 0; i < (effectIndex == kVerticalHalves ? 2 : 1); ++i) {
    HRGN region = CreateRectRgn(0, 0, 0, 0), expected = BlownUpOutline(
        outlineId, scale, i == 0 ? PieceRegion{side, side, 0, 0} : verticalHalvesGeometry.region(i, side, side));
    ASSERT_NE(ERROR, GetWindowRgn(state.pieceWindows[i], region));
    EXPECT_EQ(NULLREGION, CombineRgn(region, region, expected, RGN_XOR)) << "piece " << i << " at " << side;
    DeleteObject(region);
    DeleteObject(expected);
  }
}

class PictureOutlineWide : public testing::Test {
  void TearDown() override { UseLayout(kept_); }
  const Layout kept_ = CurrentLayout();
};

TEST_F(PictureOutlineWide, TheWindowItsPiecesAndItsDragAreaTakeTheOutlineAtEachScale) {
  UseLayout(BrandLayout());
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  ExpectShapesAt(360, 198, 4);
  const RECT at = WindowRectOf(launcher);
  EXPECT_EQ(launcher, WindowFromPoint(POINT{at.left + 30, at.top + 60})) << "outside the ellipse";
  EXPECT_NE(launcher, WindowFromPoint(POINT{at.left + 180, at.top + 20})) << "above the outline";
  RECT suggested = {100, 50, 640, 590};
  SendMessageA(launcher, kDpiChangedMessage, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  ExpectShapesAt(540, 398, 3);  // the double-size outline, drawn finer than 198 blown up
}

}  // namespace
