#include "media/resource_ids.h"
#include "shell/launcher_names.h"
#include "shell/launcher_state.h"
#include "shell/launcher_wndproc.h"
#include "shell/startup.h"

int RegisterLauncherClass() {
  if (state.classAtom != 0) return 1;
  WNDCLASSW windowClass = {};
  windowClass.style = CS_DBLCLKS | CS_BYTEALIGNCLIENT;
  windowClass.lpfnWndProc = LauncherWndProc;
  windowClass.cbWndExtra = 4;
  windowClass.hInstance = state.instance;
  windowClass.hIcon = LoadIconA(state.instance, MAKEINTRESOURCEA(kIconGroupId));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  windowClass.lpszClassName = kClassName;
  state.classAtom = RegisterClassW(&windowClass);
  return state.classAtom != 0;
}
