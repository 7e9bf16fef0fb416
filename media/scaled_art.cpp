#include "media/scaled_art.h"

#include "media/bitmap_loader.h"
#include "media/gdi_handles.h"
#include "media/reduce_art.h"
#include "media/resource_language.h"
#include "shell/launcher_state.h"
#include "shell/screen_scale.h"

// A language with a picture of its own never shows the default language's at another
// scale, and one without its own double-size art has its own enlarged instead.
HRSRC FindDoubleSizeArt(int id) {
  if (state.defaultLanguage == 0) return FindLauncherResource(id + kDoubleSizeArtOffset, kBitmapType);
  const WORD language = FindResourceOfLanguage(id, kBitmapType, state.language) != nullptr
                            ? state.language
                            : state.defaultLanguage;
  return FindResourceOfLanguage(id + kDoubleSizeArtOffset, kBitmapType, language);
}

namespace {

struct FrameSizes {
  int frames;
  int fromSide;
  int toSide;
  DWORD edgeRop;  // what fills each frame's top and left edge after scaling, or 0
  int edge;       // how many rows and columns that edge takes
  int fromHeight;  // the frames' height: their side, but a picture's own height
  int toHeight;
};

// A button frame lets the picture through on its top row and left column. Scaled, the
// face's black edge bleeds into the rows next to it, and the picture's own pixels must
// show there instead: the mask is made white (the picture shows) and the face black (it
// adds nothing) on an edge wide enough to hold every blended row.
void FillEdges(HDC to, const FrameSizes& sizes) {
  if (sizes.edgeRop == 0) return;
  for (int f = 0; f < sizes.frames; ++f) {
    PatBlt(to, f * sizes.toSide, 0, sizes.toSide, sizes.edge, sizes.edgeRop);
    PatBlt(to, f * sizes.toSide, 0, sizes.edge, sizes.toSide, sizes.edgeRop);
  }
}

// A true-colour screen's art made smaller: each pixel the mean of those it covers, reduced
// by our own code straight into the bitmap's rows (the platform's averaging stretch costs
// several times as much). Null if it can't be made.
HBITMAP ReducedFrames(const DibResource& dib, const FrameSizes& sizes) {
  auto* work = static_cast<uint64_t*>(LocalAlloc(
      LMEM_FIXED, ReduceWorkWords(dib.layout, sizes.frames, sizes.toSide) * sizeof(uint64_t)));
  if (work == nullptr) return nullptr;
  BITMAPINFOHEADER rows = {};
  rows.biSize = sizeof rows;
  rows.biWidth = sizes.frames * sizes.toSide;
  rows.biHeight = -sizes.toSide;  // top row first
  rows.biPlanes = 1;
  rows.biBitCount = 32;
  void* pixels = nullptr;
  HBITMAP reduced = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&rows),
                                     DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (reduced != nullptr) {
    const uint32_t edgeColour = sizes.edgeRop == WHITENESS   ? 0xFFFFFFu
                                : sizes.edgeRop == BLACKNESS ? 0u
                                                             : kNoEdge;
    ReduceFrames(reinterpret_cast<const uint8_t*>(dib.header), dib.layout, sizes.frames,
                 sizes.toSide, sizes.edge, edgeColour, work, static_cast<uint32_t*>(pixels));
  }
  LocalFree(work);
  return reduced;
}

// Enlarged, or reduced on a palette display, whose palette lacks the averages: the
// platform's stretch, straight from the resource's rows, the nearest pixel on a palette
// display. Nothing makes a device bitmap of the double-size art only to change its size.
void StretchFrames(HDC to, const DibResource& dib, const FrameSizes& sizes) {
  SetStretchBltMode(to, state.displayColours == kPaletteDisplayColours ? COLORONCOLOR : HALFTONE);
  SetBrushOrgEx(to, 0, 0, nullptr);
  // Rows counted from the bottom, in bottom-up rows: the frames are the top ones, above
  // any row a face has below them.
  const int fromBottom = dib.layout.height - sizes.fromHeight;
  for (int f = 0; f < sizes.frames; ++f)
    StretchDIBits(to, f * sizes.toSide, 0, sizes.toSide, sizes.toHeight, f * sizes.fromSide,
                  fromBottom, sizes.fromSide, sizes.fromHeight, dib.pixels,
                  reinterpret_cast<const BITMAPINFO*>(dib.header), DIB_RGB_COLORS, SRCCOPY);
}

