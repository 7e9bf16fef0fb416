#pragma once
// The one place where tests take over what the platform decides: the clock, the
// slow-machine flag, the display's information context, sounds, program starts, message
// boxes and the Windows directory. The product only ever calls these through `platform`;
// it starts out holding the real Windows functions.
#include <windows.h>

struct PlatformSeam {
  DWORD(WINAPI* getTickCount)();
  int(WINAPI* getSystemMetrics)(int index);
  HDC(WINAPI* createDisplayInfoContext)(LPCSTR driver, LPCSTR device, LPCSTR port,
                                        const DEVMODEA* mode);
  BOOL(WINAPI* sndPlaySound)(LPCSTR image, UINT flags);
  BOOL(WINAPI* stopSounds)(LPCSTR sound, HMODULE module, DWORD flags);
  UINT(WINAPI* winExec)(LPCSTR commandLine, UINT show);
  int(WINAPI* messageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
  UINT(WINAPI* getWindowsDirectory)(LPSTR buffer, UINT size);
};

extern PlatformSeam platform;
