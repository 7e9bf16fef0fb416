#include "shell/launcher_state.h"
#include "shell/platform_seam.h"
#include "shell/screen_scale.h"
#include "shell/startup.h"

int SurveyDisplay() {
  state.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  state.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  state.dpi = UsableDpi(platform.primaryMonitorDpi());
  HDC info = platform.createDisplayInfoContext("display", nullptr, nullptr, nullptr);
  if (info == nullptr) return 0;
  // A palette display reports its palette size; others their fixed colour count.
  if (GetDeviceCaps(info, RASTERCAPS) & RC_PALETTE)
    state.displayColours = GetDeviceCaps(info, SIZEPALETTE);
  else
    state.displayColours = GetDeviceCaps(info, NUMCOLORS);
  DeleteDC(info);
  return 1;
}
