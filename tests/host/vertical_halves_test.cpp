#include <gtest/gtest.h>

#include "recording_stage.h"
#include "shell/screen_scale.h"
#include "transitions/vertical_halves.h"

namespace {

constexpr Scene kVga = {640, 480, 360, 360};

RecordingStage StageAtStart(const Scene& scene) { return StageAtStart(verticalHalvesGeometry, scene); }

// The launcher window where the open leaves it, at (x, y), ready to close.
RecordingStage StageOpenAt(int32_t x, int32_t y) {
  RecordingStage stage(2, 360, 360);
  stage.Place(0, x, y);
  stage.Place(1, 140, 300);  // wherever the open hid it
  return stage;
}

TEST(VerticalHalves, StartsWithEachBandFlushWithItsScreenEdge) {
  RecordingStage stage = StageAtStart(kVga);
  EXPECT_EQ(140, stage.RectOf(0).left);
  EXPECT_EQ(0, stage.RectOf(0).top);
  EXPECT_EQ(140, stage.RectOf(1).left);
  EXPECT_EQ(300, stage.RectOf(1).top);
}

TEST(VerticalHalves, OpensOnVgaAndCentresTheLauncher) {
  struct Case {
    bool slow;
    int steps;
    int32_t upperTop, lowerTop;  // where the last step left the halves
  };
  for (const Case c : {Case{false, 14, 56, 244}, Case{true, 4, 48, 252}}) {
    RecordingStage stage = StageAtStart(kVga);
    stage.slow = c.slow;
    EXPECT_EQ(c.steps, RunAnimation(verticalHalvesGeometry, 1, kVga, stage)) << "slow " << c.slow;
    EXPECT_EQ(c.upperTop, stage.LastMove(0).y) << "slow " << c.slow;
    EXPECT_EQ(c.lowerTop, stage.RectOf(1).top) << "slow " << c.slow;
    const PieceRect launcher = stage.RectOf(0);
    EXPECT_EQ(140, launcher.left);
    EXPECT_EQ(60, launcher.top);
    EXPECT_EQ(500, launcher.right);
    EXPECT_EQ(420, launcher.bottom);
    EXPECT_TRUE(stage.Visible(0));
    EXPECT_FALSE(stage.Visible(1)) << "the lower half is hidden, kept for the close";
    EXPECT_EQ((std::vector<int>{303, 304}), stage.Sounds());
  }
}

// At 120, 144 and 192 dpi the screen has as many pixels more as the picture: the open
// takes the steps it takes on the same screen at 96 dpi, within one.
TEST(VerticalHalves, OpensInTheSameStepsAtEveryScale) {
  const Scene at96 = {1280, 720, 360, 360};
  RecordingStage plain = StageAtStart(at96);
  const int steps = RunAnimation(verticalHalvesGeometry, 1, at96, plain);
  for (const int32_t dpi : {120, 144, 192}) {
    const int32_t side = ScaleToDpi(360, dpi);
    const Scene scene = {ScaleToDpi(1280, dpi), ScaleToDpi(720, dpi), side, side, dpi};
    RecordingStage stage = StageAtStart(scene);
    EXPECT_NEAR(steps, RunAnimation(verticalHalvesGeometry, 1, scene, stage), 1) << dpi;
  }
}

TEST(VerticalHalves, OpenShowsEachPieceOnceAfterItsFirstMoveAndRegionsBothHalves) {
  RecordingStage stage = StageAtStart(kVga);
  RunAnimation(verticalHalvesGeometry, 1, kVga, stage);
  const std::vector<std::string> firstCalls(stage.Calls().begin(), stage.Calls().begin() + 13);
  EXPECT_EQ((std::vector<std::string>{"sound 303", "region 0", "region 1", "move 0", "show 0",
                                      "repaint 0", "move 1", "show 1", "repaint 1", "slide 0",
                                      "repaint 0", "slide 1", "repaint 1"}),
            firstCalls);
  EXPECT_EQ(2, stage.Count("move 0") + stage.Count("move 1")) << "only the first step activates";
  EXPECT_EQ(2, stage.Count("show 0") + stage.Count("show 1"));
  const std::vector<std::string> lastCalls(stage.Calls().end() - 5, stage.Calls().end());
  EXPECT_EQ((std::vector<std::string>{"hide 1", "ellipse 0", "place 0", "repaint 0", "sound 304"}),
            lastCalls);
  EXPECT_EQ(360, stage.RegionOf(1).clipWidth);
  EXPECT_EQ(180, stage.RegionOf(1).clipHeight);
  EXPECT_EQ(-180, stage.RegionOf(1).offsetY);
  EXPECT_EQ(0, stage.RegionOf(0).offsetY);
}

TEST(VerticalHalves, ClosesFromTheCentreUntilTheLowerHalfLeavesTheScreen) {
  for (bool slow : {false, true}) {
    RecordingStage stage = StageOpenAt(140, 60);
    stage.slow = slow;
    EXPECT_EQ(slow ? 20 : 60, RunAnimation(verticalHalvesGeometry, 0, kVga, stage));
    EXPECT_EQ(480, stage.RectOf(1).top);
    EXPECT_EQ(-180, stage.RectOf(0).top);
    EXPECT_TRUE(stage.Destroyed(1));
    EXPECT_FALSE(stage.Destroyed(0)) << "the caller closes the launcher window";
    EXPECT_EQ((std::vector<int>{305}), stage.Sounds());
  }
}

TEST(VerticalHalves, ClosePlacesTheLowerHalfBelowTheUpperBandFirst) {
  RecordingStage stage = StageOpenAt(100, 70);
  RunAnimation(verticalHalvesGeometry, 0, kVga, stage);
  const std::vector<std::string> firstCalls(stage.Calls().begin(), stage.Calls().begin() + 5);
  EXPECT_EQ((std::vector<std::string>{"sound 305", "region 0", "slide 1", "show 1", "repaint 1"}),
            firstCalls);
  EXPECT_EQ(1, stage.Count("region 0")) << "only the launcher window is given its half again";
  EXPECT_EQ(0, stage.Count("region 1"));
}

TEST(VerticalHalves, AnyDirectionOtherThanOneCloses) {
  for (int32_t direction : {0, 2, -1}) {
    RecordingStage stage = StageOpenAt(140, 60);
    EXPECT_EQ(60, RunAnimation(verticalHalvesGeometry, direction, kVga, stage));
    EXPECT_TRUE(stage.Destroyed(1));
  }
}

TEST(VerticalHalves, CloseOffTheScreenTakesNoStep) {
  struct Case {
    int32_t top;
    const char* why;
  };
  for (const Case c : {Case{-360, "dragged up: bottom at 0"}, Case{-400, "dragged far up"},
                       Case{300, "lower half placed at the bottom edge"}}) {
    RecordingStage stage = StageOpenAt(140, c.top);
    EXPECT_EQ(0, RunAnimation(verticalHalvesGeometry, 0, kVga, stage)) << c.why;
    EXPECT_EQ(1, stage.Count("show 1")) << c.why;
    EXPECT_TRUE(stage.Destroyed(1)) << c.why;
  }
}

TEST(VerticalHalves, TimeLimitEndsTheOpenAfterTheStepThatPassesIt) {
  RecordingStage stage = StageAtStart(kVga);
  stage.tickAdvance = 1000;  // the start reads 1000; after step n the clock reads 1000 + 1000 n
  EXPECT_EQ(3, RunAnimation(verticalHalvesGeometry, 1, kVga, stage));
  EXPECT_EQ(60, stage.RectOf(0).top) << "still centred";
  EXPECT_TRUE(stage.Visible(0));
  EXPECT_EQ((std::vector<int>{303, 304}), stage.Sounds());
}

TEST(VerticalHalves, TimeLimitSurvivesTheTickWrapping) {
  RecordingStage stage = StageOpenAt(140, 60);
  stage.tick = 0xFFFFFF00u;  // 256 ms before the counter wraps
  stage.tickAdvance = 100;
  EXPECT_EQ(24, RunAnimation(verticalHalvesGeometry, 0, kVga, stage)) << "2400 ms in 100 ms steps";
  EXPECT_TRUE(stage.Destroyed(1));
}

TEST(VerticalHalves, OpenOnAScreenTooSmallStillShowsTheLauncher) {
  const Scene tiny = {400, 360, 360, 360};
  RecordingStage stage = StageAtStart(tiny);
  EXPECT_EQ(0, RunAnimation(verticalHalvesGeometry, 1, tiny, stage));
  EXPECT_TRUE(stage.Visible(0));
  EXPECT_FALSE(stage.Visible(1));
  EXPECT_EQ(20, stage.RectOf(0).left);
  EXPECT_EQ(0, stage.RectOf(0).top);
  EXPECT_EQ((std::vector<int>{303, 304}), stage.Sounds());
}

TEST(VerticalHalves, PaintsTheLowerHalfFromTheMiddleRow) {
  EXPECT_EQ(0, verticalHalvesGeometry.paintSource(0, 360, 360).y);
  EXPECT_EQ(180, verticalHalvesGeometry.paintSource(1, 360, 360).y);
  EXPECT_EQ(0, verticalHalvesGeometry.paintSource(1, 360, 360).x);
}

}  // namespace
