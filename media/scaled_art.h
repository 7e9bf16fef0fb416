#pragma once
// The art at the screen's scale. Beside each picture at 96 dpi the launcher carries the
// same drawing at twice the size (resource id + kDoubleSizeArtOffset); at any other scale
// that art is reduced (or, above 200 %, enlarged) once, as it is loaded, to a bitmap of
// the screen's format (a 32-bit DIB section where it is averaged down on a true-colour
// screen) at the size the launcher lays itself out at, so every paint stays a plain copy.
// The double-size art is taken only in the language the 96-dpi art is found in.
#include <windows.h>

constexpr int kDoubleSizeArtOffset = 200;  // 399 is picture 199 at twice the size

// The double-size art of `id` (a bitmap) in the language its 96-dpi art is found in, or null.
HRSRC FindDoubleSizeArt(int id);

// Loads art `id` at `dpi`: square frames side by side (the picture is one frame, the
// mask and each face three), each frame ScaleToDpi(its 96-dpi side). At 96 dpi it is
// exactly LoadBitmapResource(id, ...); elsewhere the double-size art, or where that is
// missing the 96-dpi art, scaled, with each frame's top and left edge then filled with
// `edgeRop` (WHITENESS for the mask, BLACKNESS for a face, 0 for the picture). The
// palette slot and the size it reports work as LoadBitmapResource's.
HBITMAP LoadArtAtDpi(int id, int dpi, int frames, DWORD edgeRop, HPALETTE* paletteSlot,
                     int* outWidth, int* outHeight);

// The picture at `dpi`, as LoadArtAtDpi loads one frame, but of the art's own height: a
// brand's layout needn't be square.
HBITMAP LoadPictureAtDpi(int id, int dpi, HPALETTE* paletteSlot, int* outWidth, int* outHeight);
