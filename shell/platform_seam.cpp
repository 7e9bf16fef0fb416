#include "shell/platform_seam.h"

#include <mmsystem.h>

PlatformSeam platform = {
    GetTickCount, GetSystemMetrics, CreateICA, sndPlaySoundA, PlaySoundA, WinExec, MessageBoxA,
    GetWindowsDirectoryA,
};
