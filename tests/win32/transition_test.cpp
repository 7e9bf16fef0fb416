// The vertical-halves transition with real piece windows on the 640x480 display; the
// clock and the slow-machine flag come from the seam, so each run takes its full count of
// steps however fast the machine is.
#include <gtest/gtest.h>

#include "launcher_fixture.h"
#include "shell/launcher_names.h"
#include "shell/launcher_wndproc.h"
#include "transitions/transition_table.h"

namespace {

void ExpectAt(HWND window, int left, int top, const char* what) {
  const RECT r = WindowRectOf(window);
  EXPECT_EQ(left, r.left) << what;
  EXPECT_EQ(top, r.top) << what;
  EXPECT_EQ(360, r.right - r.left) << what;
  EXPECT_EQ(360, r.bottom - r.top) << what;
}

// These tests open and close through the start-up and the exit sequence, which run the
// effect the launcher is built with.
class Transition : public testing::Test {
 protected:
  void SetUp() override {
    if (effectIndex != kVerticalHalves) GTEST_SKIP() << "built with another transition effect";
  }
};

std::vector<int> Tops(const std::vector<POINT>& moves) {
  std::vector<int> tops;
  for (const POINT& p : moves) tops.push_back(p.y);
  return tops;
}

TEST_F(Transition, OpenBringsTheHalvesTogetherAndCentresTheLauncher) {
  PrepareLauncher();
  ASSERT_EQ(640, state.screenWidth);
  ASSERT_EQ(480, state.screenHeight);
  MoveRecorder moves;
  HWND launcher = LoadArtAndOpen();
  ASSERT_NE(nullptr, launcher);
  EXPECT_EQ(state.pieceWindows[0], launcher);

  std::vector<int> upper = {4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60};
  std::vector<int> lower = {296, 292, 288, 284, 280, 276, 272, 268, 264, 260, 256, 252, 248, 244};
  EXPECT_EQ(upper, Tops(moves.MovesOf(0))) << "14 steps of 4, then the centre";
  EXPECT_EQ(lower, Tops(moves.MovesOf(1)));
  ExpectAt(launcher, 140, 60, "launcher");
  EXPECT_TRUE(IsWindowVisible(launcher));
  EXPECT_FALSE(IsWindowVisible(state.pieceWindows[1])) << "hidden, kept for the close";
  EXPECT_EQ(GetWindow(state.pieceWindows[1], GW_OWNER), launcher);

  wchar_t title[64];
  GetWindowTextW(launcher, title, 64);
  EXPECT_STREQ(kWindowTitle, title);
  EXPECT_EQ(0, GetWindowLongPtrA(launcher, GWLP_USERDATA));
  EXPECT_EQ(1, GetWindowLongPtrA(state.pieceWindows[1], GWLP_USERDATA));

  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, GetWindowRgn(launcher, region));
  HRGN whole = CreateEllipticRgn(0, 0, 360, 360);
  // The window manager may band the rectangles differently: compare the areas.
  HRGN difference = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(NULLREGION, CombineRgn(difference, region, whole, RGN_XOR))
      << "the whole ellipse inscribed in the picture";
  DeleteObject(difference);
  DeleteObject(whole);
  EXPECT_TRUE(PtInRegion(region, 180, 180));
  EXPECT_FALSE(PtInRegion(region, 5, 5)) << "the corners are cut away";
  DeleteObject(region);
}

TEST_F(Transition, OpenOnASlowMachineTakesFourLongerSteps) {
  PrepareLauncher();
  seam::slowMachine = 1;
  MoveRecorder moves;
  ASSERT_NE(nullptr, LoadArtAndOpen());
  EXPECT_EQ((std::vector<int>{12, 24, 36, 48, 60}), Tops(moves.MovesOf(0)));
  EXPECT_EQ((std::vector<int>{288, 276, 264, 252}), Tops(moves.MovesOf(1)));
  ExpectAt(state.pieceWindows[0], 140, 60, "launcher");
}

TEST_F(Transition, TimeLimitEndsTheOpenWithTheLauncherCentred) {
  PrepareLauncher();
  seam::tickAdvance = 1000;
  MoveRecorder moves;
  ASSERT_NE(nullptr, LoadArtAndOpen());
  EXPECT_EQ((std::vector<int>{4, 8, 12, 60}), Tops(moves.MovesOf(0)));
  ExpectAt(state.pieceWindows[0], 140, 60, "launcher");
  EXPECT_TRUE(IsWindowVisible(state.pieceWindows[0]));
  EXPECT_EQ("play 304", seam::soundLog.back());
}

