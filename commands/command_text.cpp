#include "commands/command_text.h"

#include <cwchar>

#include "commands/bounded_text.h"

namespace {

constexpr wchar_t kMsiexecName[] = L"msiexec.exe";

// A button can't come or go while the launcher is open: `none` is an entry's own only.
enum class Allowed { Always, EntryOnly, InstalledOnly };

struct Keyword {
  const wchar_t* word;
  CommandKind kind;
  bool takesArgument;
  bool needsArgument;
  Allowed allowed;
};

constexpr Keyword kKeywords[] = {
    {L"run", CommandKind::Run, true, true, Allowed::Always},
    {L"open", CommandKind::Open, true, true, Allowed::Always},
    {L"web", CommandKind::Web, true, true, Allowed::Always},
    {L"browse", CommandKind::Browse, true, false, Allowed::Always},
    {L"none", CommandKind::None, false, false, Allowed::EntryOnly},
    {L"start", CommandKind::Start, true, true, Allowed::InstalledOnly},
    {L"remove", CommandKind::Remove, false, false, Allowed::InstalledOnly},
};

bool AllowedIn(const Keyword& keyword, CommandSet set) {
  if (keyword.allowed == Allowed::Always) return true;
  return (keyword.allowed == Allowed::InstalledOnly) == (set == CommandSet::Installed);
}

wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool StartsWithIgnoringCase(const wchar_t* text, const wchar_t* prefix) {
  for (; *prefix != L'\0'; ++text, ++prefix) {
    if (Lower(*text) != *prefix) return false;
  }
  return true;
}

bool EndsWithIgnoringCase(const wchar_t* text, size_t length, const wchar_t* suffix) {
  const size_t suffixLength = std::wcslen(suffix);
  return length >= suffixLength && StartsWithIgnoringCase(text + length - suffixLength, suffix);
}

// A path on the disc: names without the characters Windows refuses in them, nor the
// spaces and dots it drops from their ends, separated by single backslashes, none of them
// "..", with at most one backslash before the first.
bool IsDiscPath(const wchar_t* path) {
  if (*path == L'\\') ++path;
  const wchar_t* name = path;
  for (const wchar_t* at = path;; ++at) {
    const wchar_t c = *at;
    if (c == L'\\' || c == L'\0') {
      if (at == name || *name == L' ' || at[-1] == L' ' || at[-1] == L'.') return false;
      if (c == L'\0') return true;
      name = at + 1;
      continue;
    }
    if (c < 0x20 || std::wcschr(L"<>:\"/|?*", c) != nullptr) return false;
  }
}

bool IsHostCharacter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
         c == L'-' || c == L'.';
}

// https://, a host of letters, digits, dots and hyphens, an optional port, then the end
// or a path, query or fragment; no spaces, quotes, backslashes or control characters
// anywhere, so that every browser reads the same host.
bool IsWebAddress(const wchar_t* url) {
  for (const wchar_t* at = url; *at != L'\0'; ++at) {
    if (*at <= 0x20 || *at == L'"' || *at == L'\\' || *at == 0x7f) return false;
  }
  if (!StartsWithIgnoringCase(url, L"https://")) return false;
  const wchar_t* at = url + 8;
  const wchar_t* host = at;
  while (IsHostCharacter(*at)) ++at;
  if (at == host || *host == L'.' || *host == L'-') return false;
  if (*at == L':') {
    const wchar_t* port = ++at;
    while (*at >= L'0' && *at <= L'9') ++at;
    if (at == port || at - port > 5) return false;
  }
  return *at == L'\0' || *at == L'/' || *at == L'?' || *at == L'#';
}

// The argument after the keyword and its one space, or null where there is none.
const wchar_t* ArgumentOf(const wchar_t* text, const Keyword& keyword) {
  const size_t wordLength = std::wcslen(keyword.word);
  return text[wordLength] == L' ' ? text + wordLength + 1 : nullptr;
}

// A program under a known folder, never on the disc.
bool IsFolderProgram(const wchar_t* argument) {
  KnownFolder folder;
  const wchar_t* rest = nullptr;
  return ParseFolderPath(argument, folder, rest) &&
         EndsWithIgnoringCase(argument, std::wcslen(argument), L".exe");
}

