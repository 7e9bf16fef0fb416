// Another program asking the launcher to close: posts WM_CLOSE to its window, as a task
// manager does. Exit code 0 when the window was found and the message posted, 1 if not.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  HWND launcher = FindWindowA("NorvaneCDSetupClass", "Norvane CD Setup");
  return launcher != nullptr && PostMessageA(launcher, WM_CLOSE, 0, 0) ? 0 : 1;
}
