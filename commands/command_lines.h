#pragma once
// The command lines of the three launch commands, built in fixed buffers from the
// launcher's directory (and, for Explorer, the Windows directory). Nothing here needs
// the platform.
//
// A program path that holds a space is put in double quotes, and so is Explorer's
// argument: unquoted, "C:\My Disc\SETUP.EXE" would first be tried as "C:\My.exe".
//
// The disc's root is "X:\" with X the first character of the launcher's directory, or
// "\\server\share\" when the launcher runs from a network path.
#include <cstddef>

constexpr size_t kCommandLineSize = 384;
// The launcher's directory and the Windows directory live in buffers of this size; the
// builders read no further, whether or not the buffer holds a terminator.
constexpr size_t kDirectorySize = 260;

using CommandLine = char[kCommandLineSize];

// Appends `element` to the directory in `path`, with a backslash between them unless
// the path ends in one already (a slash doesn't count). An empty path gets the element
// alone. False if the result doesn't fit `size` bytes; path then holds what fits.
bool AppendPathElement(char* path, size_t size, const char* element);

// The builders fill `line` and return true when it is a whole line to hand over. False
// means it can't be started: it didn't fit, or (Explorer) the Windows directory is
// empty; `line` then holds as much of it as could be built, for the failure message.

// SETUP.EXE in the launcher's directory.
bool BuildSetupLine(CommandLine& line, const char* moduleDirectory);
// The demo installer at the root of the launcher's disc: `demoPath` (string 1007, in a
// buffer of kDemoPathSize bytes), or Norvane's Demos\Ravelcog\Setup.exe where it is
// empty. A path of more than kLongestDemoPath bytes may have been cut by its loading, so
// it is never started.
constexpr size_t kLongestDemoPath = 119;
constexpr size_t kDemoPathSize = kLongestDemoPath + 2;
bool BuildDemoSetupLine(CommandLine& line, const char* moduleDirectory, const char* demoPath);
// EXPLORER.EXE in the Windows directory, a space, then the root of the launcher's disc.
bool BuildExplorerLine(CommandLine& line, const char* windowsDirectory,
                       const char* moduleDirectory);

// The program and its parameters as the shell's start takes them apart: what the
// line's opening quotes enclose, or else its first word, and the rest of the line after
// the spaces that follow (empty if none). `parameters` points into `line`. A space or a
// quote is never the second byte of a double-byte character, so bytes are compared.
void SplitProgramAndParameters(const char* line, CommandLine& program, const char*& parameters);
