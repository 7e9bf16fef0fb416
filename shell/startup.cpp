#include "shell/startup.h"

#include "buttons/current_layout.h"
#include "media/resource_language.h"
#include "media/sound_bank.h"
#include "shell/launcher_state.h"
#include "shell/started_programs.h"
#include "shell/strip_file_name.h"

namespace {

// Dispatches everything queued; false once the quit message comes.
bool DispatchQueued() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return false;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void RunMessageLoop() {
  if (state.watchesInstalled) {
    do {
      AwaitMessageOrEndedProgram(INFINITE);
    } while (DispatchQueued());
    ReleaseStartedPrograms();
    return;
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Windows holds every process's current directory open for as long as it runs: left on the
// disc (where AutoPlay starts the launcher), it keeps the disc from being ejected. The
// system directory is always there and never on the disc. Nothing the launcher opens is
// named relative to it: its own directory comes from the module's path.
void LeaveTheDisc() {
  char system[MAX_PATH];
  const UINT length = GetSystemDirectoryA(system, MAX_PATH);
  if (length > 0 && length < MAX_PATH) SetCurrentDirectoryA(system);
}

}  // namespace

// In wide characters, the buffer holds every path the platform can start a program from
// (259 characters), whatever the code page; the ANSI form of the same path can take twice
// as many bytes. A path that fills the buffer may have been cut (older systems leave it
// unterminated too): its last backslash could be a folder's higher up, so it isn't taken
// for the launcher's folder.
void RecordModuleDirectory() {
  const DWORD length = GetModuleFileNameW(state.instance, state.moduleDirectory, MAX_PATH);
  state.moduleDirectory[MAX_PATH - 1] = L'\0';
  state.moduleDirectoryWhole = length > 0 && length < MAX_PATH;
  if (state.moduleDirectoryWhole) StripFileName(state.moduleDirectory);
}

int OpenLauncher(HINSTANCE instance) {
  state.instance = instance;
  ChooseResourceLanguage();
  if (!ChooseLayout()) return kExitNoWindow;
  RecordModuleDirectory();
  LeaveTheDisc();
  if (!SurveyDisplay()) return kExitNoDisplay;
  LoadSounds();
  if (!RegisterLauncherClass()) return kExitNoWindowClass;
  if (LoadArtAndOpen() == nullptr) return kExitNoWindow;
  return kExitNormal;
}

int RunLauncher(HINSTANCE instance) {
  const int opened = OpenLauncher(instance);
  if (opened != kExitNormal) return opened;
  RunMessageLoop();
  FreeSounds();
  return kExitNormal;
}
