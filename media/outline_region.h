#pragma once
// The picture's shape as a region: its inscribed ellipse, as ever, or, where the layout
// takes the picture's outline, the outline bitmap (198, or 398 above 100 % where the
// brand carries it) at the picture's size. The outline's rectangles are made once per
// size and kept until ReleaseOutline.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "media/outline_rects.h"

// The shape at w x h, its top-left corner at (x, y): exactly CreateEllipticRgn(x, y,
// x + w, y + h) without an outline, or where the outline can't be read. Null if the
// region can't be made.
HRGN CreateShapeRegion(int32_t x, int32_t y, int32_t w, int32_t h);

// The outline's rectangles at w x h, or null (and `count` 0) where the shape is the ellipse.
const OutlineRect* OutlineAt(int32_t w, int32_t h, size_t* count);

// Frees the kept rectangles.
void ReleaseOutline();
