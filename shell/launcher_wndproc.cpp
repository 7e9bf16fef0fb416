#include "shell/launcher_wndproc.h"

#include "buttons/button_table.h"
#include "buttons/button_windows.h"
#include "buttons/draw_round_button.h"
#include "buttons/highlight.h"
#include "commands/launch_commands.h"
#include "media/gdi_handles.h"
#include "shell/disc_removal.h"
#include "shell/dpi_change.h"
#include "shell/installed_switch.h"
#include "shell/launcher_state.h"
#include "shell/startup.h"
#include "transitions/transition_table.h"

namespace {

int PieceIndex(HWND hwnd) { return static_cast<int>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

// The launcher window is made with its buttons or not at all.
LRESULT OnCreate(HWND hwnd) {
  if (state.creatingPiece == 0 && !CreateButtons(hwnd)) return -1;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, state.creatingPiece);
  return 0;
}

// Only the launcher window owns the art; its end ends the message loop.
LRESULT OnDestroy(HWND hwnd) {
  if (PieceIndex(hwnd) != 0) return 1;
  ReleaseArt();
  PostQuitMessage(0);
  return 1;
}

LRESULT OnPaint(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  SelectedTransition().paint(hwnd, dc);
  EndPaint(hwnd, &paint);
  return 1;
}

// Back from another window, an installer's perhaps: what is installed may have changed.
LRESULT OnActivate(HWND hwnd, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE && PieceIndex(hwnd) == 0) RecheckInstalledState();
  return OnLauncherActivate(hwnd, wParam);
}

// The buttons are owner-drawn, and such a button reports the second click of a
// double-click as a notification of its own: the first click has started the program
// already, and users double-click out of habit. EXIT takes every notification, as ever.
bool IsLaunch(int id) { return id >= kFirstButtonId && id <= kLastButtonId && id != kExitButtonId; }

LRESULT OnCommand(WPARAM wParam) {
  const int id = LOWORD(wParam);
  if (id == kExitButtonId) ExitLauncher();
  if (IsLaunch(id) && HIWORD(wParam) != BN_DOUBLECLICKED) RunButtonCommand(id);
  return 1;
}

// Esc leaves as EXIT does, wherever the focus is; the keys that move the highlight belong
// to the buttons.
LRESULT OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (wParam != VK_ESCAPE) return OnLauncherKeyDown(hwnd, wParam, lParam);
  ExitLauncher();
  return 0;
}

// The launcher has no caption: a press anywhere on the picture drags it.
LRESULT OnLeftButtonDown(HWND hwnd, LPARAM lParam) {
  SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
  return 0;
}

}  // namespace

LRESULT CALLBACK LauncherWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(hwnd);
    case WM_DESTROY:
      return OnDestroy(hwnd);
    case WM_ACTIVATE:
      return OnActivate(hwnd, wParam);
    case WM_NCACTIVATE:
      return OnLauncherNcActivate(hwnd, wParam, lParam);
    case WM_PAINT:
      return OnPaint(hwnd);
    case WM_DRAWITEM:
      return OnLauncherDrawItem(lParam);
    case WM_KEYDOWN:
      return OnKeyDown(hwnd, wParam, lParam);
    case WM_MOUSEMOVE:
      return OnLauncherMouseMove(hwnd, wParam, lParam);
    case WM_COMMAND:
      return OnCommand(wParam);
    case WM_LBUTTONDOWN:
      return OnLeftButtonDown(hwnd, lParam);
    case WM_LBUTTONDBLCLK:
      ExitLauncher();
      return 1;
    case WM_DEVICECHANGE:  // the disc may have left the drive
      return OnDeviceChange(wParam, lParam);
    case WM_PALETTECHANGED:  // our own change needs no answer
      if (reinterpret_cast<HWND>(wParam) == hwnd) return 0;
      return RealizeLauncherPalette(hwnd);
    case WM_QUERYNEWPALETTE:
      return RealizeLauncherPalette(hwnd);
    case kDpiChangedMessage:
      return OnDpiChanged(hwnd, wParam, lParam);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}
