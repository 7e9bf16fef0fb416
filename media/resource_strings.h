#pragma once
#include <windows.h>

// LoadStringA for the launcher's own strings, which first checks that the platform's walk
// to the string stays inside its block (see string_block.h). A string that is missing or
// can't be reached safely leaves `buffer` empty; returns the characters copied.
int LoadCheckedString(UINT id, char* buffer, int size);
