#pragma once
// A brand's outline (a 1-bit DIB whose set bits are inside the window) at the size the
// picture is laid out at, as the rectangles a region is made of: each row's runs of set
// pixels, rows that sample alike merged into one band. Plain code over a DIB's bytes, no
// platform.
#include <cstddef>
#include <cstdint>

#include "media/dib.h"

// The same four numbers as a RECT, so that a region's data can be written in place.
struct OutlineRect {
  int32_t left, top, right, bottom;
};

// Whether OutlineRects reads this DIB: 1 bit per pixel, at most kMaxOutlineSide each way
// (the sampling stays within 32 bits), as the targets it is sampled to.
constexpr int32_t kMaxOutlineSide = 6000;
bool IsOutlineLayout(const DibLayout& layout);

// The outline of the DIB (header at `dib`, its layout read, top-down or bottom-up) at
// toWidth x toHeight, each pixel the nearest of the outline's: bands top to bottom, the
// runs of a band left to right, as a region's rectangles are ordered. Writes them to
// `out` unless it is null, and returns how many there are.
size_t OutlineRects(const uint8_t* dib, const DibLayout& layout, int32_t toWidth,
                    int32_t toHeight, OutlineRect* out);

// The run of inside pixels on row `y` that holds column `x`, as [left, right); empty
// (left == right == x) when (x, y) lies outside. `rects` as OutlineRects writes them.
struct RowRun {
  int32_t left, right;
};
RowRun OutlineRunAt(const OutlineRect* rects, size_t count, int32_t x, int32_t y);

// The same for the ellipse inscribed in width x height, pixel by pixel as its centre lies
// inside.
RowRun EllipseRunAt(int32_t width, int32_t height, int32_t x, int32_t y);
