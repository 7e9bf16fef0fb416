#include <windows.h>

#include "shell/startup.h"
#include "shell/system_library.h"

// The DLL search is narrowed before anything is loaded at run time; winmm.dll, not among
// Windows' known DLLs, comes from the system directory, never from beside the launcher.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  LimitDllSearchToSystemDirectory();
  ConnectSystemSounds();
  return RunLauncher(instance);
}
