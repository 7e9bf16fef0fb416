#include "transitions/blit_plan.h"

#include <gtest/gtest.h>

namespace {

TEST(CenteredBlit, CentresTheBitmapInALargerRectangle) {
  const BlitPlan plan = PlanCenteredBlit(PieceRect{0, 0, 400, 400}, 360, 360, 0, 0);
  EXPECT_EQ(20, plan.destX);
  EXPECT_EQ(20, plan.destY);
  EXPECT_EQ(360, plan.width);
  EXPECT_EQ(360, plan.height);
}

TEST(CenteredBlit, CopiesTheRectangleSizeIntoASmallerRectangle) {
  const BlitPlan plan = PlanCenteredBlit(PieceRect{5, 7, 105, 57}, 360, 360, 30, 40);
  EXPECT_EQ(5, plan.destX);
  EXPECT_EQ(7, plan.destY);
  EXPECT_EQ(100, plan.width);
  EXPECT_EQ(50, plan.height);
}

TEST(CenteredBlit, ClipsTheSourceOverhangOfAHalfOrQuadrant) {
  const BlitPlan lowerHalf = PlanCenteredBlit(PieceRect{0, 0, 360, 360}, 360, 360, 0, 180);
  EXPECT_EQ(0, lowerHalf.destX);
  EXPECT_EQ(0, lowerHalf.destY);
  EXPECT_EQ(360, lowerHalf.width);
  EXPECT_EQ(180, lowerHalf.height);
  const BlitPlan quadrant = PlanCenteredBlit(PieceRect{0, 0, 360, 360}, 360, 360, 180, 180);
  EXPECT_EQ(180, quadrant.width);
  EXPECT_EQ(180, quadrant.height);
  const BlitPlan outside = PlanCenteredBlit(PieceRect{0, 0, 360, 360}, 360, 360, 400, 0);
  EXPECT_EQ(0, outside.width);
}

}  // namespace
