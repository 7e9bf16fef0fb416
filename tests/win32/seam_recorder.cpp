#include "seam_recorder.h"

#include <mmsystem.h>

#include "shell/launcher_state.h"
#include "shell/platform_seam.h"

namespace seam {

DWORD tick = 100000;
DWORD tickAdvance = 0;
int slowMachine = 0;
bool displayFails = false;
std::vector<std::string> soundLog;
std::vector<std::string> launchLog;
UINT execResult = 33;
bool execForReal = false;
bool windowsDirectoryFails = false;

namespace {

DWORD WINAPI FakeTick() {
  const DWORD now = tick;
  tick += tickAdvance;
  return now;
}

int WINAPI FakeMetrics(int index) {
  return index == SM_SLOWMACHINE ? slowMachine : GetSystemMetrics(index);
}

HDC WINAPI FakeInfoContext(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode) {
  return displayFails ? nullptr : CreateICA(driver, device, port, mode);
}

BOOL WINAPI RecordPlay(LPCSTR image, UINT flags) {
  std::string entry = "play ?";
  for (int i = 0; i < kSoundCount; ++i) {
    if (image == static_cast<LPCSTR>(state.sounds[i])) entry = "play " + std::to_string(300 + i);
  }
  if (flags != (SND_ASYNC | SND_NODEFAULT | SND_MEMORY)) entry += " with wrong flags";
  soundLog.push_back(entry);
  return TRUE;
}

BOOL WINAPI RecordStop(LPCSTR sound, HMODULE, DWORD flags) {
  soundLog.push_back(sound == nullptr && flags == SND_PURGE ? "stop" : "stop with wrong arguments");
  return TRUE;
}

UINT WINAPI RecordExec(LPCSTR commandLine, UINT show) {
  launchLog.push_back(std::string("exec ") + commandLine + " show " + std::to_string(show));
  return execForReal ? WinExec(commandLine, show) : execResult;
}

int WINAPI RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  char icon[16];
  wsprintfA(icon, "0x%x", type);
  const bool fromLauncher = owner != nullptr && owner == state.pieceWindows[0];
  const std::string ownerName = fromLauncher ? "launcher" : "other";
  launchLog.push_back("box " + ownerName + " " + icon + " " + caption + ": " + text);
  return IDOK;
}

UINT WINAPI FakeWindowsDirectory(LPSTR buffer, UINT size) {
  return windowsDirectoryFails ? 0 : GetWindowsDirectoryA(buffer, size);
}

}  // namespace

void Install() {
  platform.getTickCount = FakeTick;
  platform.getSystemMetrics = FakeMetrics;
  platform.createDisplayInfoContext = FakeInfoContext;
  platform.sndPlaySound = RecordPlay;
  platform.stopSounds = RecordStop;
  platform.winExec = RecordExec;
  platform.messageBox = RecordMessageBox;
  platform.getWindowsDirectory = FakeWindowsDirectory;
}

}  // namespace seam
