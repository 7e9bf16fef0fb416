#pragma once
#include <windows.h>

// Copies `bitmap` into `dc`, centred in `rect`, from (srcX, srcY) in the bitmap, with
// `palette` (if any) realized in the memory context. Draws nothing when no memory
// context can be had.
void BlitCentered(HDC dc, HBITMAP bitmap, const RECT& rect, int srcX, int srcY,
                  HPALETTE palette, DWORD rop);
