#pragma once
// DLLs that are not among Windows' known DLLs are looked for first in the program's own
// folder, where anyone who can write beside the launcher (a download folder, a share) can
// plant one. Whatever the launcher loads at run time comes from the system directory only.
#include <windows.h>

// Loads `fileName` (a bare name such as "winmm.dll") from the system directory; null when
// it isn't there or the path doesn't fit.
HMODULE LoadSystemLibrary(const char* fileName);
