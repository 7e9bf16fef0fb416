// The open and close, step for step, on the screens beyond the 640x480 true-colour one:
// 65,536 colours (depth 16, no palette) and a wide 1920x1080 screen. Steps are fixed
// fractions of the screen: 480/120 = 4 and 1080/120 = 9 pixels a step.
#include <gtest/gtest.h>

#include "launcher_fixture.h"
#include "shell/launcher_wndproc.h"
#include "transitions/transition_table.h"

namespace {

struct Screen {
  int width, height, step;
  int openSteps;  // steps before the launcher jumps to the centre
};

std::vector<int> Tops(const std::vector<POINT>& moves) {
  std::vector<int> tops;
  for (const POINT& p : moves) tops.push_back(p.y);
  return tops;
}

void CheckOpenAndClose(const Screen& screen) {
  if (effectIndex != kVerticalHalves) GTEST_SKIP() << "built with another transition effect";
  PrepareLauncher();
  ASSERT_EQ(screen.width, state.screenWidth);
  ASSERT_EQ(screen.height, state.screenHeight);
  const int left = (screen.width - 360) / 2, top = (screen.height - 360) / 2;

  MoveRecorder opening;
  HWND launcher = LoadArtAndOpen();
  ASSERT_NE(nullptr, launcher);
  std::vector<int> upper, lower;
  for (int k = 1; k <= screen.openSteps; ++k) {
    upper.push_back(k * screen.step);
    lower.push_back(screen.height - 180 - k * screen.step);
  }
  upper.push_back(top);
  EXPECT_EQ(upper, Tops(opening.MovesOf(0)));
  EXPECT_EQ(lower, Tops(opening.MovesOf(1)));
  const RECT placed = WindowRectOf(launcher);
  EXPECT_EQ(left, placed.left);
  EXPECT_EQ(top, placed.top);
  EXPECT_EQ(360, placed.bottom - placed.top);
  EXPECT_EQ(left, opening.MovesOf(0).back().x) << "centred across as well";

  MoveRecorder closing;
  seam::soundLog.clear();
  ExitLauncher();
  ASSERT_EQ(61u, closing.MovesOf(1).size()) << "pre-placed, then 60 steps";
  EXPECT_EQ(top + 180, closing.MovesOf(1).front().y) << "right below the upper band";
  EXPECT_EQ(top + 180 + 60 * screen.step, closing.MovesOf(1).back().y);
  ASSERT_EQ(60u, closing.MovesOf(0).size());
  EXPECT_EQ(top - 60 * screen.step, closing.MovesOf(0).back().y);
  EXPECT_EQ((std::vector<std::string>{"stop", "play 305", "stop"}), seam::soundLog);
  EXPECT_TRUE(PumpMessages()) << "the launcher window is destroyed and the loop ends";
}

TEST(TransitionDepth16, OpensAndClosesStepForStepCentred) {
  CheckOpenAndClose({640, 480, 4, 14});
}

TEST(TransitionWide, OpensAndClosesStepForStepCentred) {
  CheckOpenAndClose({1920, 1080, 9, 39});
}

}  // namespace
