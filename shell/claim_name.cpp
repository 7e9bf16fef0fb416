#include "shell/claim_name.h"

#include <cstdint>

#include "commands/bounded_text.h"

namespace {

// FNV-1a over the title's UTF-16 units.
uint32_t HashOf(const wchar_t* title, size_t length) {
  uint32_t hash = 2166136261u;
  for (size_t i = 0; i < length; ++i) {
    hash = (hash ^ static_cast<uint16_t>(title[i])) * 16777619u;
  }
  return hash;
}

}  // namespace

void FormClaimName(ClaimName& name, const wchar_t* title) {
  const size_t length = BoundedLength(title, kClaimTitleSize);
  WideBoundedText text(name, kClaimNameSize);
  text.Append(L"Local\\");
  bool replaced = false;
  for (size_t i = 0; i < length; ++i) {
    replaced = replaced || title[i] == L'\\';
    text.Append(title[i] == L'\\' ? L'/' : title[i]);
  }
  if (!replaced) return;
  const uint32_t hash = HashOf(title, length);
  text.Append(L'#');
  for (int shift = 28; shift >= 0; shift -= 4) text.Append(L"0123456789abcdef"[(hash >> shift) & 0xf]);
}
