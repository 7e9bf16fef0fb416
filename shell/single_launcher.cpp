#include "shell/single_launcher.h"

#include <windows.h>

#include "media/resource_ids.h"
#include "media/resource_language.h"
#include "media/resource_strings.h"
#include "shell/claim_name.h"
#include "shell/launcher_names.h"
#include "shell/launcher_state.h"

namespace {

static_assert(kWindowTitleSize == kClaimTitleSize, "the claim is named after a whole title");

// A launcher still opening has no visible window yet; its open ends in front anyway.
// Started by the user, this process may give the foreground away.
void BringToFront(HWND launcher) {
  if (launcher == nullptr || !IsWindowVisible(launcher)) return;
  if (IsIconic(launcher)) ShowWindow(launcher, SW_RESTORE);
  SetForegroundWindow(launcher);
}

// The product's title in its default language: the same claim whatever language each
// launcher speaks.
void LoadProductTitle(wchar_t (&title)[kWindowTitleSize]) {
  if (LoadDefaultLanguageString(kWindowTitleStringId, title, kWindowTitleSize) > 0) return;
  lstrcpynW(title, kWindowTitle, kWindowTitleSize);
}

}  // namespace

bool AnotherLauncherIsOpen(HINSTANCE instance) {
  // Named after the product's title, so that another product's launcher never stands in
  // the way; in the session's own namespace; and the system closes it with the process
  // that holds it, so a launcher that crashed or was ended never blocks the next. Never
  // closed here: it is held for the whole run. A claim this user may not open (held by
  // an elevated launcher) is held all the same.
  state.instance = instance;
  ChooseResourceLanguage();
  wchar_t title[kWindowTitleSize];
  LoadProductTitle(title);
  ClaimName name;
  FormClaimName(name, title);
  HANDLE claim = CreateMutexW(nullptr, FALSE, name);
  const DWORD error = GetLastError();
  const bool held = claim == nullptr ? error == ERROR_ACCESS_DENIED : error == ERROR_ALREADY_EXISTS;
  if (!held) return false;
  LoadWindowTitle();
  BringToFront(FindWindowW(kClassName, state.windowTitle));
  return true;
}
