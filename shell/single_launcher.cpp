#include "shell/single_launcher.h"

#include <windows.h>

#include "shell/launcher_names.h"

namespace {

constexpr int kClaimNameBytes = 64;

// A launcher still opening has no visible window yet; its open ends in front anyway.
// Started by the user, this process may give the foreground away.
void BringToFront(HWND launcher) {
  if (launcher == nullptr || !IsWindowVisible(launcher)) return;
  if (IsIconic(launcher)) ShowWindow(launcher, SW_RESTORE);
  SetForegroundWindow(launcher);
}

}  // namespace

bool AnotherLauncherIsOpen() {
  // Named after the window title, so that another product's launcher never stands in the
  // way; in the session's own namespace; and the system closes it with the process that
  // holds it, so a launcher that crashed or was ended never blocks the next. Never closed
  // here: it is held for the whole run.
  char name[kClaimNameBytes] = "Local\\";
  lstrcatA(name, kWindowTitle);
  HANDLE claim = CreateMutexA(nullptr, FALSE, name);
  if (claim == nullptr || GetLastError() != ERROR_ALREADY_EXISTS) return false;
  BringToFront(FindWindowA(kClassName, kWindowTitle));
  return true;
}
