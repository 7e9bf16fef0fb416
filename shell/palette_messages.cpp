#include "shell/launcher_state.h"
#include "shell/launcher_wndproc.h"

LRESULT RealizeLauncherPalette(HWND hwnd) {
  if (state.palette == nullptr) return 0;
  HDC dc = GetDC(hwnd);
  HPALETTE previous = SelectPalette(dc, state.palette, FALSE);
  const UINT realized = RealizePalette(dc);
  InvalidateRect(hwnd, nullptr, TRUE);
  SelectPalette(dc, previous, TRUE);
  ReleaseDC(hwnd, dc);
  return realized;
}
