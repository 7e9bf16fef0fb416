#include "media/language_choice.h"

namespace {

constexpr uint16_t kPrimaryLanguageMask = 0x3ff;

uint16_t PrimaryLanguage(uint16_t id) { return id & kPrimaryLanguageMask; }

}  // namespace

LanguageList ReadLanguageList(const uint8_t* bytes, size_t size) {
  LanguageList list = {};
  if (bytes == nullptr) return list;
  while (list.count < kMaxLanguages && 2 * list.count + 2 <= size) {
    const size_t at = 2 * list.count;
    list.ids[list.count++] = static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
  }
  return list;
}

uint16_t ChooseLanguage(const LanguageList& list, uint16_t userLanguage) {
  if (list.count == 0) return 0;
  for (size_t i = 0; i < list.count; ++i) {
    if (list.ids[i] == userLanguage) return userLanguage;
  }
  for (size_t i = 0; i < list.count; ++i) {
    if (PrimaryLanguage(list.ids[i]) == PrimaryLanguage(userLanguage)) return list.ids[i];
  }
  return list.ids[0];
}
