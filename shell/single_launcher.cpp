#include "shell/single_launcher.h"

#include <windows.h>

#include "media/resource_strings.h"
#include "shell/launcher_names.h"
#include "shell/launcher_state.h"

namespace {

constexpr wchar_t kClaimPrefix[] = L"Local\\";

// A launcher still opening has no visible window yet; its open ends in front anyway.
// Started by the user, this process may give the foreground away.
void BringToFront(HWND launcher) {
  if (launcher == nullptr || !IsWindowVisible(launcher)) return;
  if (IsIconic(launcher)) ShowWindow(launcher, SW_RESTORE);
  SetForegroundWindow(launcher);
}

}  // namespace

bool AnotherLauncherIsOpen(HINSTANCE instance) {
  // Named after the window title (the product's own, from its strings), so that another
  // product's launcher never stands in the way; in the session's own namespace; and the
  // system closes it with the process that holds it, so a launcher that crashed or was
  // ended never blocks the next. Never closed here: it is held for the whole run.
  state.instance = instance;
  LoadWindowTitle();
  wchar_t name[ARRAYSIZE(kClaimPrefix) + kWindowTitleSize] = L"";
  lstrcpyW(name, kClaimPrefix);
  lstrcatW(name, state.windowTitle);
  HANDLE claim = CreateMutexW(nullptr, FALSE, name);
  if (claim == nullptr || GetLastError() != ERROR_ALREADY_EXISTS) return false;
  BringToFront(FindWindowW(kClassName, state.windowTitle));
  return true;
}
