#include "commands/command_lines.h"

#include <cstring>

#include "commands/ansi_text.h"
#include "commands/bounded_text.h"

namespace {

constexpr char kSetupName[] = "SETUP.EXE";
constexpr char kDemoSetupPath[] = "Demos\\Ravelcog\\Setup.exe";
constexpr char kExplorerName[] = "EXPLORER.EXE";

// Longest program paths: a full directory, a backslash and the name; a disc root is at
// most a full directory and a backslash ("X:\" for a drive).
constexpr size_t kLongestDirectory = kDirectorySize;
constexpr size_t kLongestRoot = kLongestDirectory + 1;
constexpr size_t kQuotes = 2;
constexpr size_t kLongestSetupLine = kQuotes + kLongestDirectory + 1 + sizeof kSetupName - 1;
constexpr size_t kLongestDemoLine = kQuotes + kLongestRoot + kLongestDemoPath;
constexpr size_t kLongestExplorerPath =
    kQuotes + kLongestDirectory + 1 + sizeof kExplorerName - 1;
constexpr size_t kLongestDriveRootArgument = kQuotes + 3;
static_assert(kLongestSetupLine < kCommandLineSize, "every installer line fits");
static_assert(kLongestDemoLine < kCommandLineSize, "every demo line fits");
static_assert(kLongestExplorerPath + 1 + kLongestDriveRootArgument < kCommandLineSize,
              "every Explorer line for a drive fits");
// Only Explorer with a network root of some hundred characters, in a Windows directory
// as long, can overflow; that line is refused rather than cut.

bool IsUncPath(const char* directory, size_t length) {
  return length >= 2 && directory[0] == '\\' && directory[1] == '\\';
}

// \\server\share\ for a network path; otherwise the drive root of the first character,
// as the launcher has always taken it.
void AppendDiscRoot(BoundedText& root, const char* directory) {
  const size_t length = BoundedLength(directory, kDirectorySize);
  if (length == 0) {
    root.Append('\\');  // no directory to go by: the current drive's root
    return;
  }
  if (!IsUncPath(directory, length)) {
    root.Append(directory[0]).Append(":\\");
    return;
  }
  const size_t serverEnd = BackslashAfter(directory, 2, length);
  const size_t shareEnd =
      serverEnd < length ? BackslashAfter(directory, serverEnd + 1, length) : length;
  root.Append(directory, shareEnd).Append('\\');
}

void AppendQuotedIfSpaced(BoundedText& line, const char* text) {
  const bool spaced = std::strchr(text, ' ') != nullptr;
  if (spaced) line.Append('"');
  line.Append(text);
  if (spaced) line.Append('"');
}

// The program's full path, quoted when needed, as the start of `line`; `directory` is
// read no further than `limit` bytes.
bool StartLineWithProgram(BoundedText& line, const char* directory, size_t limit,
                          const char* name) {
  CommandLine path;
  BoundedText(path, sizeof path).Append(directory, limit);
  const bool pathFits = AppendPathElement(path, sizeof path, name);
  AppendQuotedIfSpaced(line, path);
  return pathFits;
}

}  // namespace

bool AppendPathElement(char* path, size_t size, const char* element) {
  BoundedText extended(path, size, BoundedText::Start::AfterExisting);
  if (extended.Length() > 0 && !EndsInBackslash(extended.Text(), extended.Length()))
    extended.Append('\\');
  extended.Append(element);
  return extended.Fits();
}

bool BuildSetupLine(CommandLine& line, const char* moduleDirectory) {
  BoundedText text(line, sizeof line);
  const bool pathFits = StartLineWithProgram(text, moduleDirectory, kDirectorySize, kSetupName);
  return pathFits && text.Fits();
}

bool BuildDemoSetupLine(CommandLine& line, const char* moduleDirectory, const char* demoPath) {
  char path[kDemoPathSize];
  BoundedText(path, sizeof path).Append(demoPath, kDemoPathSize - 1);
  if (path[0] == '\0') BoundedText(path, sizeof path).Append(kDemoSetupPath);
  const size_t pathLength = BoundedLength(path, sizeof path);
  char root[kLongestRoot + 1];
  BoundedText rootText(root, sizeof root);
  AppendDiscRoot(rootText, moduleDirectory);
  BoundedText text(line, sizeof line);
  const bool pathFits = StartLineWithProgram(text, root, sizeof root, path);
  return pathLength <= kLongestDemoPath && pathFits && text.Fits();
}

bool BuildExplorerLine(CommandLine& line, const char* windowsDirectory,
                       const char* moduleDirectory) {
  char root[kLongestRoot + 1];
  BoundedText rootText(root, sizeof root);
  AppendDiscRoot(rootText, moduleDirectory);
  BoundedText text(line, sizeof line);
  const bool pathFits =
      StartLineWithProgram(text, windowsDirectory, kDirectorySize, kExplorerName);
  text.Append(' ');
  // A quoted root ends in \" ("\\server\my share\"): Explorer takes everything between
  // the quotes as the folder, it doesn't read the backslash as an escape.
  AppendQuotedIfSpaced(text, root);
  const bool knowsWindows = BoundedLength(windowsDirectory, kDirectorySize) > 0;
  return knowsWindows && pathFits && text.Fits();
}

void SplitProgramAndParameters(const char* line, CommandLine& program, const char*& parameters) {
  const size_t length = BoundedLength(line, kCommandLineSize);
  const bool quoted = length > 0 && line[0] == '"';
  const char end = quoted ? '"' : ' ';
  size_t at = quoted ? 1 : 0;
  const size_t start = at;
  while (at < length && line[at] != end) ++at;
  BoundedText(program, sizeof program).Append(line + start, at - start);
  if (quoted && at < length) ++at;  // the closing quote
  while (at < length && line[at] == ' ') ++at;
  parameters = line + at;
}
