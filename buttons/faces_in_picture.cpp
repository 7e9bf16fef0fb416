#include "buttons/faces_in_picture.h"

#include <windows.h>

#include "buttons/button_table.h"
#include "buttons/current_layout.h"
#include "shell/launcher_state.h"
#include "shell/screen_scale.h"

namespace {

// (picture AND mask) OR face, as a button draws its normal frame at x = 0.
void PaintFace(HDC picture, HDC art, const ButtonRecord& row) {
  HBITMAP mask = MaskOf(row);
  if (!row.enabled || row.faceBitmap == nullptr || mask == nullptr) return;
  const int x = ScaleToDpi(row.x, state.dpi), y = ScaleToDpi(row.y, state.dpi);
  const int side = ScaleToDpi(row.size, state.dpi);
  const HGDIOBJ kept = SelectObject(art, mask);
  BitBlt(picture, x, y, side, side, art, 0, 0, SRCAND);
  SelectObject(art, row.faceBitmap);
  BitBlt(picture, x, y, side, side, art, 0, 0, SRCPAINT);
  SelectObject(art, kept);
}

}  // namespace

void PaintFacesIntoPicture() {
  if (!CurrentLayout().drawnLabels || state.background == nullptr) return;
  HDC picture = CreateCompatibleDC(nullptr);
  HDC art = CreateCompatibleDC(nullptr);
  if (picture != nullptr && art != nullptr) {
    const HGDIOBJ kept = SelectObject(picture, state.background);
    for (const ButtonRecord& row : buttonTable) PaintFace(picture, art, row);
    SelectObject(picture, kept);
  }
  if (art != nullptr) DeleteDC(art);
  if (picture != nullptr) DeleteDC(picture);
}
