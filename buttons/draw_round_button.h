#pragma once
// Owner drawing of the round buttons: each square is composed off-screen from the picture
// under the button, one frame of the mask and the same frame of the button's face, and
// reaches the button in one copy.
#include <windows.h>

// WM_DRAWITEM at the launcher window: the press or release sound, then the drawing.
// Returns 1.
LRESULT OnLauncherDrawItem(LPARAM lParam);

// Draws the button of `item` at (0, 0) in `item.hDC`. Borrows the picture, the mask, the
// face and the palette; frees every DC and bitmap it makes before returning, and leaves
// only the palette selected in `item.hDC`. A missing mask or face leaves the picture's own
// pixels in the square; when a memory DC or the work bitmap can't be had, nothing is drawn.
void DrawRoundButton(const DRAWITEMSTRUCT& item);
