// The launcher laid out at the screen's scale, on the 1920x1080 screen, with the scale the
// platform reports taken over: window, region, buttons and their hit tests at dpi/96,
// and the whole layout again when the system reports a new scale.
#include <gtest/gtest.h>

#include "buttons/button_table.h"
#include "launcher_fixture.h"
#include "shell/dpi_change.h"
#include "shell/launcher_wndproc.h"
#include "shell/platform_seam.h"

namespace {

// A rectangle as four numbers that EXPECT_EQ can compare and print.
std::vector<LONG> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

UINT reportedDpi = 96;
UINT ReportedDpi() { return reportedDpi; }

// Where everything stands with the launcher's top-left corner at (left, top) at `dpi`.
void ExpectLaidOut(HWND launcher, int dpi, int side, int left, int top) {
  const RECT placed = WindowRectOf(launcher);
  EXPECT_EQ(Corners({left, top, left + side, top + side}), Corners(placed)) << dpi;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  RECT box = {};
  ASSERT_EQ(COMPLEXREGION, GetWindowRgn(launcher, region)) << "an ellipse, at " << dpi;
  GetRgnBox(region, &box);
  DeleteObject(region);
  // The platform's ellipse in a side x side square ends a pixel short of its right and bottom.
  EXPECT_EQ(Corners({0, 0, side - 1, side - 1}), Corners(box)) << dpi;
  const int button = (42 * dpi + 48) / 96;
  for (int row = 0; row < kButtonCount; ++row) {
    const int x = (buttonTable[row].x * dpi + 48) / 96, y = (buttonTable[row].y * dpi + 48) / 96;
    HWND expected = GetDlgItem(launcher, kFirstButtonId + row);
    EXPECT_EQ(expected, ChildWindowFromPoint(launcher, POINT{x + button / 2, y + button / 2}))
        << "button " << kFirstButtonId + row << " at " << dpi;
    RECT r = WindowRectOf(expected);
    MapWindowPoints(nullptr, launcher, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(Corners({x, y, x + button, y + button}), Corners(r))
        << "button " << kFirstButtonId + row << " at " << dpi;
  }
}

// Opens at `dpi` centred on the screen, then closes with the quit message.
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
  RECT suggested = {100, 50, 640, 590};
  EXPECT_EQ(0, SendMessageA(launcher, kDpiChangedMessage, MAKEWPARAM(144, 144),
                            reinterpret_cast<LPARAM>(&suggested)));
  PumpMessages();
  ExpectLaidOut(launcher, 144, 540, 100, 50);
  BITMAP picture = {};
  GetObjectA(state.background, sizeof picture, &picture);
  EXPECT_EQ(540, picture.bmWidth) << "the art is reloaded at the new scale";
  ExitLauncher();
  EXPECT_TRUE(PumpMessages());
}

}  // namespace
