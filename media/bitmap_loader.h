#pragma once
// DIB resources become device bitmaps for the screen, with a logical palette built from
// their colour table on a 256-colour palette display.
#include <windows.h>

#include <cstdint>

#include "media/dib.h"

// A palette display is one whose displayColours is exactly this.
constexpr int kPaletteDisplayColours = 256;
constexpr int kBitmapType = 2;  // RT_BITMAP

// The bytes of a bitmap resource, checked: its header (with the colour table behind it),
// its pixel rows and their layout. False when it is missing (null), unreadable or
// malformed. The bytes are the module's and stay valid.
struct DibResource {
  const BITMAPINFOHEADER* header;
  const uint8_t* pixels;
  DibLayout layout;
};
bool ReadBitmapResource(HRSRC found, DibResource* dib);

// A device bitmap of `dib` for the screen; the palette slot works as LoadBitmapResource's.
HBITMAP ConvertBitmapResource(const DibResource& dib, HPALETTE* paletteSlot);

// Loads bitmap resource `id`. When `paletteSlot` is given, the palette it held is deleted
// first, and on a 256-colour display it receives the picture's new palette. The width and
// height are written only when the resource's bytes could be read. Null when the
// resource is missing, unreadable or malformed, or the bitmap can't be made.
HBITMAP LoadBitmapResource(int id, HPALETTE* paletteSlot, int* outWidth, int* outHeight);

// A logical palette from the colour table behind `header`, or null.
HPALETTE CreateDibPalette(const BITMAPINFOHEADER* header);

// Selects and realizes `palette` (if any) in `dc` as a foreground palette, leaving it
// selected there, then copies the rectangle.
void BlitWithPalette(HDC dc, int x, int y, int w, int h, HDC srcDc, int srcX, int srcY,
                     HPALETTE palette, DWORD rop);
