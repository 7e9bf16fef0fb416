#include "media/outline_rects.h"

#include <cmath>
#include <cstring>

namespace {

// The source columns of target columns 0, 1, ... in turn: column x samples the outline at
// the centre of its pixel, (2x + 1) * from / (2 * to), without a division per step.
class ColumnWalk {
 public:
  ColumnWalk(int32_t from, int32_t to)
      : column_(from / (2 * to)), rest_(from % (2 * to)), step_(2 * from), whole_(2 * to) {}
  int32_t Column() const { return column_; }
  void Next() {
    for (rest_ += step_; rest_ >= whole_; rest_ -= whole_) ++column_;
  }

 private:
  int32_t column_, rest_, step_, whole_;
};

struct Source {
  const uint8_t* dib;
  const DibLayout& layout;
  int32_t toWidth, toHeight;

  int32_t Rows() const { return layout.height < 0 ? -layout.height : layout.height; }

  const uint8_t* Row(int32_t y) const {
    const int32_t rows = Rows();
    const int32_t r = (2 * y + 1) * rows / (2 * toHeight);  // the row of the pixel's centre
    const int32_t stored = layout.height < 0 ? r : rows - 1 - r;
    return dib + layout.pixelOffset + static_cast<size_t>(stored) * layout.rowBytes;
  }
};

bool Inside(const uint8_t* row, int32_t column) { return (row[column >> 3] >> (7 - (column & 7))) & 1; }

// Whether two rows come out alike at the target width; rows of the same bytes always do.
bool RowsAlike(const Source& s, const uint8_t* a, const uint8_t* b) {
  if (a == b || std::memcmp(a, b, s.layout.rowBytes) == 0) return true;
  ColumnWalk walk(s.layout.width, s.toWidth);
  for (int32_t x = 0; x < s.toWidth; ++x, walk.Next()) {
    if (Inside(a, walk.Column()) != Inside(b, walk.Column())) return false;
  }
  return true;
}

// The runs of one sampled row, as rectangles from `top` to `bottom`.
size_t BandRects(const Source& s, const uint8_t* row, int32_t top, int32_t bottom, OutlineRect* out) {
  size_t count = 0;
  int32_t runStart = -1;
  ColumnWalk walk(s.layout.width, s.toWidth);
  for (int32_t x = 0; x <= s.toWidth; ++x, walk.Next()) {
    const bool inside = x < s.toWidth && Inside(row, walk.Column());
    if (inside && runStart < 0) runStart = x;
    if (inside || runStart < 0) continue;
    if (out != nullptr) out[count] = OutlineRect{runStart, top, x, bottom};
    ++count;
    runStart = -1;
  }
  return count;
}

}  // namespace

bool IsOutlineLayout(const DibLayout& layout) {
  return layout.bitCount == 1 && layout.width <= kMaxOutlineSide && layout.height <= kMaxOutlineSide &&
         -layout.height <= kMaxOutlineSide;
}

size_t OutlineRects(const uint8_t* dib, const DibLayout& layout, int32_t toWidth,
                    int32_t toHeight, OutlineRect* out) {
  if (!IsOutlineLayout(layout) || toWidth <= 0 || toHeight <= 0) return 0;
  if (toWidth > kMaxOutlineSide || toHeight > kMaxOutlineSide) return 0;
  const Source s{dib, layout, toWidth, toHeight};
  size_t count = 0;
  for (int32_t top = 0, bottom = 0; top < toHeight; top = bottom) {
    const uint8_t* row = s.Row(top);
    for (bottom = top + 1; bottom < toHeight && RowsAlike(s, row, s.Row(bottom));) ++bottom;
    count += BandRects(s, row, top, bottom, out != nullptr ? out + count : nullptr);
  }
  return count;
}

RowRun OutlineRunAt(const OutlineRect* rects, size_t count, int32_t x, int32_t y) {
  for (size_t i = 0; i < count; ++i) {
    const OutlineRect& r = rects[i];
    if (r.top <= y && y < r.bottom && r.left <= x && x < r.right) return RowRun{r.left, r.right};
  }
  return RowRun{x, x};
}

// Pixel (x, y) lies inside when its centre does; a row is symmetric about the middle.
RowRun EllipseRunAt(int32_t width, int32_t height, int32_t x, int32_t y) {
  if (width <= 0 || height <= 0) return RowRun{x, x};
  const double dy = (2.0 * y + 1 - height) / height;
  if (dy * dy > 1) return RowRun{x, x};
  const double reach = width * std::sqrt(1 - dy * dy);  // the largest |2x + 1 - width|
  const int32_t right = static_cast<int32_t>((width - 1 + reach) / 2) + 1;
  const int32_t left = width - right;
  if (x < left || x >= right) return RowRun{x, x};
  return RowRun{left, right};
}