CommandKind KindWithArgument(CommandKind kind, const wchar_t* argument) {
  if (kind == CommandKind::Web) return IsWebAddress(argument) ? kind : CommandKind::Malformed;
  if (kind == CommandKind::Start) return IsFolderProgram(argument) ? kind : CommandKind::Malformed;
  if (!IsDiscPath(argument)) return CommandKind::Malformed;
  if (kind != CommandKind::Run) return kind;
  const size_t length = std::wcslen(argument);
  if (EndsWithIgnoringCase(argument, length, L".exe")) return CommandKind::Run;
  if (EndsWithIgnoringCase(argument, length, L".msi")) return CommandKind::RunPackage;
  return CommandKind::Malformed;
}

// What follows the keyword's space; an empty string for a command without one.
const wchar_t* ArgumentOfKind(const wchar_t* text) {
  const wchar_t* space = std::wcschr(text, L' ');
  return space != nullptr ? space + 1 : L"";
}

// msiexec.exe of the system directory, quoted, then the action and its argument.
bool BuildMsiexecLine(CommandTarget& target, const wchar_t* systemDirectory,
                      const wchar_t* action, const wchar_t* argument, const wchar_t* end) {
  StartFolder msiexec;
  WideBoundedText(msiexec, kCommandLineSize).Append(systemDirectory, kDirectorySize);
  const bool programFits = AppendPathElement(msiexec, kCommandLineSize, kMsiexecName);
  WideBoundedText line(target.line, kCommandLineSize);
  line.Append(L'"').Append(msiexec).Append(L"\" ").Append(action).Append(argument).Append(end);
  const bool knowsSystem = BoundedLength(systemDirectory, kDirectorySize) > 0;
  return knowsSystem && programFits && line.Fits();
}

bool BuildPackageLine(CommandTarget& target, const wchar_t* package,
                      const wchar_t* systemDirectory) {
  return BuildMsiexecLine(target, systemDirectory, L"/i \"", package, L"\"");
}

// The folder holding the program: up to its last backslash, which a drive root keeps.
size_t ProgramFolderLength(const wchar_t* path) {
  const wchar_t* last = std::wcsrchr(path, L'\\');
  const size_t length = last != nullptr ? static_cast<size_t>(last - path) : 0;
  return length > 0 && path[length - 1] == L':' ? length + 1 : length;
}

// A program under a known folder, in its own folder. One the machine's folders can't hold
// is named in the box as the command gives it.
bool BuildFolderProgramTarget(CommandTarget& target, const wchar_t* folderPath,
                              const InstalledSources& installed) {
  KnownFolder folder = KnownFolder::ProgramFiles;
  const wchar_t* rest = L"";
  ParseFolderPath(folderPath, folder, rest);
  wchar_t known[kDirectorySize] = L"";
  installed.knownFolder(folder, known);
  StartFolder program;
  if (!JoinKnownFolder(program, kDirectorySize, known, rest)) {
    WideBoundedText(target.line, kCommandLineSize).Append(folderPath);
    return false;
  }
  WideBoundedText(target.folder, kCommandLineSize).Append(program, ProgramFolderLength(program));
  return BuildProgramLine(target.line, program);
}

// The length of an unquoted line's program where its path holds a space: up to the first
// ".exe" that ends a word; else 0. CreateProcess finds such a program by trying each space
// in turn, but the shell's start, which asks for rights, takes it apart at the first.
size_t SpacedProgramLength(const wchar_t* line) {
  if (line[0] == L'"') return 0;
  for (const wchar_t* at = line; *at != L'\0'; ++at) {
    if (!StartsWithIgnoringCase(at, L".exe")) continue;
    if (at[4] == L'\0' || at[4] == L' ') {
      const size_t length = static_cast<size_t>(at + 4 - line);
      return std::wmemchr(line, L' ', length) != nullptr ? length : 0;
    }
  }
  return 0;
}

// The product's own uninstaller, its program quoted where its path holds a space.
void AppendUninstallLine(WideBoundedText& line, const wchar_t* uninstall) {
  const size_t program = SpacedProgramLength(uninstall);
  if (program == 0) {
    line.Append(uninstall);
    return;
  }
  line.Append(L'"').Append(uninstall, program).Append(L'"').Append(uninstall + program);
}

// Windows Installer's removal of the product, else the product's own uninstaller; the box
// names the command where there is neither.
bool BuildRemovalTarget(CommandTarget& target, const wchar_t* text,
                        const wchar_t* systemDirectory, const InstalledSources& installed) {
  WideBoundedText(target.folder, kCommandLineSize).Append(systemDirectory, kDirectorySize);
  if (installed.productCode != nullptr)
    return BuildMsiexecLine(target, systemDirectory, L"/x ", installed.productCode, L"");
  const wchar_t* own = installed.uninstallString;
  WideBoundedText line(target.line, kCommandLineSize);
  if (own != nullptr && own[0] != L'\0') AppendUninstallLine(line, own);
  else line.Append(text);
  const bool knowsSystem = BoundedLength(systemDirectory, kDirectorySize) > 0;
  return own != nullptr && own[0] != L'\0' && line.Fits() && knowsSystem;
}

