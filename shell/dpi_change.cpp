#include "shell/dpi_change.h"

#include "buttons/button_windows.h"
#include "shell/launcher_state.h"
#include "shell/launcher_wndproc.h"
#include "shell/screen_scale.h"
#include "shell/startup.h"

namespace {

void PlaceAndShape(HWND launcher, const RECT& suggested) {
  SetWindowPos(launcher, nullptr, suggested.left, suggested.top, state.backgroundWidth,
               state.backgroundHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  HRGN ellipse = CreateEllipticRgn(0, 0, state.backgroundWidth, state.backgroundHeight);
  if (ellipse != nullptr) SetWindowRgn(launcher, ellipse, TRUE);  // the window owns it
  PlaceButtons(launcher);
}

}  // namespace

LRESULT OnDpiChanged(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  if (GetWindowLongPtrA(hwnd, GWLP_USERDATA) != 0 || suggested == nullptr) return 0;
  ReleaseArt();
  state.dpi = UsableDpi(LOWORD(wParam));
  // Without its picture there is nothing to show: it closes as Alt+F4 closes it.
  if (!LoadArt()) {
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return 0;
  }
  PlaceAndShape(hwnd, *suggested);
  RealizeLauncherPalette(hwnd);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return 0;
}
