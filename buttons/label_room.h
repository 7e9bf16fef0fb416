#pragma once
// Where a drawn label may go: beside its button, a gap away, vertically centred on it, up
// to the shape's edge along every row of its band and never over another button there;
// and how a label too wide for that room is made to fit. Plain code, no platform: every
// number is in pixels of the picture at the screen's scale.
#include <cstddef>
#include <cstdint>

#include "media/outline_rects.h"

// The picture's shape: the outline's rectangles, or (rects null) its inscribed ellipse.
struct PictureShape {
  const OutlineRect* rects;
  size_t count;
  int32_t width, height;
};

struct LabelBox {
  int32_t left, top, right, bottom;
};

// The room of the label of `buttons[index]` on `side` (kLabelLeft or kLabelRight), a line
// of `lineHeight` pixels, `gap` pixels from its button: empty (left == right) where there
// is none.
LabelBox LabelRoom(const PictureShape& shape, const LabelBox* buttons, int count, int index,
                   uint16_t side, int32_t lineHeight, int32_t gap);

// A label too wide for its room is drawn smaller, down to this share of its size; what
// still doesn't fit is cut with an ellipsis.
constexpr int32_t kSmallestLabelPercent = 80;

// The size to draw a label `width` pixels wide at, in percent of its own, for a room
// `room` pixels wide.
int32_t LabelPercent(int32_t width, int32_t room);
