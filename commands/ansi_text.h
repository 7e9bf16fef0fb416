#pragma once
// Paths are 8-bit strings in the ANSI code page. In the double-byte code pages (Japanese
// 932, Chinese 936 and 950, Korean 949) the second byte of a character can be 0x5C, the
// backslash: a folder named with 表 (0x95 0x5C) doesn't end in a separator. Whatever
// looks for a backslash or at the last character steps by characters.
#include <cstddef>

// Whether `byte` opens a two-byte character in the ANSI code page. The Windows build asks
// the platform (shell/platform_seam.cpp); the host tests bring their own code page.
extern bool (*isAnsiLeadByte)(unsigned char byte);

// Where the character after the one at `at` starts in text[0, length): two bytes on for a
// lead byte whose second byte is there, else one.
size_t NextCharacter(const char* text, size_t at, size_t length);
// Index of the first backslash character in text[from, length), or length; `from` is
// where a character starts.
size_t BackslashAfter(const char* text, size_t from, size_t length);
// Whether the last character of text[0, length) is a backslash.
bool EndsInBackslash(const char* text, size_t length);
