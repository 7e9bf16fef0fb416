#pragma once
// Which of a brand's languages the launcher speaks. A brand's LAUNCH.EXE lists them in a
// language-neutral RCDATA resource: little-endian 16-bit language ids, the default first.
// Plain code over numbers and bytes, no platform.
#include <cstddef>
#include <cstdint>

constexpr int kLanguageListId = 1000;  // RT_RCDATA
constexpr size_t kMaxLanguages = 16;

struct LanguageList {
  uint16_t ids[kMaxLanguages];
  size_t count;  // 0: no list, the launcher's resources are taken as they come
};

// Reads the list from the resource's bytes: one id per two bytes, at most kMaxLanguages
// of them (a stray last byte or any beyond the limit are left out).
LanguageList ReadLanguageList(const uint8_t* bytes, size_t size);

// As installers choose: the user's language where it is listed, else the first listed one
// of the same primary language (German for Austrian German), else the default. 0 for an
// empty list.
uint16_t ChooseLanguage(const LanguageList& list, uint16_t userLanguage);
