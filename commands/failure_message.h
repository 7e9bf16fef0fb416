#pragma once
// The text of the box that reports a program that couldn't be started.
#include <cstddef>

#include "commands/command_lines.h"

constexpr size_t kMessageSize = 384;
constexpr size_t kFailureFormatSize = 128;  // the format as loaded from the string table
// A command line as the box shows it, in the ANSI code page: up to three bytes for each
// of its wide characters.
constexpr size_t kShownLineSize = 3 * kCommandLineSize;

// What the string table carries; used as well if it can't be loaded.
constexpr char kFailureFormat[] = "Unable to execute %s";

// Formats `message` from `format` (read no further than its 128 bytes), each %s taking
// the whole command line (read no further than kShownLineSize bytes) and %% giving a
// percent sign. An empty format is taken as kFailureFormat. A message too long for its
// buffer is cut after its last whole character.
void FormatFailureMessage(char (&message)[kMessageSize], const char* format,
                          const char* commandLine);