TEST_F(Transition, CloseSendsTheHalvesOffTheScreenAndEndsTheLoop) {
  PrepareLauncher();
  ASSERT_NE(nullptr, LoadArtAndOpen());
  HWND lower = state.pieceWindows[1];
  MoveRecorder moves;
  seam::soundLog.clear();
  ExitLauncher();
  ASSERT_EQ(61u, moves.MovesOf(1).size()) << "pre-placed, then 60 steps";
  EXPECT_EQ(240, moves.MovesOf(1).front().y) << "right below the upper band";
  EXPECT_EQ(480, moves.MovesOf(1).back().y);
  EXPECT_EQ(60u, moves.MovesOf(0).size());
  EXPECT_EQ(-180, moves.MovesOf(0).back().y);
  EXPECT_FALSE(IsWindow(lower)) << "the lower half is destroyed";
  EXPECT_EQ((std::vector<std::string>{"stop", "play 305", "stop"}), seam::soundLog);
  EXPECT_TRUE(PumpMessages()) << "WM_CLOSE destroys the launcher, which posts the quit";
  EXPECT_FALSE(IsWindow(state.pieceWindows[0]));
}

TEST_F(Transition, CloseOfALauncherDraggedAboveTheScreenTakesNoStep) {
  PrepareLauncher();
  ASSERT_NE(nullptr, LoadArtAndOpen());
  SetWindowPos(state.pieceWindows[0], nullptr, 140, -360, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  HWND lower = state.pieceWindows[1];
  MoveRecorder moves;
  ExitLauncher();
  EXPECT_EQ(0u, moves.MovesOf(0).size());
  ASSERT_EQ(1u, moves.MovesOf(1).size()) << "only pre-placed";
  EXPECT_EQ(-180, moves.MovesOf(1).front().y);
  EXPECT_FALSE(IsWindow(lower));
}

TEST_F(Transition, CloseOnASlowMachineTakesTwentySteps) {
  PrepareLauncher();
  ASSERT_NE(nullptr, LoadArtAndOpen());
  seam::slowMachine = 1;
  MoveRecorder moves;
  ExitLauncher();
  EXPECT_EQ(20u, moves.MovesOf(0).size());
  EXPECT_EQ(-180, moves.MovesOf(0).back().y);
}

TEST_F(Transition, DestroyingAPieceOtherThanTheLauncherReleasesNothing) {
  PrepareLauncher();
  ASSERT_NE(nullptr, LoadArtAndOpen());
  DestroyWindow(state.pieceWindows[1]);
  EXPECT_NE(nullptr, state.background);
  EXPECT_FALSE(PumpMessages()) << "no quit message";
  EXPECT_TRUE(IsWindowVisible(state.pieceWindows[0]));
}

// Paints piece `piece` of the transition into a 32-bit DIB section and returns its pixels.
std::vector<DWORD> PaintPieceIntoDib(int piece) {
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 360, -360, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, dib);
  std::fill_n(static_cast<DWORD*>(bits), 360 * 360, 0x00123456u);  // untouched marker
  SelectedTransition().paint(state.pieceWindows[piece], dc);
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + 360 * 360);
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
  return pixels;
}

TEST_F(Transition, TheLowerHalfPaintsThePictureFromItsMiddleRow) {
  PrepareLauncher();
  ASSERT_NE(nullptr, LoadArtAndOpen());
  const std::vector<DWORD> whole = PaintPieceIntoDib(0);
  const std::vector<DWORD> lower = PaintPieceIntoDib(1);
  int mismatches = 0;
  for (int y = 0; y < 180; ++y) {
    for (int x = 0; x < 360; ++x) mismatches += lower[y * 360 + x] != whole[(y + 180) * 360 + x];
  }
  EXPECT_EQ(0, mismatches) << "band 0..179 of piece 1 shows rows 180..359 of the picture";
  EXPECT_EQ(0x00123456u, lower[200 * 360 + 100]) << "nothing is drawn past the bitmap's end";
  EXPECT_EQ(0x00808080u, whole[0]) << "the picture's grey corner";
}

}  // namespace
