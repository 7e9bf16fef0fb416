#include "commands/command_lines.h"

#include <cwchar>

#include "commands/bounded_text.h"

namespace {

constexpr wchar_t kSetupName[] = L"SETUP.EXE";
constexpr wchar_t kNorvaneDemoPath[] = L"Demos\\Ravelcog\\Setup.exe";
constexpr wchar_t kExplorerName[] = L"EXPLORER.EXE";

// Longest program paths: a full directory, a backslash and the name; a disc root is at
// most a full directory and a backslash ("X:\" for a drive).
constexpr size_t kLongestDirectory = kDirectorySize;
constexpr size_t kLongestRoot = kLongestDirectory + 1;
constexpr size_t kQuotes = 2;
constexpr size_t kLongestSetupLine = kQuotes + kLongestDirectory + 1 + sizeof kSetupName / 2;
constexpr size_t kLongestDemoLine = kQuotes + kLongestRoot + kLongestDemoPath;
constexpr size_t kLongestExplorerPath = kQuotes + kLongestDirectory + 1 + sizeof kExplorerName / 2;
constexpr size_t kLongestDriveRootArgument = kQuotes + 3;
static_assert(kLongestSetupLine < kCommandLineSize, "every installer line fits");
static_assert(kLongestDemoLine < kCommandLineSize, "every demo line fits");
static_assert(kLongestExplorerPath + 1 + kLongestDriveRootArgument < kCommandLineSize,
              "every Explorer line for a drive fits");
// Only Explorer with a network root of some hundred characters, in a Windows directory
// as long, can overflow; that line is refused rather than cut.

bool IsUncPath(const wchar_t* directory, size_t length) {
  return length >= 2 && directory[0] == L'\\' && directory[1] == L'\\';
}

size_t BackslashAfter(const wchar_t* text, size_t from, size_t length) {
  while (from < length && text[from] != L'\\') ++from;
  return from;
}

// \\server\share\ for a network path; otherwise the drive root of the first character,
// as the launcher has always taken it.
void AppendDiscRoot(WideBoundedText& root, const wchar_t* directory) {
  const size_t length = BoundedLength(directory, kDirectorySize);
  if (length == 0) {
    root.Append(L'\\');  // no directory to go by: the current drive's root
    return;
  }
  if (!IsUncPath(directory, length)) {
    root.Append(directory[0]).Append(L":\\");
    return;
  }
  const size_t serverEnd = BackslashAfter(directory, 2, length);
  const size_t shareEnd =
      serverEnd < length ? BackslashAfter(directory, serverEnd + 1, length) : length;
  root.Append(directory, shareEnd).Append(L'\\');
}

enum class Quoting { IfSpaced, Always };

void AppendQuoted(WideBoundedText& line, const wchar_t* text, Quoting quoting) {
  const bool quoted = quoting == Quoting::Always || std::wcschr(text, L' ') != nullptr;
  if (quoted) line.Append(L'"');
  line.Append(text);
  if (quoted) line.Append(L'"');
}

// The program's full path, quoted when needed, as the start of `line`; `directory` is
// read no further than `limit` characters.
bool StartLineWithProgram(WideBoundedText& line, const wchar_t* directory, size_t limit,
                          const wchar_t* name) {
  CommandLine path;
  WideBoundedText(path, kCommandLineSize).Append(directory, limit);
  const bool pathFits = AppendPathElement(path, kCommandLineSize, name);
  AppendQuoted(line, path, Quoting::IfSpaced);
  return pathFits;
}

// The demo installer's path from the disc's root, led by the backslash that says so:
// `demoPath` as far as its buffer goes, or Norvane's where it is empty. False when it is
// longer than a path the launcher takes whole.
bool TakeDemoPath(StartFolder& path, const wchar_t* demoPath) {
  WideBoundedText text(path, kCommandLineSize);
  text.Append(L'\\').Append(demoPath, kDemoPathSize - 1);
  if (text.Length() == 1) text.Append(kNorvaneDemoPath);
  return text.Length() - 1 <= kLongestDemoPath;
}

// The length of the folders before the path's file name, without the backslash after
// them: none for a program at the disc's root.
size_t FolderLength(const wchar_t* path) {
  const wchar_t* lastBackslash = std::wcsrchr(path, L'\\');
  return lastBackslash != nullptr ? static_cast<size_t>(lastBackslash - path) : 0;
}

bool BuildExplorerLineQuoting(CommandLine& line, const wchar_t* windowsDirectory,
                              const wchar_t* folder, Quoting quoting) {
  WideBoundedText text(line, kCommandLineSize);
  const bool pathFits =
      StartLineWithProgram(text, windowsDirectory, kDirectorySize, kExplorerName);
  text.Append(L' ');
  // A quoted root ends in \" ("\\server\my share\"): Explorer takes everything between
  // the quotes as the folder, it doesn't read the backslash as an escape.
  AppendQuoted(text, folder, quoting);
  const bool knowsWindows = BoundedLength(windowsDirectory, kDirectorySize) > 0;
  return knowsWindows && pathFits && text.Fits();
}

bool BuildDemoStart(CommandLine& line, StartFolder& folder, const wchar_t* moduleDirectory,
                    const wchar_t* demoPath) {
  StartFolder path;
  const bool pathWhole = TakeDemoPath(path, demoPath);
  return BuildProgramStart(line, folder, moduleDirectory, path) && pathWhole;
}

}  // namespace

