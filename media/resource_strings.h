#pragma once
#include <windows.h>

// The longest texts the launcher reads from its string table, in characters with the
// terminator. A branded build is refused at build time when a text doesn't fit.
constexpr int kWindowTitleSize = 80;
constexpr int kButtonNameSize = 64;

// LoadStringW for the launcher's own strings, which first checks that the platform's walk
// to the string stays inside its block (see string_block.h). The table holds UTF-16, so a
// text in any language comes back whole, whatever the system's code page. With a brand's
// languages, the chosen language's string, or the default's where it has none (see
// resource_language.h). A string that is missing or can't be reached safely leaves
// `buffer` empty; returns the characters copied.
int LoadCheckedStringW(UINT id, wchar_t* buffer, int size);
// The same in the brand's default language only; without languages, as above.
int LoadDefaultLanguageString(UINT id, wchar_t* buffer, int size);

// Fills `state.windowTitle` from string 1006, or with Norvane's title where it can't be read.
void LoadWindowTitle();