// Explorer starts in the Windows directory, as the disc's own browse always did; on the
// disc's root for an empty `folder`.
bool BuildBrowseTarget(CommandTarget& target, const wchar_t* folder,
                       const wchar_t* moduleDirectory, const wchar_t* windowsDirectory) {
  WideBoundedText(target.folder, kCommandLineSize).Append(windowsDirectory, kDirectorySize);
  if (folder[0] == L'\0') return BuildExplorerLine(target.line, windowsDirectory, moduleDirectory);
  StartFolder path;
  StartFolder unused;
  const bool pathFits = BuildDiscPath(path, unused, moduleDirectory, folder);
  return BuildExplorerLineOn(target.line, windowsDirectory, path) && pathFits;
}

void ClearTarget(CommandTarget& target, CommandKind kind) {
  target.kind = kind;
  target.line[0] = L'\0';
  target.folder[0] = L'\0';
}

}  // namespace

CommandKind CommandKindOf(const wchar_t* text, CommandSet set) {
  const size_t length = BoundedLength(text, kCommandTextSize);
  if (length == 0) return CommandKind::Today;
  if (length > kLongestCommandText) return CommandKind::Malformed;
  for (const Keyword& keyword : kKeywords) {
    if (std::wcsncmp(text, keyword.word, std::wcslen(keyword.word)) != 0) continue;
    if (!AllowedIn(keyword, set)) return CommandKind::Malformed;
    const wchar_t* argument = ArgumentOf(text, keyword);
    const wchar_t end = text[std::wcslen(keyword.word)];
    if (end == L'\0' && !keyword.needsArgument) return keyword.kind;
    if (argument == nullptr || !keyword.takesArgument) return CommandKind::Malformed;
    return KindWithArgument(keyword.kind, argument);
  }
  return CommandKind::Malformed;
}

bool BuildCommandTarget(CommandTarget& target, const wchar_t* text,
                        const wchar_t* moduleDirectory, const wchar_t* windowsDirectory,
                        const wchar_t* systemDirectory, const InstalledSources* installed) {
  ClearTarget(target, CommandKindOf(text, installed != nullptr ? CommandSet::Installed
                                                                : CommandSet::Entry));
  const wchar_t* argument = ArgumentOfKind(text);
  switch (target.kind) {
    case CommandKind::Run:
      return BuildProgramStart(target.line, target.folder, moduleDirectory, argument);
    case CommandKind::RunPackage: {
      StartFolder path;
      const bool pathFits = BuildDiscPath(path, target.folder, moduleDirectory, argument);
      return BuildPackageLine(target, path, systemDirectory) && pathFits;
    }
    case CommandKind::Open:
      return BuildDiscPath(target.line, target.folder, moduleDirectory, argument);
    case CommandKind::Web:
      WideBoundedText(target.line, kCommandLineSize).Append(argument);
      return true;
    case CommandKind::Browse:
      return BuildBrowseTarget(target, argument, moduleDirectory, windowsDirectory);
    case CommandKind::Start:
      return BuildFolderProgramTarget(target, argument, *installed);
    case CommandKind::Remove:
      return BuildRemovalTarget(target, text, systemDirectory, *installed);
    case CommandKind::Malformed:
      WideBoundedText(target.line, kCommandLineSize).Append(text, kLongestCommandText);
      return false;
    case CommandKind::Today:
    case CommandKind::None:
      break;
  }
  return false;
}

bool BuildTodaysTarget(CommandTarget& target, TodaysCommand command, const wchar_t* demoPath,
                       const wchar_t* moduleDirectory, const wchar_t* windowsDirectory) {
  ClearTarget(target, command == TodaysCommand::ExploreDisc ? CommandKind::Browse
                                                            : CommandKind::Run);
  switch (command) {
    case TodaysCommand::Setup:
      WideBoundedText(target.folder, kCommandLineSize).Append(moduleDirectory, kDirectorySize);
      return BuildSetupLine(target.line, moduleDirectory);
    case TodaysCommand::DemoSetup:
      return BuildDemoSetupLine(target.line, moduleDirectory, demoPath) &&
             BuildDemoFolder(target.folder, moduleDirectory, demoPath);
    case TodaysCommand::ExploreDisc:
      return BuildBrowseTarget(target, L"", moduleDirectory, windowsDirectory);
  }
  return false;
}
