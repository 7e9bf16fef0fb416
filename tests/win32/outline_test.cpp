// A brand's design on the 1920x1080 screen: the window, its pieces and its drag area take
// the outline (outline.rc) at each scale; drawn labels stand beside their buttons, inside it.
#include <gtest/gtest.h>

#include <vector>

#include "buttons/current_layout.h"
#include "launcher_fixture.h"
#include "shell/dpi_change.h"
#include "shell/launcher_wndproc.h"
#include "shell/screen_scale.h"
#include "transitions/transition_table.h"
#include "transitions/vertical_halves.h"

namespace {

Layout BrandLayout(bool drawnLabels) {
  Layout layout = {360, 360, true, drawnLabels, false, {L"Tahoma", 110, 0x00FF00, 0x0000FF}, 4, {}};
  layout.entries[0] = {201, 40, 100, 42, kLabelRight};
  layout.entries[1] = {202, 40, 160, 42, kLabelRight};
  layout.entries[2] = {203, 250, 276, 42, kLabelRight};  // by a rounded corner: shrunk and cut
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
  UseLayout(BrandLayout(false));
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

// The picture loaded at `dpi` without and with drawn labels: where they differ.
std::vector<bool> LabelInk(int dpi, int side) {
  state.dpi = dpi;
  std::vector<uint32_t> bits[2] = {std::vector<uint32_t>(side * side), std::vector<uint32_t>(side * side)};
  BITMAPINFOHEADER rows = {sizeof rows, side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  for (bool drawn : {false, true}) {
    UseLayout(BrandLayout(drawn));
    EXPECT_TRUE(LoadArt());
    GetDIBits(screen, state.background, 0, side, bits[drawn].data(), reinterpret_cast<BITMAPINFO*>(&rows), 0);
    ReleaseArt();
  }
  ReleaseDC(nullptr, screen);
  std::vector<bool> ink(side * side);
  for (size_t i = 0; i < ink.size(); ++i) ink[i] = bits[0][i] != bits[1][i];
  return ink;
}

// Every inked pixel lies on a button or inside the outline, right of one and level with it, and
// each label has some; returns the height of the first label's ink.
int CheckLabelsAt(int dpi, int outlineId, int scale) {
  const int side = ScaleToDpi(360, dpi);
  const std::vector<bool> ink = LabelInk(dpi, side);
  HRGN allowed = CreateRectRgn(0, 0, 0, 0), outline = BlownUpOutline(outlineId, scale, PieceRegion{side, side, 0, 0});
  const Layout layout = BrandLayout(true);
  int height = 0;
  for (int i = 0; i < layout.entryCount; ++i) {
    const LayoutEntry& e = layout.entries[i];
    const RECT beside = {ScaleToDpi(e.x + e.size, dpi), ScaleToDpi(e.y, dpi), side, ScaleToDpi(e.y + e.size, dpi)};
    int top = side, bottom = 0;
    for (int y = beside.top; y < beside.bottom; ++y)
      for (int x = beside.left; x < side; ++x)
        if (ink[y * side + x]) top = std::min(top, y), bottom = y + 1;
    EXPECT_EQ(e.labelSide != kLabelNone, bottom > top) << "entry " << i << " at " << dpi;
    height = i == 0 ? bottom - top : height;
    HRGN band = CreateRectRgnIndirect(&beside);
    CombineRgn(allowed, allowed, band, RGN_OR);
    DeleteObject(band);
  }
  CombineRgn(allowed, allowed, outline, RGN_AND);
  // Each button's face is painted in with the labels, wherever the window then shows it.
  for (int i = 0; i < layout.entryCount; ++i) {
    const LayoutEntry& e = layout.entries[i];
    HRGN square = CreateRectRgn(ScaleToDpi(e.x, dpi), ScaleToDpi(e.y, dpi), ScaleToDpi(e.x + e.size, dpi),
                                ScaleToDpi(e.y + e.size, dpi));
    CombineRgn(allowed, allowed, square, RGN_OR);
    DeleteObject(square);
  }
  for (int i = 0; i < side * side; ++i)
    EXPECT_TRUE(!ink[i] || PtInRegion(allowed, i % side, i / side)) << i % side << "," << i / side << " at " << dpi;
  DeleteObject(allowed);
  DeleteObject(outline);
  return height;
}

TEST_F(PictureOutlineWide, DrawnLabelsStandBesideTheirButtonsInsideTheShapeAtTheScreensScale) {
  PrepareLauncher();
  const int at96 = CheckLabelsAt(96, 198, 4), at144 = CheckLabelsAt(144, 398, 3);
  EXPECT_NEAR(1.5, static_cast<double>(at144) / at96, 0.2) << at96 << " and " << at144 << " rows of ink";
}

}  // namespace
