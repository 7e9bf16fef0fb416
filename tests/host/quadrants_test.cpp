#include <gtest/gtest.h>

#include "recording_stage.h"
#include "transitions/quadrants.h"

namespace {

constexpr Scene kVga = {640, 480, 360, 360};

RecordingStage StageOpenAt(int32_t x, int32_t y) {
  RecordingStage stage(4, 360, 360);
  stage.Place(0, x, y);
  return stage;
}

struct OpenCase {
  const EffectGeometry* effect;
  const char* name;
  PiecePoint starts[4];
  int steps, slowSteps;
  PiecePoint ends[4];  // where the last step leaves each piece
};

const OpenCase kOpenCases[] = {
    {&cornerQuadrantsGeometry, "corner", {{0, 0}, {460, 0}, {0, 300}, {460, 300}}, 6, 3,
     {{72, 54}, {388, 54}, {72, 246}, {388, 246}}},
    {&crossingQuadrantsGeometry, "crossing", {{460, 300}, {0, 300}, {460, 0}, {0, 0}}, 27, 18,
     {{28, -24}, {432, -24}, {28, 324}, {432, 324}}},
};

TEST(Quadrants, OpenOnVgaFromTheCornersToTheCentredLauncher) {
  for (const OpenCase& c : kOpenCases) {
    RecordingStage stage = StageAtStart(*c.effect, kVga);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(c.starts[i].x, stage.RectOf(i).left) << c.name << " piece " << i;
      EXPECT_EQ(c.starts[i].y, stage.RectOf(i).top) << c.name << " piece " << i;
    }
    EXPECT_EQ(c.steps, RunAnimation(*c.effect, 1, kVga, stage)) << c.name;
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(c.ends[i].x, stage.LastMove(i).x) << c.name << " piece " << i;
      EXPECT_EQ(c.ends[i].y, stage.LastMove(i).y) << c.name << " piece " << i;
    }
    EXPECT_EQ(140, stage.RectOf(0).left);
    EXPECT_EQ(60, stage.RectOf(0).top);
    EXPECT_TRUE(stage.Visible(0));
    for (int i = 1; i < 4; ++i) EXPECT_FALSE(stage.Visible(i)) << c.name << " piece " << i;

    RecordingStage slowStage = StageAtStart(*c.effect, kVga);
    slowStage.slow = true;
    EXPECT_EQ(c.slowSteps, RunAnimation(*c.effect, 1, kVga, slowStage)) << c.name << " slow";
  }
}

TEST(Quadrants, CloseFromTheCentreStopsAtTheFirstEdgeReached) {
  struct Case {
    const EffectGeometry* effect;
    const char* name;
    int steps, slowSteps;
  };
  for (const Case c : {Case{&cornerQuadrantsGeometry, "corner", 27, 13},
                       Case{&crossingQuadrantsGeometry, "crossing", 20, 13}}) {
    RecordingStage stage = StageOpenAt(140, 60);
    EXPECT_EQ(c.steps, RunAnimation(*c.effect, 0, kVga, stage)) << c.name;
    for (int i = 1; i < 4; ++i) EXPECT_TRUE(stage.Destroyed(i)) << c.name << " piece " << i;
    RecordingStage slowStage = StageOpenAt(140, 60);
    slowStage.slow = true;
    EXPECT_EQ(c.slowSteps, RunAnimation(*c.effect, 0, kVga, slowStage)) << c.name << " slow";
  }
  RecordingStage corner = StageOpenAt(140, 60);
  RunAnimation(cornerQuadrantsGeometry, 0, kVga, corner);
  EXPECT_EQ(483, corner.RectOf(2).top);
  EXPECT_EQ(483, corner.RectOf(3).top);
  EXPECT_EQ(177, corner.RectOf(0).bottom);
  EXPECT_EQ(177, corner.RectOf(1).bottom);
}

TEST(Quadrants, ClosePlacesThePiecesOverTheirQuadrantsInOrder) {
  RecordingStage stage = StageOpenAt(100, 50);
  RunAnimation(cornerQuadrantsGeometry, 0, kVga, stage);
  const std::vector<std::string> first(stage.Calls().begin(), stage.Calls().begin() + 14);
  EXPECT_EQ((std::vector<std::string>{"sound 305", "region 0", "slide 1", "show 1", "repaint 1",
                                      "slide 2", "show 2", "repaint 2", "slide 3", "show 3",
                                      "repaint 3", "slide 0", "repaint 0", "slide 1"}),
            first);
}

TEST(Quadrants, CrossingMovesTheSameWayBothDirectionsAndCornerReverses) {
  const StepSizes open{16, 12};
  const StepSizes close{-16, -12};
  for (int i = 0; i < 4; ++i) {
    const PiecePoint crossOpen = crossingQuadrantsGeometry.step(i, open, true);
    const PiecePoint crossClose = crossingQuadrantsGeometry.step(i, close, false);
    EXPECT_EQ(crossOpen.x, crossClose.x) << i;
    EXPECT_EQ(crossOpen.y, crossClose.y) << i;
    const PiecePoint cornerOpen = cornerQuadrantsGeometry.step(i, open, true);
    const PiecePoint cornerClose = cornerQuadrantsGeometry.step(i, close, false);
    EXPECT_EQ(-cornerOpen.x, cornerClose.x) << i;
    EXPECT_EQ(-cornerOpen.y, cornerClose.y) << i;
  }
}

