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

int CopyStringFromBlock(const uint8_t* block, size_t size, int index, wchar_t* buffer,
                        int bufferSize) {
  if (bufferSize <= 0) return 0;
  buffer[0] = L'\0';
  if (!StringBlockHolds(block, size, index)) return 0;
  size_t at = 0;
  for (int i = 0; i < index; ++i) at += 2 + 2 * static_cast<size_t>(block[at] | block[at + 1] << 8);
  const int units = block[at] | block[at + 1] << 8;
  const int copied = units < bufferSize - 1 ? units : bufferSize - 1;
  for (int i = 0; i < copied; ++i) {
    const size_t unit = at + 2 + 2 * static_cast<size_t>(i);
    buffer[i] = static_cast<wchar_t>(block[unit] | block[unit + 1] << 8);
  }
  buffer[copied] = L'\0';
  return copied;
}