// A new device bitmap holding the resource's frames at their new side, the colours
// matched to `palette` where there is one; null if it can't be made.
HBITMAP ScaleFrames(const DibResource& dib, const FrameSizes& sizes, HPALETTE palette) {
  HDC screen = GetDC(nullptr);
  HBITMAP scaled = CreateCompatibleBitmap(screen, sizes.frames * sizes.toSide, sizes.toHeight);
  HDC to = CreateCompatibleDC(screen);
  if (scaled != nullptr && to != nullptr) {
    HPALETTE keptPalette = nullptr;
    if (palette != nullptr) {
      keptPalette = SelectPalette(to, palette, FALSE);
      RealizePalette(to);
    }
    const HGDIOBJ kept = SelectObject(to, scaled);
    StretchFrames(to, dib, sizes);
    FillEdges(to, sizes);
    SelectObject(to, kept);
    if (palette != nullptr) SelectPalette(to, keptPalette, FALSE);
  } else {
    DeleteAndClear(scaled);
  }
  if (to != nullptr) DeleteDC(to);
  ReleaseDC(nullptr, screen);
  return scaled;
}

}  // namespace

namespace {

// A face or mask's frames are square, over any row below them; a picture's one frame is
// its whole height where `ownHeight`.
HBITMAP LoadFramesAtDpi(int id, int dpi, int frames, bool ownHeight, DWORD edgeRop,
                        HPALETTE* paletteSlot, int* outWidth, int* outHeight) {
  if (dpi == kStandardDpi) return LoadBitmapResource(id, paletteSlot, outWidth, outHeight);
  int timesStandard = 2;
  DibResource dib;
  if (!ReadBitmapResource(FindDoubleSizeArt(id), &dib)) {
    timesStandard = 1;
    if (!ReadBitmapResource(FindLauncherResource(id, kBitmapType), &dib)) return nullptr;
  }
  FrameSizes sizes = {frames, dib.layout.width / frames, 0, edgeRop,
                      (dpi + kStandardDpi - 1) / kStandardDpi, 0, 0};
  sizes.toSide = ScaleToDpi(sizes.fromSide / timesStandard, dpi);
  sizes.fromHeight = ownHeight ? dib.layout.height : sizes.fromSide;
  sizes.toHeight = ScaleToDpi(sizes.fromHeight / timesStandard, dpi);
  // A top-down or empty picture is passed on as it is, for the caller to refuse; art
  // already at its side is only converted.
  if (dib.layout.height <= 0 || sizes.toSide == sizes.fromSide) {
    *outWidth = dib.layout.width;
    *outHeight = dib.layout.height;
    return ConvertBitmapResource(dib, paletteSlot);
  }
  HPALETTE palette = nullptr;
  if (paletteSlot != nullptr) {
    DeleteAndClear(*paletteSlot);
    if (state.displayColours == kPaletteDisplayColours)
      palette = *paletteSlot = CreateDibPalette(dib.header);
  }
  HBITMAP scaled = state.displayColours != kPaletteDisplayColours &&
                           sizes.fromHeight == sizes.fromSide &&
                           CanReduceFrames(dib.layout, frames, sizes.toSide)
                       ? ReducedFrames(dib, sizes)
                       : ScaleFrames(dib, sizes, palette);
  if (scaled == nullptr) return nullptr;
  *outWidth = frames * sizes.toSide;
  *outHeight = sizes.toHeight;
  return scaled;
}

}  // namespace

HBITMAP LoadArtAtDpi(int id, int dpi, int frames, DWORD edgeRop, HPALETTE* paletteSlot,
                     int* outWidth, int* outHeight) {
  return LoadFramesAtDpi(id, dpi, frames, false, edgeRop, paletteSlot, outWidth, outHeight);
}

HBITMAP LoadPictureAtDpi(int id, int dpi, HPALETTE* paletteSlot, int* outWidth, int* outHeight) {
  return LoadFramesAtDpi(id, dpi, 1, true, 0, paletteSlot, outWidth, outHeight);
}
