#include "media/string_block.h"

bool StringBlockHolds(const uint8_t* block, size_t size, int index) {
  if (block == nullptr || index < 0 || index >= kStringsPerBlock) return false;
  size_t at = 0;
  for (int i = 0; i <= index; ++i) {
    if (size < 2 || at > size - 2) return false;
    const size_t units = static_cast<size_t>(block[at] | block[at + 1] << 8);
    at += 2 + 2 * units;
    if (at > size) return false;
  }
  return true;
}
