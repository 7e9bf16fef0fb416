#include "media/resource_strings.h"

#include <cstdint>

#include "media/resource_ids.h"
#include "media/resource_language.h"
#include "media/string_block.h"
#include "shell/launcher_names.h"
#include "shell/launcher_state.h"

namespace {

constexpr int kStringType = 6;  // RT_STRING: strings 16n to 16n + 15 live in block n + 1

int BlockOf(UINT id) { return static_cast<int>(id / kStringsPerBlock + 1); }
int IndexOf(UINT id) { return static_cast<int>(id % kStringsPerBlock); }

bool StringReachable(UINT id) {
  HRSRC found = FindResourceA(state.instance, MAKEINTRESOURCEA(BlockOf(id)),
                              MAKEINTRESOURCEA(kStringType));
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(state.instance, found);
  if (loaded == nullptr) return false;
  const auto* block = static_cast<const uint8_t*>(LockResource(loaded));
  const bool holds = StringBlockHolds(block, SizeofResource(state.instance, found), IndexOf(id));
  FreeResource(loaded);
  return holds;
}

// LoadStringW can't be told a language: the string is read from the block itself.
int CopyStringOfLanguage(UINT id, WORD language, wchar_t* buffer, int size) {
  HRSRC found = FindResourceOfLanguage(BlockOf(id), kStringType, language);
  HGLOBAL loaded = found != nullptr ? LoadResource(state.instance, found) : nullptr;
  if (loaded == nullptr) return 0;
  const int copied =
      CopyStringFromBlock(static_cast<const uint8_t*>(LockResource(loaded)),
                          SizeofResource(state.instance, found), IndexOf(id), buffer, size);
  FreeResource(loaded);
  return copied;
}

}  // namespace

int LoadCheckedStringW(UINT id, wchar_t* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = L'\0';
  if (state.defaultLanguage == 0)
    return StringReachable(id) ? LoadStringW(state.instance, id, buffer, size) : 0;
  const int copied = CopyStringOfLanguage(id, state.language, buffer, size);
  return copied > 0 ? copied : LoadDefaultLanguageString(id, buffer, size);
}

int LoadDefaultLanguageString(UINT id, wchar_t* buffer, int size) {
  if (size <= 0) return 0;
  buffer[0] = L'\0';
  if (state.defaultLanguage == 0) return LoadCheckedStringW(id, buffer, size);
  return CopyStringOfLanguage(id, state.defaultLanguage, buffer, size);
}

void LoadWindowTitle() {
  if (LoadCheckedStringW(kWindowTitleStringId, state.windowTitle, kWindowTitleSize) > 0) return;
  lstrcpynW(state.windowTitle, kWindowTitle, kWindowTitleSize);
}
