#include "buttons/highlight.h"

#include "media/resource_ids.h"
#include "media/sound_bank.h"
#include "shell/launcher_state.h"

namespace {

HWND ButtonWithId(HWND parent, int id) { return id == 0 ? nullptr : GetDlgItem(parent, id); }

// Repainted later, once the highlight state no longer names it. Never the whole screen.
void InvalidateButton(HWND button) {
  if (button != nullptr) InvalidateRect(button, nullptr, FALSE);
}

// The focus leaves the buttons first, while `hotButtonId` still names the hot one, so the
// button left behind draws highlighted at once and normal on its later repaint.
void DropHighlight(HWND window) {
  HWND hot = ButtonWithId(window, state.hotButtonId);
  SetFocus(window);
  if (state.hotButtonId == 0) return;
  InvalidateButton(hot);
  state.lastButtonId = state.hotButtonId;
  state.hotButtonId = 0;
}

// The keys that move the highlight, as in any menu: Tab, Down and Right to the next
// button, Shift+Tab, Up and Left to the one before it. +1 or -1; 0 for any other key.
int MoveDirection(WPARAM key) {
  switch (key) {
    case VK_TAB:
      return GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
    case VK_DOWN:
    case VK_RIGHT:
      return 1;
    case VK_UP:
    case VK_LEFT:
      return -1;
    default:
      return 0;
  }
}

}  // namespace

LRESULT OnLauncherActivate(HWND hwnd, WPARAM wParam) {
  if (wParam == WA_ACTIVE)  // from the keyboard or by a program, not minimised
    SetFocus(ButtonWithId(hwnd, state.lastButtonId));
  else
    DropHighlight(hwnd);
  return 0;
}

LRESULT OnLauncherNcActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  state.launcherActive = static_cast<int>(wParam);
  return DefWindowProcW(hwnd, WM_NCACTIVATE, wParam, lParam);
}

LRESULT OnLauncherKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (MoveDirection(wParam) == 0) return DefWindowProcW(hwnd, WM_KEYDOWN, wParam, lParam);
  SetFocus(ButtonWithId(hwnd, state.lastButtonId));
  return 0;
}

LRESULT OnLauncherMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (state.launcherActive && state.hotButtonId != 0) DropHighlight(hwnd);
  return DefWindowProcW(hwnd, WM_MOUSEMOVE, wParam, lParam);
}

// `hotButtonId` moves before the focus: the button left behind draws normal, the new one
// highlighted. A window only gets keys while it is active, so activity isn't checked.
bool OnButtonMoveKey(HWND button, WPARAM key) {
  const int direction = MoveDirection(key);
  if (direction == 0) return false;
  PlaySoundId(kSoundHighlight);
  HWND next = GetNextDlgTabItem(GetParent(button), button, direction < 0);
  state.hotButtonId = GetDlgCtrlID(next);
  InvalidateButton(button);
  SetFocus(next);
  return true;
}

void OnButtonMouseMove(HWND button) {
  const int id = static_cast<int>(GetWindowLongPtrA(button, GWLP_ID));
  if (!state.launcherActive || id == state.hotButtonId) return;
  PlaySoundId(kSoundHighlight);
  HWND previous = ButtonWithId(GetParent(button), state.hotButtonId);
  SetFocus(button);
  if (state.hotButtonId != 0) InvalidateButton(previous);
  state.hotButtonId = id;
}
