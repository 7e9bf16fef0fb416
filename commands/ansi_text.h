#pragma once
// Texts shown to the user are 8-bit strings in the ANSI code page. In the double-byte
// code pages (Japanese 932, Chinese 936 and 950, Korean 949) a character can take two
// bytes, so a text cut to fit a buffer is cut between characters, never inside one.
#include <cstddef>

// Whether `byte` opens a two-byte character in the ANSI code page. The Windows build asks
// the platform (shell/platform_seam.cpp); the host tests bring their own code page.
extern bool (*isAnsiLeadByte)(unsigned char byte);

// Where the character after the one at `at` starts in text[0, length): two bytes on for a
// lead byte whose second byte is there, else one.
size_t NextCharacter(const char* text, size_t at, size_t length);
// The length of text[0, length) without a lead byte at its end whose second byte was cut
// off.
size_t WholeCharactersLength(const char* text, size_t length);
