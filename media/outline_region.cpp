#include "media/outline_region.h"

#include "buttons/current_layout.h"
#include "media/bitmap_loader.h"
#include "media/resource_language.h"
#include "media/scaled_art.h"
#include "shell/launcher_state.h"
#include "shell/screen_scale.h"

namespace {

static_assert(sizeof(OutlineRect) == sizeof(RECT), "the rectangles are written as a region's");

struct KeptOutline {
  HRSRC source;
  int32_t width, height;
  RGNDATA* data;  // the header, then the rectangles
};
KeptOutline kept = {};

HRSRC FindOutline() {
  HRSRC twice = state.dpi > kStandardDpi ? FindDoubleSizeArt(kOutlineId) : nullptr;
  return twice != nullptr ? twice : FindLauncherResource(kOutlineId, kBitmapType);
}

RGNDATA* MakeRegionData(const DibResource& dib, int32_t w, int32_t h) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(dib.header);
  const size_t count = OutlineRects(bytes, dib.layout, w, h, nullptr);
  if (count == 0) return nullptr;  // nothing inside: the window would vanish
  const size_t size = sizeof(RGNDATAHEADER) + count * sizeof(RECT);
  auto* data = static_cast<RGNDATA*>(LocalAlloc(LMEM_FIXED, size));
  if (data == nullptr) return nullptr;
  OutlineRects(bytes, dib.layout, w, h, reinterpret_cast<OutlineRect*>(data->Buffer));
  data->rdh = RGNDATAHEADER{sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(count),
                            static_cast<DWORD>(count * sizeof(RECT)), RECT{0, 0, w, h}};
  return data;
}

// The outline at w x h, kept; false where the layout has none or it can't be read.
bool KeepOutline(int32_t w, int32_t h) {
  if (!CurrentLayout().outline) return false;
  HRSRC source = FindOutline();
  if (kept.data != nullptr && kept.source == source && kept.width == w && kept.height == h)
    return true;
  ReleaseOutline();
  DibResource dib;
  if (!ReadBitmapResource(source, &dib) || !IsOutlineLayout(dib.layout)) return false;
  kept = KeptOutline{source, w, h, MakeRegionData(dib, w, h)};
  return kept.data != nullptr;
}

}  // namespace

HRGN CreateShapeRegion(int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!KeepOutline(w, h)) return CreateEllipticRgn(x, y, x + w, y + h);
  HRGN region = ExtCreateRegion(nullptr, sizeof(RGNDATAHEADER) + kept.data->rdh.nRgnSize, kept.data);
  if (region != nullptr) OffsetRgn(region, x, y);
  return region;
}

const OutlineRect* OutlineAt(int32_t w, int32_t h, size_t* count) {
  const bool outline = KeepOutline(w, h);
  *count = outline ? kept.data->rdh.nCount : 0;
  return outline ? reinterpret_cast<const OutlineRect*>(kept.data->Buffer) : nullptr;
}

void ReleaseOutline() {
  if (kept.data != nullptr) LocalFree(kept.data);
  kept = KeptOutline{};
}