bool AppendPathElement(wchar_t* path, size_t size, const wchar_t* element) {
  WideBoundedText extended(path, size, WideBoundedText::Start::AfterExisting);
  const size_t length = extended.Length();
  if (length > 0 && path[length - 1] != L'\\') extended.Append(L'\\');
  extended.Append(element);
  return extended.Fits();
}

bool BuildProgramStart(CommandLine& line, StartFolder& folder, const wchar_t* moduleDirectory,
                       const wchar_t* discPath) {
  StartFolder path;
  const bool pathFits = BuildDiscPath(path, folder, moduleDirectory, discPath);
  return BuildProgramLine(line, path) && pathFits;
}

bool BuildProgramLine(CommandLine& line, const wchar_t* path) {
  WideBoundedText text(line, kCommandLineSize);
  AppendQuoted(text, path, Quoting::IfSpaced);
  return text.Fits();
}

bool BuildSetupLine(CommandLine& line, const wchar_t* moduleDirectory) {
  StartFolder folder;
  return BuildProgramStart(line, folder, moduleDirectory, kSetupName);
}

bool BuildDemoSetupLine(CommandLine& line, const wchar_t* moduleDirectory,
                        const wchar_t* demoPath) {
  StartFolder folder;
  return BuildDemoStart(line, folder, moduleDirectory, demoPath);
}

bool BuildDemoFolder(StartFolder& folder, const wchar_t* moduleDirectory,
                     const wchar_t* demoPath) {
  CommandLine line;
  return BuildDemoStart(line, folder, moduleDirectory, demoPath);
}

bool BuildExplorerLine(CommandLine& line, const wchar_t* windowsDirectory,
                       const wchar_t* moduleDirectory) {
  wchar_t root[kLongestRoot + 1];
  WideBoundedText rootText(root, kLongestRoot + 1);
  AppendDiscRoot(rootText, moduleDirectory);
  return BuildExplorerLineQuoting(line, windowsDirectory, root, Quoting::IfSpaced);
}

bool BuildExplorerLineOn(CommandLine& line, const wchar_t* windowsDirectory,
                         const wchar_t* folder) {
  return BuildExplorerLineQuoting(line, windowsDirectory, folder, Quoting::Always);
}

bool BuildDiscPath(StartFolder& path, StartFolder& folder, const wchar_t* moduleDirectory,
                   const wchar_t* discPath) {
  WideBoundedText base(folder, kCommandLineSize);
  const bool fromRoot = discPath[0] == L'\\';
  if (fromRoot)
    AppendDiscRoot(base, moduleDirectory);
  else
    base.Append(moduleDirectory, kDirectorySize);
  const wchar_t* rest = fromRoot ? discPath + 1 : discPath;
  StartFolder subfolder;
  WideBoundedText(subfolder, kCommandLineSize).Append(rest, FolderLength(rest));
  WideBoundedText(path, kCommandLineSize).Append(folder);
  const bool pathFits = rest[0] == L'\0' || AppendPathElement(path, kCommandLineSize, rest);
  const bool folderFits =
      subfolder[0] == L'\0' || AppendPathElement(folder, kCommandLineSize, subfolder);
  return base.Fits() && pathFits && folderFits;
}

void SplitProgramAndParameters(const wchar_t* line, CommandLine& program,
                               const wchar_t*& parameters) {
  const size_t length = BoundedLength(line, kCommandLineSize);
  const bool quoted = length > 0 && line[0] == L'"';
  const wchar_t end = quoted ? L'"' : L' ';
  size_t at = quoted ? 1 : 0;
  const size_t start = at;
  while (at < length && line[at] != end) ++at;
  WideBoundedText(program, kCommandLineSize).Append(line + start, at - start);
  if (quoted && at < length) ++at;  // the closing quote
  while (at < length && line[at] == L' ') ++at;
  parameters = line + at;
}
