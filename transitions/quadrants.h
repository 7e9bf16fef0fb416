#pragma once
// Four-piece effects that cut the picture and its ellipse into quadrants. Piece 0 is the
// top-left quadrant, 1 the top-right, 2 the bottom-left, 3 the bottom-right.
#include "transitions/effect_geometry.h"

// Each quadrant comes in from its own corner of the screen and goes back there.
extern const EffectGeometry cornerQuadrantsGeometry;
// Each quadrant starts in the diagonally opposite corner, crosses the middle and settles;
// on the close it leaves toward its own corner.
extern const EffectGeometry crossingQuadrantsGeometry;
