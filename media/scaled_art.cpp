#include "media/scaled_art.h"

#include "media/bitmap_loader.h"
#include "media/gdi_handles.h"
#include "shell/launcher_state.h"
#include "shell/screen_scale.h"

namespace {

constexpr int kPaletteDisplayColours = 256;

struct FrameSizes {
  int frames;
  int fromSide;
  int toSide;
  DWORD edgeRop;  // what fills each frame's top and left edge after scaling, or 0
  int edge;       // how many rows and columns that edge takes
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

// Reduced, each pixel averages the ones it covers (HALFTONE); on a palette display, whose
// palette lacks the averages, the nearest pixel is taken instead.
void StretchFrames(HDC to, HDC from, const FrameSizes& sizes) {
  SetStretchBltMode(to, state.displayColours == kPaletteDisplayColours ? COLORONCOLOR : HALFTONE);
  SetBrushOrgEx(to, 0, 0, nullptr);
  for (int f = 0; f < sizes.frames; ++f)
    StretchBlt(to, f * sizes.toSide, 0, sizes.toSide, sizes.toSide, from, f * sizes.fromSide, 0,
               sizes.fromSide, sizes.fromSide, SRCCOPY);
}

// The palette the DC held, to be selected back; null when there is no palette.
HPALETTE SelectAndRealize(HDC dc, HPALETTE palette) {
  if (palette == nullptr) return nullptr;
  const HPALETTE kept = SelectPalette(dc, palette, FALSE);
  RealizePalette(dc);
  return kept;
}

// A new device bitmap holding `source`'s frames at their new side; null if it can't be made.
HBITMAP ScaleFrames(HBITMAP source, const FrameSizes& sizes, HPALETTE palette) {
  HDC screen = GetDC(nullptr);
  HBITMAP scaled = CreateCompatibleBitmap(screen, sizes.frames * sizes.toSide, sizes.toSide);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  if (scaled != nullptr && from != nullptr && to != nullptr) {
    const HPALETTE keptFromPalette = SelectAndRealize(from, palette);
    const HPALETTE keptToPalette = SelectAndRealize(to, palette);
    const HGDIOBJ keptFrom = SelectObject(from, source);
    const HGDIOBJ keptTo = SelectObject(to, scaled);
    StretchFrames(to, from, sizes);
    FillEdges(to, sizes);
    SelectObject(from, keptFrom);
    SelectObject(to, keptTo);
    if (palette != nullptr) {
      SelectPalette(from, keptFromPalette, FALSE);
      SelectPalette(to, keptToPalette, FALSE);
    }
  } else {
    DeleteAndClear(scaled);
  }
  if (to != nullptr) DeleteDC(to);
  if (from != nullptr) DeleteDC(from);
  ReleaseDC(nullptr, screen);
  return scaled;
}

}  // namespace

HBITMAP LoadArtAtDpi(int id, int dpi, int frames, DWORD edgeRop, HPALETTE* paletteSlot,
                     int* outWidth, int* outHeight) {
  if (dpi == kStandardDpi) return LoadBitmapResource(id, paletteSlot, outWidth, outHeight);
  int width = 0;
  int height = 0;
  int timesStandard = 2;
  HBITMAP art = LoadBitmapResource(id + kDoubleSizeArtOffset, paletteSlot, &width, &height);
  if (art == nullptr) {
    timesStandard = 1;
    art = LoadBitmapResource(id, paletteSlot, &width, &height);
  }
  if (art == nullptr) return nullptr;
  FrameSizes sizes = {frames, width / frames, 0, edgeRop, (dpi + kStandardDpi - 1) / kStandardDpi};
  sizes.toSide = ScaleToDpi(sizes.fromSide / timesStandard, dpi);
  // A top-down or empty picture is passed on as it is, for the caller to refuse.
  HBITMAP scaled = height <= 0 || sizes.toSide == sizes.fromSide
                       ? art
                       : ScaleFrames(art, sizes, paletteSlot ? *paletteSlot : nullptr);
  if (scaled != art) DeleteObject(art);
  if (scaled == nullptr) return nullptr;
  *outWidth = height <= 0 ? width : frames * sizes.toSide;
  *outHeight = height <= 0 ? height : sizes.toSide;
  return scaled;
}
