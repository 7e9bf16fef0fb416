#include "buttons/draw_round_button.h"

#include "buttons/button_table.h"
#include "buttons/button_windows.h"
#include "buttons/frame_choice.h"
#include "media/bitmap_loader.h"
#include "media/sound_bank.h"
#include "shell/launcher_state.h"

namespace {

// The face of button `ctlId`; null for an id that isn't in the table.
HBITMAP FaceOf(UINT ctlId) {
  const UINT row = ctlId - kFirstButtonId;  // ids below the table wrap to large rows
  return row < static_cast<UINT>(kButtonCount) ? buttonTable[row].faceBitmap : nullptr;
}

// The button's top-left corner in the launcher window's client area, which is where it
// sits on the picture.
POINT PlaceOnPicture(HWND button) {
  RECT r = {};
  GetWindowRect(button, &r);
  MapWindowPoints(nullptr, state.pieceWindows[0], reinterpret_cast<POINT*>(&r), 2);
  return POINT{r.left, r.top};
}

void CopyFrom(HDC work, HDC source, HBITMAP bitmap, int x, int y, DWORD rop) {
  SelectObject(source, bitmap);
  BitBlt(work, 0, 0, ButtonSide(), ButtonSide(), source, x, y, rop);
}

// (picture AND mask frame) OR face frame: the mask lets the picture through on the top row
// and left column only, and is black elsewhere, where the face's pixels land.
void Compose(const DRAWITEMSTRUCT& item, HDC source, HDC work, POINT place) {
  SelectObject(source, state.background);
  BitBlt(work, 0, 0, ButtonSide(), ButtonSide(), source, place.x, place.y, SRCCOPY);
  const int32_t frame = FrameXAtSide(ChooseFrameX(item.itemAction, item.itemState,
                                                  static_cast<int32_t>(item.CtlID),
                                                  state.hotButtonId),
                                     ButtonSide());
  HBITMAP face = FaceOf(item.CtlID);
  if (maskRecord.faceBitmap != nullptr && face != nullptr) {
    CopyFrom(work, source, maskRecord.faceBitmap, frame, 0, SRCAND);
    CopyFrom(work, source, face, frame, 0, SRCPAINT);
  }
}

void ComposeAndShow(const DRAWITEMSTRUCT& item, HDC source, HDC work) {
  const POINT place = PlaceOnPicture(item.hwndItem);
  HBITMAP workBitmap = CreateDiscardableBitmap(item.hDC, ButtonSide(), ButtonSide());
  if (workBitmap == nullptr) return;
  const HGDIOBJ keptWork = SelectObject(work, workBitmap);
  const HGDIOBJ keptSource = GetCurrentObject(source, OBJ_BITMAP);
  Compose(item, source, work, place);
  // The palette stays selected in the item's DC; the button class releases that DC.
  BlitWithPalette(item.hDC, 0, 0, ButtonSide(), ButtonSide(), work, 0, 0, state.palette, SRCCOPY);
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
