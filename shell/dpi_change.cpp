#include "shell/dpi_change.h"

#include "buttons/button_windows.h"
#include "media/outline_region.h"
#include "shell/launcher_state.h"
#include "shell/launcher_wndproc.h"
#include "shell/screen_scale.h"
#include "shell/startup.h"
#include "transitions/transition_table.h"

namespace {

void PlaceAndShape(HWND launcher, const RECT& suggested) {
  SetWindowPos(launcher, nullptr, suggested.left, suggested.top, state.backgroundWidth,
               state.backgroundHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  HRGN shape = CreateShapeRegion(0, 0, state.backgroundWidth, state.backgroundHeight);
  if (shape != nullptr) SetWindowRgn(launcher, shape, TRUE);  // the window owns it
  PlaceButtons(launcher);
}

// The close runs off the screen the launcher now stands on, as the open ran off the
// primary one.
void SurveyMonitorOf(HWND launcher) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  HMONITOR monitor = MonitorFromWindow(launcher, MONITOR_DEFAULTTONEAREST);
  if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) return;
  state.screenWidth = info.rcMonitor.right - info.rcMonitor.left;
  state.screenHeight = info.rcMonitor.bottom - info.rcMonitor.top;
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
  SelectedTransition().refit();
  SurveyMonitorOf(hwnd);
  RealizeLauncherPalette(hwnd);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return 0;
}
