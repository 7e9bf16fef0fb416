#include "shell/disc_removal.h"

#include <dbt.h>

#include "shell/launcher_state.h"

namespace {

// The launcher's drive as a bit of a volume notice's unit mask (bit 0 is A:); 0 when it
// runs from a share (\\server\share), which no such notice names.
DWORD OwnDriveBit() {
  wchar_t letter = state.moduleDirectory[0];
  if (letter >= L'a' && letter <= L'z') letter = static_cast<wchar_t>(letter - L'a' + L'A');
  if (state.moduleDirectory[1] != L':' || letter < L'A' || letter > L'Z') return 0;
  return 1u << (letter - L'A');
}

bool RemovesOwnDrive(WPARAM event, LPARAM data) {
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (event != DBT_DEVICEREMOVECOMPLETE || header == nullptr) return false;
  if (header->dbch_devicetype != DBT_DEVTYP_VOLUME) return false;
  if (header->dbch_size < sizeof(DEV_BROADCAST_VOLUME)) return false;
  const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
  return (volume->dbcv_unitmask & OwnDriveBit()) != 0;
}

}  // namespace

LRESULT OnDeviceChange(WPARAM event, LPARAM data) {
  if (RemovesOwnDrive(event, data)) PostMessageA(state.pieceWindows[0], WM_CLOSE, 0, 0);
  return TRUE;
}
