#include "seam_recorder.h"

#include <mmsystem.h>

#include "commands/failure_message.h"
#include "shell/launcher_state.h"
#include "shell/platform_seam.h"

namespace seam {

DWORD tick = 100000;
DWORD tickAdvance = 0;
int slowMachine = 0;
bool displayFails = false;
std::vector<std::string> soundLog;
std::vector<std::string> launchLog;
DWORD execError = 0;
bool execForReal = false;
DWORD shellError = 0;
bool shellForReal = false;
bool windowsDirectoryFails = false;
LANGID userLanguage = 0;

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

std::vector<HANDLE> startHandles;
BOOL(WINAPI* realShellExecute)(SHELLEXECUTEINFOW* request) = nullptr;

// The handles of a process the test pretends to start: real ones, so that closing them
// can be seen.
void FakeStarted(PROCESS_INFORMATION* started) {
  started->hProcess = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  started->hThread = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  started->dwProcessId = 1234;
  started->dwThreadId = 5678;
}

// What the log shows of a wide string: its text in the ANSI code page.
std::string Shown(const wchar_t* text) {
  if (text == nullptr) return "(none)";
  char shown[1024] = "";
  WideCharToMultiByte(CP_ACP, 0, text, -1, shown, sizeof shown, nullptr, nullptr);
  return shown;
}

BOOL WINAPI RecordCreateProcess(LPCWSTR application, LPWSTR commandLine,
                                LPSECURITY_ATTRIBUTES processAttributes,
                                LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles,
                                DWORD flags, LPVOID environment, LPCWSTR directory,
                                LPSTARTUPINFOW startup, LPPROCESS_INFORMATION started) {
  std::string entry = "exec " + Shown(commandLine) + " in " + Shown(directory) + " show " +
                      std::to_string(startup->wShowWindow);
  const bool asWinExec = application == nullptr && processAttributes == nullptr &&
                         threadAttributes == nullptr && !inheritHandles && flags == 0 &&
                         environment == nullptr && startup->cb == sizeof *startup &&
                         startup->dwFlags == STARTF_USESHOWWINDOW;
  if (!asWinExec) entry += " with wrong arguments";
  launchLog.push_back(entry);
  BOOL ok = TRUE;
  if (execForReal) {
    ok = CreateProcessW(application, commandLine, processAttributes, threadAttributes,
                        inheritHandles, flags, environment, directory, startup, started);
  } else if (execError != 0) {
    SetLastError(execError);
    ok = FALSE;
  } else {
    FakeStarted(started);
  }
  if (ok) {
    startHandles.push_back(started->hProcess);
    startHandles.push_back(started->hThread);
  }
  return ok;
}

BOOL WINAPI RecordShellExecute(SHELLEXECUTEINFOW* request) {
  std::string entry = "shell " + Shown(request->lpVerb) + " " + Shown(request->lpFile);
  if (request->lpParameters != nullptr) entry += " with " + Shown(request->lpParameters);
  entry += " in " + Shown(request->lpDirectory) + " show " + std::to_string(request->nShow);
  const bool asLauncher = request->cbSize == sizeof *request &&
                          request->fMask == (SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC) &&
                          request->hwnd == state.pieceWindows[0];
  if (!asLauncher) entry += " with wrong arguments";
  launchLog.push_back(entry);
  if (shellForReal) return realShellExecute(request);
  SetLastError(shellError);
  return shellError == 0;
}

std::string Narrow(LPCWSTR text) {
  char narrow[kMessageSize * 2] = "";
  WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

int WINAPI RecordMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  char icon[16];
  wsprintfA(icon, "0x%x", type);
  const bool fromLauncher = owner != nullptr && owner == state.pieceWindows[0];
  const std::string ownerName = fromLauncher ? "launcher" : "other";
  launchLog.push_back("box " + ownerName + " " + icon + " " + Narrow(caption) + ": " +
                      Narrow(text));
  return IDOK;
}

UINT WINAPI FakeWindowsDirectory(LPWSTR buffer, UINT size) {
  return windowsDirectoryFails ? 0 : GetWindowsDirectoryW(buffer, size);
}

LANGID(WINAPI* realUserLanguage)() = nullptr;

LANGID WINAPI FakeUserLanguage() { return userLanguage != 0 ? userLanguage : realUserLanguage(); }

}  // namespace

int StartHandlesOpen() {
  int open = 0;
  DWORD flags = 0;
  for (HANDLE handle : startHandles) open += GetHandleInformation(handle, &flags) ? 1 : 0;
  return open;
}

void Reset() {
  tick = 100000;
  tickAdvance = 0;
  slowMachine = 0;
  displayFails = false;
  soundLog.clear();
  launchLog.clear();
  execError = 0;
  execForReal = false;
  shellError = 0;
  shellForReal = false;
  windowsDirectoryFails = false;
  userLanguage = 0;
  startHandles.clear();
}

void Install() {
  platform.getTickCount = FakeTick;
  platform.getSystemMetrics = FakeMetrics;
  platform.createDisplayInfoContext = FakeInfoContext;
  platform.sndPlaySound = RecordPlay;
  platform.stopSounds = RecordStop;
  platform.createProcess = RecordCreateProcess;
  if (realShellExecute == nullptr) realShellExecute = platform.shellExecute;
  platform.shellExecute = RecordShellExecute;
  platform.messageBox = RecordMessageBox;
  platform.getWindowsDirectory = FakeWindowsDirectory;
  if (realUserLanguage == nullptr) realUserLanguage = platform.userInterfaceLanguage;
  platform.userInterfaceLanguage = FakeUserLanguage;
}

}  // namespace seam
