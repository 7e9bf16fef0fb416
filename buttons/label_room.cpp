#include "buttons/label_room.h"

#include "media/layout_resource.h"

namespace {

RowRun RunAt(const PictureShape& shape, int32_t x, int32_t y) {
  if (shape.rects == nullptr) return EllipseRunAt(shape.width, shape.height, x, y);
  return OutlineRunAt(shape.rects, shape.count, x, y);
}

int32_t Smaller(int32_t a, int32_t b) { return a < b ? a : b; }
int32_t Larger(int32_t a, int32_t b) { return a > b ? a : b; }

}  // namespace

LabelBox LabelRoom(const PictureShape& shape, const LabelBox* buttons, int count, int index,
                   uint16_t side, int32_t lineHeight, int32_t gap) {
  const LabelBox& own = buttons[index];
  const bool after = side == kLabelRight;
  const int32_t top = own.top + (own.bottom - own.top - lineHeight) / 2;
  const int32_t bottom = top + lineHeight;
  // The label's edge nearest its button; the room runs from there away from it.
  const int32_t start = after ? own.right + gap : own.left - gap;
  const LabelBox none = {start, top, start, bottom};
  int32_t left = after ? start : 0, right = after ? shape.width : start;
  for (int32_t y = top; y < bottom; ++y) {
    const RowRun run = RunAt(shape, after ? start : start - 1, y);
    if (run.left == run.right) return none;
    left = Larger(left, run.left);
    right = Smaller(right, run.right);
  }
  for (int i = 0; i < count; ++i) {
    const LabelBox& other = buttons[i];
    if (i == index || other.bottom <= top || other.top >= bottom) continue;
    if (after && other.right > start) right = Smaller(right, other.left - gap);
    if (!after && other.left < start) left = Larger(left, other.right + gap);
  }
  if (right <= left) return none;
  return LabelBox{left, top, right, bottom};
}

int32_t LabelPercent(int32_t width, int32_t room) {
  if (width <= room) return 100;
  if (room <= 0) return kSmallestLabelPercent;
  return Larger(kSmallestLabelPercent, room * 100 / width);
}
