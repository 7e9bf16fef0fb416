#pragma once
// Where BlitCentered copies to and how much, as numbers.
#include <cstdint>

#include "transitions/effect_geometry.h"

struct BlitPlan {
  int32_t destX, destY;  // device units in the destination
  int32_t width, height;  // what is really copied, never reaching past the bitmap
  int32_t centredWidth, centredHeight;  // the size the centring is computed from
};

// Centres min(rect, bitmap) in `rect`, then cuts the copy to the part of the bitmap that
// exists from (srcX, srcY) on: a piece that paints from the middle row asks for rows past
// the end of the bitmap, which lie outside its region and are simply not copied.
BlitPlan PlanCenteredBlit(PieceRect rect, int32_t bitmapWidth, int32_t bitmapHeight,
                          int32_t srcX, int32_t srcY);
