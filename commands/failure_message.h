#pragma once
// The text of the box that reports a program that couldn't be started.
#include <cstddef>

constexpr size_t kMessageSize = 384;
constexpr size_t kFailureFormatSize = 128;  // the format as loaded from the string table

// What the string table carries; used as well if it can't be loaded.
constexpr char kFailureFormat[] = "Unable to execute %s";

// Formats `message` from `format` (read no further than its 128 bytes), each %s taking
// the whole command line and %% giving a percent sign. An empty format is taken as
// kFailureFormat. A message too long for its buffer is cut.
void FormatFailureMessage(char (&message)[kMessageSize], const char* format,
                          const char* commandLine);
