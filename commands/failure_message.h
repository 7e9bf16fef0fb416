#pragma once
// The text of the box that reports a program that couldn't be started. It is shown
// through the platform's wide-character functions, so that a format in any language, and
// a path in any code page, shows whole whatever the system's code page.
#include <cstddef>

#include "commands/command_lines.h"

constexpr size_t kMessageSize = 384;
constexpr size_t kFailureFormatSize = 128;  // the format as loaded from the string table

// What the string table carries; used as well if it can't be loaded.
constexpr wchar_t kFailureFormat[] = L"Unable to execute %s";

// Formats `message` from `format` (read no further than its 128 characters), each %s
// taking the whole command line (read no further than a command line's size) and %%
// giving a percent sign. An empty format is taken as kFailureFormat. A message too long
// for its buffer is cut after its last whole character, never between the two halves of
// a surrogate pair.
void FormatFailureMessage(wchar_t (&message)[kMessageSize], const wchar_t* format,
                          const wchar_t* commandLine);
