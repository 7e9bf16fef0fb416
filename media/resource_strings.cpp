#include "media/resource_strings.h"

#include <cstdint>

#include "media/resource_ids.h"
#include "media/string_block.h"
#include "shell/launcher_names.h"
#include "shell/launcher_state.h"

namespace {

bool StringReachable(UINT id) {
  // RT_STRING (6): strings 16n to 16n + 15 live in block n + 1.
  HRSRC found = FindResourceA(state.instance, MAKEINTRESOURCEA(id / kStringsPerBlock + 1),
                              MAKEINTRESOURCEA(6));
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(state.instance, found);
  if (loaded == nullptr) return false;
  const auto* block = static_cast<const uint8_t*>(LockResource(loaded));
  const bool holds = StringBlockHolds(block, SizeofResource(state.instance, found),
                                      static_cast<int>(id % kStringsPerBlock));
  FreeResource(loaded);
  return holds;
}

}  // namespace

int LoadCheckedString(UINT id, char* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  return StringReachable(id) ? LoadStringA(state.instance, id, buffer, size) : 0;
}

int LoadCheckedStringW(UINT id, wchar_t* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = L'\0';
  return StringReachable(id) ? LoadStringW(state.instance, id, buffer, size) : 0;
}

void LoadWindowTitle() {
  if (LoadCheckedStringW(kWindowTitleStringId, state.windowTitle, kWindowTitleSize) > 0) return;
  lstrcpynW(state.windowTitle, kWindowTitle, kWindowTitleSize);
}
