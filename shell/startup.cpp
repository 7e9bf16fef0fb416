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
  if (!SurveyDisplay()) return kExitNoDisplay;
  LoadSounds();
  if (!RegisterLauncherClass()) return kExitNoWindowClass;
  if (LoadArtAndOpen() == nullptr) return kExitNoWindow;
  RunMessageLoop();
  FreeSounds();
  return kExitNormal;
}
