#include <windows.h>

#include "shell/single_launcher.h"
#include "shell/startup.h"
#include "shell/system_library.h"

// A second launcher ends before it loads, shows or plays anything. The DLL search is
// narrowed before anything is loaded at run time; winmm.dll, not among Windows' known
// DLLs, comes from the system directory, never from beside the launcher.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (AnotherLauncherIsOpen(instance)) return kExitNormal;
  LimitDllSearchToSystemDirectory();
  ConnectSystemSounds();
  return RunLauncher(instance);
}
