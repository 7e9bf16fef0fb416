#include "shell/installed_switch.h"

#include <windows.h>

#include "buttons/button_table.h"
#include "commands/installed_state.h"
#include "media/resource_strings.h"
#include "shell/launcher_state.h"
#include "shell/startup.h"

namespace {

void RenameButtons(HWND launcher) {
  for (const ButtonRecord& row : buttonTable) {
    HWND button = row.enabled ? GetDlgItem(launcher, row.id) : nullptr;
    if (button == nullptr) continue;
    wchar_t name[kButtonNameSize] = L"";
    LoadStateString(NameStringIdOf(row.id), InstalledNameStringIdOf(row.id), name, kButtonNameSize);
    // The button class repaints at a new text, erasing first on some systems: it waits for
    // the one repaint of everything.
    SendMessageW(button, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(button, name);
    SendMessageW(button, WM_SETREDRAW, TRUE, 0);
  }
}

// A new picture brings its own palette on a 256-colour screen: realized in the foreground
// without the erase the palette messages ask for, which would flash the window's grey.
void RealizePictureQuietly(HWND launcher) {
  if (state.palette == nullptr) return;
  HDC dc = GetDC(launcher);
  HPALETTE previous = SelectPalette(dc, state.palette, FALSE);
  RealizePalette(dc);
  SelectPalette(dc, previous, TRUE);
  ReleaseDC(launcher, dc);
}

}  // namespace

void RecheckInstalledState() {
  HWND launcher = state.pieceWindows[0];
  if (!state.watchesInstalled || launcher == nullptr || !DecideInstalledState()) return;
  ReleaseArt();
  // Without its picture there is nothing to show: it closes as Alt+F4 closes it.
  if (!LoadArt()) {
    PostMessageA(launcher, WM_CLOSE, 0, 0);
    return;
  }
  RenameButtons(launcher);
  RealizePictureQuietly(launcher);
  RedrawWindow(launcher, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}
