#include "shell/screen_scale.h"

int32_t ScaleToDpi(int32_t length, int32_t dpi) {
  if (dpi == kStandardDpi) return length;
  const int64_t scaled = static_cast<int64_t>(length < 0 ? -length : length) * dpi;
  const int32_t rounded = static_cast<int32_t>((scaled + kStandardDpi / 2) / kStandardDpi);
  return length < 0 ? -rounded : rounded;
}

int32_t UnscaleFromDpi(int32_t length, int32_t dpi) {
  if (dpi == kStandardDpi || dpi <= 0) return length;
  const int64_t scaled = static_cast<int64_t>(length < 0 ? -length : length) * kStandardDpi;
  const int32_t rounded = static_cast<int32_t>((scaled + dpi / 2) / dpi);
  return length < 0 ? -rounded : rounded;
}

int32_t UsableDpi(uint32_t reported) {
  constexpr uint32_t kLargestDpi = 8 * kStandardDpi;
  return reported == 0 || reported > kLargestDpi ? kStandardDpi : static_cast<int32_t>(reported);
}
