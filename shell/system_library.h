#pragma once
// DLLs that are not among Windows' known DLLs are looked for first in the program's own
// folder, where anyone who can write beside the launcher (a download folder, a share) can
// plant one. Whatever the launcher loads at run time comes from the system directory only.
#include <windows.h>

// Loads `fileName` (a bare name such as "winmm.dll") from the system directory; null when
// it isn't there or the path doesn't fit.
HMODULE LoadSystemLibrary(const char* fileName);

// The function `name` of `module` as its real type, or null. GetProcAddress gives every
// function one type; the cast goes through a function type that the compiler takes as
// "any function".
template <typename Function>
Function LookUpFunction(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Where the platform offers it, limits the search of every DLL loaded later to the system
// directory. Looked up at run time, so the launcher still starts where it doesn't exist.
void LimitDllSearchToSystemDirectory();

// Points the seam's sound functions at the system directory's winmm.dll. Where that DLL
// or one of its functions can't be had, the sounds stay silent, as without a sound device.
void ConnectSystemSounds();
