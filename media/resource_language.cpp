#include "media/resource_language.h"

#include <cstdint>

#include "media/language_choice.h"
#include "shell/launcher_state.h"
#include "shell/platform_seam.h"

namespace {

constexpr int kRcdataType = 10;

struct LanguageSought {
  WORD language;
  bool found;
};

BOOL CALLBACK NoteLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR sought) {
  auto* search = reinterpret_cast<LanguageSought*>(sought);
  search->found = search->found || language == search->language;
  return !search->found;
}

LanguageList ReadListResource() {
  HRSRC found = FindResourceOfLanguage(kLanguageListId, kRcdataType,
                                       MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
  HGLOBAL loaded = found != nullptr ? LoadResource(state.instance, found) : nullptr;
  if (loaded == nullptr) return LanguageList{};
  const LanguageList list = ReadLanguageList(static_cast<const uint8_t*>(LockResource(loaded)),
                                             SizeofResource(state.instance, found));
  FreeResource(loaded);
  return list;
}

}  // namespace

void ChooseResourceLanguage() {
  const LanguageList list = ReadListResource();
  state.defaultLanguage = list.count > 0 ? list.ids[0] : 0;
  state.language = list.count > 0 ? ChooseLanguage(list, platform.userInterfaceLanguage()) : 0;
}

HRSRC FindResourceOfLanguage(int id, int type, WORD language) {
  // FindResourceExW alone would fall back to other languages where this one is missing.
  LanguageSought sought = {language, false};
  EnumResourceLanguagesW(state.instance, MAKEINTRESOURCEW(type), MAKEINTRESOURCEW(id),
                         NoteLanguage, reinterpret_cast<LONG_PTR>(&sought));
  if (!sought.found) return nullptr;
  return FindResourceExW(state.instance, MAKEINTRESOURCEW(type), MAKEINTRESOURCEW(id), language);
}

HRSRC FindLauncherResource(int id, int type) {
  if (state.defaultLanguage == 0)
    return FindResourceA(state.instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
  HRSRC found = FindResourceOfLanguage(id, type, state.language);
  return found != nullptr ? found : FindResourceOfLanguage(id, type, state.defaultLanguage);
}
