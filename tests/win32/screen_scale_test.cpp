// The launcher at the screen's scale (taken over through the seam) on the 1920x1080
// screen: window, region and each button's place and hit test at dpi/96, and the whole
// layout again when the system reports a new scale.
#include <gtest/gtest.h>

#include "buttons/button_table.h"
#include "launcher_fixture.h"
#include "shell/dpi_change.h"
#include "shell/launcher_wndproc.h"
#include "shell/platform_seam.h"

namespace {

std::vector<LONG> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

UINT reportedDpi = 96;
UINT ReportedDpi() { return reportedDpi; }

RECT RegionBoxOf(HWND window) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  RECT box = {};
  GetWindowRgn(window, region);
  GetRgnBox(region, &box);
  DeleteObject(region);
  return box;
}

void ExpectLaidOut(HWND launcher, int dpi, int side, int left, int top) {
  EXPECT_EQ(Corners({left, top, left + side, top + side}), Corners(WindowRectOf(launcher))) << dpi;
  const RECT box = RegionBoxOf(launcher);
  // The platform's ellipse in a side x side square ends a pixel short of its right and bottom.
  EXPECT_EQ(Corners({0, 0, side - 1, side - 1}), Corners(box)) << dpi;
  const int button = (42 * dpi + 48) / 96;
  for (int row = 0; row < kButtonCount; ++row) {
    const int x = (buttonTable[row].x * dpi + 48) / 96, y = (buttonTable[row].y * dpi + 48) / 96;
    HWND expected = GetDlgItem(launcher, kFirstButtonId + row);
    RECT r = WindowRectOf(expected);
    MapWindowPoints(nullptr, launcher, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(Corners({x, y, x + button, y + button}), Corners(r)) << row << " at " << dpi;
    EXPECT_EQ(expected, ChildWindowFromPoint(launcher, POINT{x + button - 2, y + button - 2}));
  }
}

void CheckOpenAndCloseAt(UINT dpi, int side) {
  reportedDpi = dpi;
  platform.primaryMonitorDpi = ReportedDpi;
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  ExpectLaidOut(launcher, dpi, side, (1920 - side) / 2, (1080 - side) / 2);
  ExitLauncher();
  EXPECT_TRUE(PumpMessages()) << "the launcher window is destroyed and the loop ends";
}

TEST(ScreenScaleWide, At120DpiEverythingIsAQuarterLarger) { CheckOpenAndCloseAt(120, 450); }
TEST(ScreenScaleWide, At144DpiEverythingIsHalfAgainAsLarge) { CheckOpenAndCloseAt(144, 540); }
TEST(ScreenScaleWide, At192DpiEverythingIsTwiceAsLarge) { CheckOpenAndCloseAt(192, 720); }

TEST(ScreenScaleWide, ANewScaleLaysTheLauncherOutAgainWhereTheSystemSuggests) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  RECT before[kMaxPieceCount] = {};
  for (int i = 1; i < kMaxPieceCount && state.pieceWindows[i] != nullptr; ++i)
    before[i] = RegionBoxOf(state.pieceWindows[i]);
  RECT suggested = {100, 50, 640, 590};
  SendMessageA(launcher, kDpiChangedMessage, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  PumpMessages();
  ExpectLaidOut(launcher, 144, 540, 100, 50);
  // The pieces the close slides apart carry the new picture at its new size.
  for (int i = 1; i < kMaxPieceCount && state.pieceWindows[i] != nullptr; ++i) {
    const RECT r = WindowRectOf(state.pieceWindows[i]), box = RegionBoxOf(state.pieceWindows[i]);
    EXPECT_EQ(std::vector<LONG>({540, 540}), std::vector<LONG>({r.right - r.left, r.bottom - r.top})) << i;
    for (int k = 0; k < 4; ++k)
      EXPECT_NEAR(Corners(before[i])[k] * 3 / 2, Corners(box)[k], 1) << "piece " << i << " corner " << k;
  }
  ExitLauncher();
  EXPECT_TRUE(PumpMessages());
}

}  // namespace