TEST(Quadrants, CrossingOpenAlwaysTakesAStep) {
  const Scene screens[] = {{640, 480, 360, 360}, {360, 360, 360, 360}, {100, 80, 360, 360},
                           {1920, 1080, 360, 360}, {4000, 200, 360, 360}};
  for (const Scene& s : screens) {
    for (bool slow : {false, true}) {
      RecordingStage stage = StageAtStart(crossingQuadrantsGeometry, s);
      stage.slow = slow;
      EXPECT_LE(1, RunAnimation(crossingQuadrantsGeometry, 1, s, stage))
          << s.screenWidth << "x" << s.screenHeight << " slow " << slow;
    }
  }
}

TEST(Quadrants, RegionsPaintSourcesAndCloseOffsetsCutTheirQuadrant) {
  // Window 400 x 300 and picture 360 x 200, all four sizes different, so that a width
  // used for a height (or a window size for a picture size) shows.
  struct Case {
    int piece;
    PieceRegion region;
    PiecePoint source, closeOffset;
  };
  const Case cases[] = {
      {0, {200, 150, 0, 0}, {0, 0}, {0, 0}},
      {1, {200, 150, -200, 0}, {180, 0}, {200, 0}},
      {2, {200, 150, 0, -150}, {0, 100}, {0, 150}},
      {3, {200, 150, -200, -150}, {180, 100}, {200, 150}},
  };
  for (const EffectGeometry* effect : {&cornerQuadrantsGeometry, &crossingQuadrantsGeometry}) {
    for (const Case& c : cases) {
      const PieceRegion r = effect->region(c.piece, 400, 300);
      EXPECT_EQ(c.region.clipWidth, r.clipWidth) << c.piece;
      EXPECT_EQ(c.region.clipHeight, r.clipHeight) << c.piece;
      EXPECT_EQ(c.region.offsetX, r.offsetX) << c.piece;
      EXPECT_EQ(c.region.offsetY, r.offsetY) << c.piece;
      EXPECT_EQ(c.source.x, effect->paintSource(c.piece, 360, 200).x) << c.piece;
      EXPECT_EQ(c.source.y, effect->paintSource(c.piece, 360, 200).y) << c.piece;
      EXPECT_EQ(c.closeOffset.x, effect->closeOffset(c.piece, 400, 300).x) << c.piece;
      EXPECT_EQ(c.closeOffset.y, effect->closeOffset(c.piece, 400, 300).y) << c.piece;
    }
  }
}

TEST(Quadrants, OpenRegionsAllFourPiecesAndShowsEachOnceAfterItsFirstMove) {
  for (const EffectGeometry* effect : {&cornerQuadrantsGeometry, &crossingQuadrantsGeometry}) {
    RecordingStage stage = StageAtStart(*effect, kVga);
    RunAnimation(*effect, 1, kVga, stage);
    const std::vector<std::string> first(stage.Calls().begin(), stage.Calls().begin() + 19);
    EXPECT_EQ((std::vector<std::string>{"sound 303", "region 0", "region 1", "region 2",
                                        "region 3", "move 0", "show 0", "repaint 0", "move 1",
                                        "show 1", "repaint 1", "move 2", "show 2", "repaint 2",
                                        "move 3", "show 3", "repaint 3", "slide 0", "repaint 0"}),
              first);
    const std::vector<std::string> last(stage.Calls().end() - 7, stage.Calls().end());
    EXPECT_EQ((std::vector<std::string>{"hide 1", "hide 2", "hide 3", "ellipse 0", "place 0",
                                        "repaint 0", "sound 304"}),
              last);
    int shows = 0;
    for (int i = 0; i < 4; ++i) shows += stage.Count("show " + std::to_string(i));
    EXPECT_EQ(4, shows);
  }
}

// A screen barely taller than the picture: H + 2 sy is not less than SH, so the corner
// open's condition fails before the first step and no piece is ever shown by a step.
TEST(Quadrants, CornerOpenWithoutAStepOnATinyScreenStillShowsTheLauncher) {
  for (bool slow : {false, true}) {
    const Scene tiny = {400, 370, 360, 360};  // sy 7 (14 slow): 374 and 388 reach 370
    RecordingStage stage = StageAtStart(cornerQuadrantsGeometry, tiny);
    stage.slow = slow;
    EXPECT_EQ(0, RunAnimation(cornerQuadrantsGeometry, 1, tiny, stage)) << "slow " << slow;
    EXPECT_TRUE(stage.Visible(0)) << "slow " << slow;
    for (int i = 1; i < 4; ++i) EXPECT_FALSE(stage.Visible(i)) << "piece " << i;
    EXPECT_EQ(20, stage.RectOf(0).left);
    EXPECT_EQ(5, stage.RectOf(0).top);
    EXPECT_EQ((std::vector<int>{303, 304}), stage.Sounds());
  }
}

TEST(Quadrants, TimeLimitEndsEitherOpenWithTheLauncherCentred) {
  for (const EffectGeometry* effect : {&cornerQuadrantsGeometry, &crossingQuadrantsGeometry}) {
    RecordingStage stage = StageAtStart(*effect, kVga);
    stage.tickAdvance = 1000;  // after step n the clock reads 1000 n past the start
    EXPECT_EQ(3, RunAnimation(*effect, 1, kVga, stage));
    EXPECT_EQ(140, stage.RectOf(0).left);
    EXPECT_EQ(60, stage.RectOf(0).top);
    EXPECT_TRUE(stage.Visible(0));
    for (int i = 1; i < 4; ++i) EXPECT_FALSE(stage.Visible(i)) << "piece " << i;
  }
}

}  // namespace
