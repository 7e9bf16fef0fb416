// Another program asking the launcher to close: posts WM_CLOSE to its window, as a task
// manager does, or given a drive letter sends the notice of that drive's disc being removed.
// Exit code 0 when the window was found and the message delivered, 1 if not.
#include <windows.h>
#include <dbt.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR drive, int) {
  HWND launcher = FindWindowA("NorvaneCDSetupClass", "Norvane CD Setup");
  if (launcher == nullptr) return 1;
  if (drive[0] < 'A' || drive[0] > 'Z') return PostMessageA(launcher, WM_CLOSE, 0, 0) ? 0 : 1;
  DEV_BROADCAST_VOLUME gone = {sizeof gone, DBT_DEVTYP_VOLUME, 0, 1u << (drive[0] - 'A'), DBTF_MEDIA};
  DWORD_PTR answer = 0;
  return !SendMessageTimeoutA(launcher, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                              reinterpret_cast<LPARAM>(&gone), SMTO_ABORTIFHUNG, 5000, &answer);
}
