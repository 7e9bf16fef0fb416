#include "shell/platform_seam.h"

#include "shell/system_library.h"

namespace {

// Silent until start-up finds the system's winmm.dll (ConnectSystemSounds).
BOOL WINAPI PlayNothing(LPCSTR, UINT) { return FALSE; }
BOOL WINAPI StopNothing(LPCSTR, HMODULE, DWORD) { return FALSE; }

using ShellExecuteFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOW* request);

// Only a start that needs administrator rights goes through the shell, so the launcher
// doesn't link to it: shell32 and all it pulls in are loaded on that start, from the
// system directory, and kept for the rest of the run.
BOOL WINAPI ShellExecuteFromSystemDirectory(SHELLEXECUTEINFOW* request) {
  static ShellExecuteFunction shellExecuteEx = nullptr;
  if (shellExecuteEx == nullptr) {
    HMODULE shell = LoadSystemLibrary("shell32.dll");
    if (shell == nullptr) return FALSE;
    shellExecuteEx = LookUpFunction<ShellExecuteFunction>(shell, "ShellExecuteExW");
    if (shellExecuteEx == nullptr) return FALSE;
  }
  return shellExecuteEx(request);
}

// Looked up at run time: the systems that lack it have only the user's locale.
LANGID WINAPI UserInterfaceLanguage() {
  using LanguageFunction = LANGID(WINAPI*)();
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  const auto uiLanguage = kernel != nullptr ? LookUpFunction<LanguageFunction>(
                                                  kernel, "GetUserDefaultUILanguage")
                                            : nullptr;
  return uiLanguage != nullptr ? uiLanguage() : GetUserDefaultLangID();
}

}  // namespace

PlatformSeam platform = {
    GetTickCount,
    GetSystemMetrics,
    CreateICA,
    PlayNothing,
    StopNothing,
    CreateProcessW,
    ShellExecuteFromSystemDirectory,
    MessageBoxW,
    GetWindowsDirectoryW,
    UserInterfaceLanguage,
};
