#pragma once
// DIB resources become device bitmaps for the screen, with a logical palette built from
// their colour table on a 256-colour palette display.
#include <windows.h>

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
