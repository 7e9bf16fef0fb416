#include "shell/platform_seam.h"

namespace {

// Silent until start-up finds the system's winmm.dll (ConnectSystemSounds).
BOOL WINAPI PlayNothing(LPCSTR, UINT) { return FALSE; }
BOOL WINAPI StopNothing(LPCSTR, HMODULE, DWORD) { return FALSE; }

}  // namespace

PlatformSeam platform = {
    GetTickCount, GetSystemMetrics, CreateICA, PlayNothing, StopNothing, WinExec, MessageBoxA,
    GetWindowsDirectoryA,
};
