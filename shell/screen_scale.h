#pragma once
// The screen's scale as a pure factor on the launcher's 96-dpi geometry: every size and
// place is laid out at dpi/96, rounded to the nearest pixel as MulDiv rounds, and comes
// out unchanged at 96 dpi. Plain code, no platform.
#include <cstdint>

constexpr int32_t kStandardDpi = 96;

// `length` (a size or a place at 96 dpi) at `dpi`.
int32_t ScaleToDpi(int32_t length, int32_t dpi);

// The inverse: `length` at `dpi` as it is at 96 dpi, rounded to the nearest pixel.
int32_t UnscaleFromDpi(int32_t length, int32_t dpi);

// A dpi the launcher can lay itself out at: what the platform reports, or 96 where it
// reports nothing sensible (0, or more than the 8x any system offers).
int32_t UsableDpi(uint32_t reported);
