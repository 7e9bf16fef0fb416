#pragma once
// The command lines of the three launch commands, and the folders they start in, built
// in fixed buffers from the launcher's directory (and, for Explorer, the Windows
// directory). Paths are wide-character strings, as the platform's wide functions give
// and take them: every path it can start the launcher from is held whole, in any code
// page, and a backslash is always a separator. Nothing here needs the platform.
//
// A program path that holds a space is put in double quotes, and so is the disc's root
// as Explorer's argument: unquoted, "C:\My Disc\SETUP.EXE" would first be tried as
// "C:\My.exe". A folder of the disc given to Explorer is quoted whatever it holds:
// Explorer also splits an unquoted argument at commas and equals signs.
//
// The disc's root is "X:\" with X the first character of the launcher's directory, or
// "\\server\share\" when the launcher runs from a network path.
#include <cstddef>

constexpr size_t kCommandLineSize = 384;
// The launcher's directory and the Windows directory live in buffers of this size (in
// characters, MAX_PATH); the builders read no further, whether or not the buffer holds a
// terminator.
constexpr size_t kDirectorySize = 260;

using CommandLine = wchar_t[kCommandLineSize];
// A folder a program starts in: the launcher's directory, the Windows directory, or the
// demo's folder below the disc's root.
using StartFolder = wchar_t[kCommandLineSize];

// Appends `element` to the directory in `path`, with a backslash between them unless
// the path ends in one already (a slash doesn't count). An empty path gets the element
// alone. False if the result doesn't fit `size` characters; path then holds what fits.
bool AppendPathElement(wchar_t* path, size_t size, const wchar_t* element);

// The builders fill `line` and return true when it is a whole line to hand over. False
// means it can't be started: it didn't fit, or (Explorer) the Windows directory is
// empty; `line` then holds as much of it as could be built, for the failure message.

// The line that starts the program at `discPath` (see BuildDiscPath), quoted where it
// holds a space, and the folder it starts in. Every program on the disc starts this way.
bool BuildProgramStart(CommandLine& line, StartFolder& folder, const wchar_t* moduleDirectory,
                       const wchar_t* discPath);

// The line that starts the program at `path`, a full path, quoted where it holds a space.
bool BuildProgramLine(CommandLine& line, const wchar_t* path);

// SETUP.EXE in the launcher's directory.
bool BuildSetupLine(CommandLine& line, const wchar_t* moduleDirectory);
// The demo installer at the root of the launcher's disc: `demoPath` (string 1007, in a
// buffer of kDemoPathSize characters), or Norvane's Demos\Ravelcog\Setup.exe where it is
// empty. A path of more than kLongestDemoPath characters may have been cut by its
// loading, so it is never started.
constexpr size_t kLongestDemoPath = 119;
constexpr size_t kDemoPathSize = kLongestDemoPath + 2;
bool BuildDemoSetupLine(CommandLine& line, const wchar_t* moduleDirectory,
                        const wchar_t* demoPath);
// EXPLORER.EXE in the Windows directory, a space, then the root of the launcher's disc.
bool BuildExplorerLine(CommandLine& line, const wchar_t* windowsDirectory,
                       const wchar_t* moduleDirectory);
// The same, on `folder` (zero-terminated, at most a command line's size) instead, which is
// quoted.
bool BuildExplorerLineOn(CommandLine& line, const wchar_t* windowsDirectory,
                         const wchar_t* folder);

// The full path of `discPath`, a path on the disc: from the disc's root where it begins
// with a backslash, else from the launcher's directory; and the folder it lies in. False
// if either doesn't fit.
bool BuildDiscPath(StartFolder& path, StartFolder& folder, const wchar_t* moduleDirectory,
                   const wchar_t* discPath);

// The demo installer's folder at the root of the launcher's disc (Demos\Ravelcog for
// Norvane's), where it starts as a shortcut's "Start in" would start it. False if it
// doesn't fit, or the demo path is too long to be started.
bool BuildDemoFolder(StartFolder& folder, const wchar_t* moduleDirectory,
                     const wchar_t* demoPath);

// The program and its parameters as the shell's start takes them apart: what the
// line's opening quotes enclose, or else its first word, and the rest of the line after
// the spaces that follow (empty if none). `parameters` points into `line`.
void SplitProgramAndParameters(const wchar_t* line, CommandLine& program,
                               const wchar_t*& parameters);
