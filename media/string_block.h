#pragma once
// The bytes of a string-table resource: a block of 16 strings, each a 16-bit count of
// UTF-16 units followed by that many units. The platform finds string n of a block by
// walking the counts before it without looking at the block's size, so a block whose
// counts run past its end sends it reading elsewhere. Plain code over bytes, no platform.
#include <cstddef>
#include <cstdint>

constexpr int kStringsPerBlock = 16;

// True when the counts before string `index` (0 to 15), and the string itself, lie inside
// the `size` bytes of the block.
bool StringBlockHolds(const uint8_t* block, size_t size, int index);

// Copies string `index` of the block into `buffer` (`size` characters, at least 1), cut
// to fit and zero-terminated, as LoadStringW would; returns the characters copied, 0 when
// the string is empty or not inside the block.
int CopyStringFromBlock(const uint8_t* block, size_t size, int index, wchar_t* buffer,
                        int bufferSize);
