#include "buttons/draw_round_button.h"

#include "buttons/button_table.h"
#include "buttons/frame_choice.h"
#include "media/bitmap_loader.h"
#include "media/sound_bank.h"
#include "shell/launcher_state.h"
#include "shell/screen_scale.h"

namespace {

// The row of the button `item` draws, or null for an id that isn't in the table.
const ButtonRecord* RowOf(const DRAWITEMSTRUCT& item) {
  return ButtonRow(static_cast<int>(item.CtlID));
}

// The button's top-left corner in the launcher window's client area, which is where it
// sits on the picture.
POINT PlaceOnPicture(HWND button) {
  RECT r = {};
  GetWindowRect(button, &r);
  MapWindowPoints(nullptr, state.pieceWindows[0], reinterpret_cast<POINT*>(&r), 2);
  return POINT{r.left, r.top};
}

void CopyFrom(HDC work, HDC source, HBITMAP bitmap, int x, int y, int side, DWORD rop) {
  SelectObject(source, bitmap);
  BitBlt(work, 0, 0, side, side, source, x, y, rop);
}

// (picture AND mask frame) OR face frame: the mask lets the picture through on the top row
// and left column only, and is black elsewhere, where the face's pixels land.
void Compose(const DRAWITEMSTRUCT& item, HDC source, HDC work, POINT place, int side) {
  SelectObject(source, state.background);
  BitBlt(work, 0, 0, side, side, source, place.x, place.y, SRCCOPY);
  const int32_t frame = FrameXAtSide(ChooseFrameX(item.itemAction, item.itemState,
                                                  static_cast<int32_t>(item.CtlID),
                                                  state.hotButtonId),
                                     side);
  const ButtonRecord* row = RowOf(item);
  HBITMAP face = row != nullptr ? row->faceBitmap : nullptr;
  HBITMAP mask = row != nullptr ? MaskOf(*row) : nullptr;
  if (mask != nullptr && face != nullptr) {
    CopyFrom(work, source, mask, frame, 0, side, SRCAND);
    CopyFrom(work, source, face, frame, 0, side, SRCPAINT);
  }
}

// The square is the button window's own: Norvane's side for an id not in the table.
void ComposeAndShow(const DRAWITEMSTRUCT& item, HDC source, HDC work) {
  const POINT place = PlaceOnPicture(item.hwndItem);
  const ButtonRecord* row = RowOf(item);
  const int side = ScaleToDpi(row != nullptr ? row->size : kButtonSize, state.dpi);
  HBITMAP workBitmap = CreateDiscardableBitmap(item.hDC, side, side);
  if (workBitmap == nullptr) return;
  const HGDIOBJ keptWork = SelectObject(work, workBitmap);
  const HGDIOBJ keptSource = GetCurrentObject(source, OBJ_BITMAP);
  Compose(item, source, work, place, side);
  // The palette stays selected in the item's DC; the button class releases that DC.
  BlitWithPalette(item.hDC, 0, 0, side, side, work, 0, 0, state.palette, SRCCOPY);
  SelectObject(work, keptWork);
  SelectObject(source, keptSource);
  DeleteObject(workBitmap);
}

}  // namespace

LRESULT OnLauncherDrawItem(LPARAM lParam) {
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  const int sound = PressSoundFor(item.itemAction, item.itemState);
  if (sound != 0) PlaySoundId(sound);
  DrawRoundButton(item);
  return 1;
}

void DrawRoundButton(const DRAWITEMSTRUCT& item) {
  if (state.background == nullptr) return;  // the launcher window is being torn down
  HDC source = CreateCompatibleDC(item.hDC);
  HDC work = CreateCompatibleDC(item.hDC);
  if (source != nullptr && work != nullptr) ComposeAndShow(item, source, work);
  if (work != nullptr) DeleteDC(work);
  if (source != nullptr) DeleteDC(source);
}
