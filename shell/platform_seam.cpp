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

using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR monitor, int type, UINT* x, UINT* y);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// Windows 8.1 and later scale each monitor on its own (shcore, from the system directory);
// before that, the whole display has one scale, which its device context reports to a
// program that declares itself aware of it.
UINT PrimaryMonitorDpiFromSystem() {
  HMODULE shcore = LoadSystemLibrary("shcore.dll");
  const auto getDpiForMonitor =
      shcore == nullptr ? nullptr
                        : LookUpFunction<GetDpiForMonitorFunction>(shcore, "GetDpiForMonitor");
  UINT x = 0;
  UINT y = 0;
  HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (getDpiForMonitor != nullptr && getDpiForMonitor(primary, kEffectiveDpi, &x, &y) == S_OK)
    return x;
  HDC screen = GetDC(nullptr);
  x = screen == nullptr ? 0 : static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return x;
}

using ProductStateFunction = int(WINAPI*)(LPCWSTR code);
constexpr int kInstallStateUnknown = -1;

// Only a brand that tells its product by its code asks Windows Installer.
int WINAPI ProductStateFromSystemDirectory(LPCWSTR code) {
  static ProductStateFunction queryProductState = nullptr;
  if (queryProductState == nullptr) {
    HMODULE msi = LoadSystemLibrary("msi.dll");
    if (msi != nullptr)
      queryProductState = LookUpFunction<ProductStateFunction>(msi, "MsiQueryProductStateW");
    if (queryProductState == nullptr) return kInstallStateUnknown;
  }
  return queryProductState(code);
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
    PrimaryMonitorDpiFromSystem,
    ProductStateFromSystemDirectory,
};
