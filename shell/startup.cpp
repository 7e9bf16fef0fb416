#include "shell/startup.h"

#include "media/sound_bank.h"
#include "shell/launcher_state.h"
#include "shell/strip_file_name.h"

namespace {

void RunMessageLoop() {
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

void RecordModuleDirectory() {
  GetModuleFileNameA(state.instance, state.moduleDirectory, MAX_PATH);
  // Older systems leave a path that fills the buffer unterminated.
  state.moduleDirectory[MAX_PATH - 1] = '\0';
  StripFileName(state.moduleDirectory);
}

int RunLauncher(HINSTANCE instance) {
  state.instance = instance;
  RecordModuleDirectory();
  LeaveTheDisc();
  if (!SurveyDisplay()) return kExitNoDisplay;
  LoadSounds();
  if (!RegisterLauncherClass()) return kExitNoWindowClass;
  if (LoadArtAndOpen() == nullptr) return kExitNoWindow;
  RunMessageLoop();
  FreeSounds();
  return kExitNormal;
}
