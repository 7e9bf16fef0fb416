#include "media/resource_strings.h"

#include <cstdint>

#include "media/string_block.h"
#include "shell/launcher_state.h"

int LoadCheckedString(UINT id, char* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  // RT_STRING (6): strings 16n to 16n + 15 live in block n + 1.
  HRSRC found = FindResourceA(state.instance, MAKEINTRESOURCEA(id / kStringsPerBlock + 1),
                              MAKEINTRESOURCEA(6));
  if (found == nullptr) return 0;
  HGLOBAL loaded = LoadResource(state.instance, found);
  if (loaded == nullptr) return 0;
  const auto* block = static_cast<const uint8_t*>(LockResource(loaded));
  const bool holds = StringBlockHolds(block, SizeofResource(state.instance, found),
                                      static_cast<int>(id % kStringsPerBlock));
  FreeResource(loaded);
  return holds ? LoadStringA(state.instance, id, buffer, size) : 0;
}
