#pragma once
// The one place where tests take over what the platform decides: the clock, the
// slow-machine flag, the display's information context, sounds, program starts, message
// boxes, the Windows directory, the user's language and the screen's scale. The product only
// ever calls these through `platform`; it starts out holding the real Windows functions.
#include <windows.h>
#include <shellapi.h>

struct PlatformSeam {
  DWORD(WINAPI* getTickCount)();
  int(WINAPI* getSystemMetrics)(int index);
  HDC(WINAPI* createDisplayInfoContext)(LPCSTR driver, LPCSTR device, LPCSTR port,
                                        const DEVMODEA* mode);
  BOOL(WINAPI* sndPlaySound)(LPCSTR image, UINT flags);
  BOOL(WINAPI* stopSounds)(LPCSTR sound, HMODULE module, DWORD flags);
  // Starts a program; CreateProcessW. Paths go to the platform in wide characters, whole
  // in any code page.
  BOOL(WINAPI* createProcess)(LPCWSTR application, LPWSTR commandLine,
                              LPSECURITY_ATTRIBUTES processAttributes,
                              LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles,
                              DWORD flags, LPVOID environment, LPCWSTR directory,
                              LPSTARTUPINFOW startup, LPPROCESS_INFORMATION started);
  // The shell's start (ShellExecuteExW), which can ask the user for administrator rights.
  // Shell32 is loaded from the system directory on the first call, not before.
  BOOL(WINAPI* shellExecute)(SHELLEXECUTEINFOW* request);
  int(WINAPI* messageBox)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
  UINT(WINAPI* getWindowsDirectory)(LPWSTR buffer, UINT size);
  // The user's interface language: GetUserDefaultUILanguage where the system has it,
  // else GetUserDefaultLangID.
  LANGID(WINAPI* userInterfaceLanguage)();
  // The dots per inch of the monitor the launcher opens on (the primary one), as the
  // system scales it; 96 is 100 %.
  UINT (*primaryMonitorDpi)();
  // Windows Installer's state of the product of `code` (MsiQueryProductStateW), or -1
  // (INSTALLSTATE_UNKNOWN) where it can't be asked. msi.dll is loaded from the system
  // directory on the first call, not before.
  int(WINAPI* productState)(LPCWSTR code);
};

extern PlatformSeam platform;
