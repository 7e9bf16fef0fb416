// Palette changes and commands at the launcher window.
#include <gtest/gtest.h>

#include "launcher_fixture.h"

namespace {

bool HasPendingRepaint(HWND window) { return GetUpdateRect(window, nullptr, FALSE) != 0; }

TEST(PaletteMessages, OnATrueColourDisplayTheyTouchNothing) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  EXPECT_EQ(nullptr, state.palette);
  EXPECT_EQ(0, SendMessageA(launcher, WM_QUERYNEWPALETTE, 0, 0));
  EXPECT_EQ(0, SendMessageA(launcher, WM_PALETTECHANGED, 0x1234, 0));
  EXPECT_FALSE(HasPendingRepaint(launcher));
}

TEST(PaletteMessagesDepth8, ThePictureHasItsPaletteAndFollowsOtherWindowsChanges) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  ASSERT_EQ(256, state.displayColours);
  ASSERT_NE(nullptr, state.palette);
  EXPECT_EQ(256u, GetPaletteEntries(state.palette, 0, 0, nullptr));

  EXPECT_EQ(0, SendMessageA(launcher, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(launcher), 0));
  EXPECT_FALSE(HasPendingRepaint(launcher)) << "its own change needs no answer";

  const LRESULT realized = SendMessageA(launcher, WM_PALETTECHANGED, 0x1234, 0);
  EXPECT_NE(static_cast<LRESULT>(GDI_ERROR), realized);
  EXPECT_TRUE(HasPendingRepaint(launcher)) << "another window's change repaints the picture";
  PumpMessages();
  EXPECT_NE(static_cast<LRESULT>(GDI_ERROR), SendMessageA(launcher, WM_QUERYNEWPALETTE, 0, 0));
  EXPECT_TRUE(HasPendingRepaint(launcher));

  HDC dc = GetDC(launcher);
  EXPECT_NE(state.palette, GetCurrentObject(dc, OBJ_PAL)) << "selected back out";
  ReleaseDC(launcher, dc);
}

TEST(Commands, UnknownIdsAreIgnoredWithResult1) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  seam::soundLog.clear();
  for (WPARAM id : {0, 200, 205, 1000, 0xFFFF}) {
    EXPECT_EQ(1, SendMessageA(launcher, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0)) << id;
  }
  EXPECT_TRUE(IsWindowVisible(launcher));
  EXPECT_TRUE(seam::soundLog.empty());
  EXPECT_FALSE(PumpMessages());
}

TEST(Commands, ExitRunsWhateverTheNotificationCode) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  EXPECT_EQ(1, SendMessageA(launcher, WM_COMMAND, MAKEWPARAM(204, BN_DOUBLECLICKED), 0));
  EXPECT_TRUE(PumpMessages());
  EXPECT_FALSE(IsWindow(launcher));
}

}  // namespace
