#include "commands/launch_commands.h"

#include <windows.h>

#include "buttons/button_table.h"
#include "commands/command_lines.h"
#include "commands/command_text.h"
#include "commands/failure_message.h"
#include "commands/installed_state.h"
#include "media/resource_ids.h"
#include "media/resource_strings.h"
#include "shell/launcher_state.h"
#include "shell/platform_seam.h"
#include "shell/started_programs.h"

namespace {

static_assert(sizeof state.moduleDirectory == kDirectorySize * sizeof(wchar_t),
              "the command lines read the whole of the launcher's directory, no further");

// ERROR_ELEVATION_REQUIRED, which the cross compiler's headers lack.
constexpr DWORD kElevationRequired = 740;

enum class StartResult { Started, Declined, Failed };

// The start WinExec made (the line as given, shown normally, nothing inherited), in the
// program's own folder, without waiting until the program is idle: an installer that
// unpacks for a while before its first window must not freeze the launcher. The launcher
// keeps no hold on what it started, but where it watches what is installed.
bool CreateProgramProcess(const CommandTarget& start) {
  CommandLine writable;  // the platform may write into the line while it reads it
  lstrcpynW(writable, start.line, kCommandLineSize);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started = {};
  if (!platform.createProcess(nullptr, writable, nullptr, nullptr, FALSE, 0, nullptr,
                              start.folder, &startup, &started))
    return false;
  CloseHandle(started.hThread);
  KeepStartedProgram(started.hProcess);
  return true;
}

// Failures are ours to report. Where the launcher watches what is installed, the shell
// hands back the process it started, where it starts one.
ULONG ShellStartMask() {
  const ULONG mask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  return state.watchesInstalled ? mask | SEE_MASK_NOCLOSEPROCESS : mask;
}

bool ShellStart(SHELLEXECUTEINFOW& request) {
  if (!platform.shellExecute(&request)) return false;
  KeepStartedProgram(request.hProcess);
  return true;
}

// A program that needs administrator rights can't be created from an unelevated
// launcher; the shell's start asks the user for them. A user who declines has chosen,
// and is not told that it failed.
StartResult StartWithConsent(const CommandTarget& start) {
  CommandLine program;
  const wchar_t* parameters = nullptr;
  SplitProgramAndParameters(start.line, program, parameters);
  SHELLEXECUTEINFOW request = {};
  request.cbSize = sizeof request;
  request.fMask = ShellStartMask();
  request.hwnd = state.pieceWindows[0];
  request.lpVerb = L"runas";
  request.lpFile = program;
  request.lpParameters = parameters[0] != L'\0' ? parameters : nullptr;
  request.lpDirectory = start.folder;
  request.nShow = SW_SHOWNORMAL;
  if (ShellStart(request)) return StartResult::Started;
  return GetLastError() == ERROR_CANCELLED ? StartResult::Declined : StartResult::Failed;
}

StartResult StartProgram(const CommandTarget& start) {
  if (CreateProgramProcess(start)) return StartResult::Started;
  if (GetLastError() != kElevationRequired) return StartResult::Failed;
  return StartWithConsent(start);
}

// The format and the caption come from the string table in UTF-16 and the line is in
// wide characters: the box shows them all whole, in any language and code page.
// In a right-to-left language the box reads, and is aligned, right to left.
void ReportFailedStart(const wchar_t* line, UINT icon) {
  wchar_t format[kFailureFormatSize] = L"";
  LoadCheckedStringW(kLaunchFailureStringId, format, kFailureFormatSize);
  wchar_t message[kMessageSize];
  FormatFailureMessage(message, format, line);
  const UINT reading = ReadsRightToLeft(state.language) ? MB_RTLREADING | MB_RIGHT : 0;
  platform.messageBox(state.pieceWindows[0], message, state.windowTitle, icon | reading);
}

// A line that couldn't be built whole, or from a directory not known whole, is never
// handed over, only reported.
void StartOrReport(const CommandTarget& start, bool built, UINT failureIcon) {
  const bool whole = built && state.moduleDirectoryWhole;
  if (whole && StartProgram(start) != StartResult::Failed) return;
  ReportFailedStart(start.line, failureIcon);
}

// The Windows directory, or empty if the platform can't give it whole.
void ReadWindowsDirectory(wchar_t (&directory)[kDirectorySize]) {
  const UINT length = platform.getWindowsDirectory(directory, kDirectorySize);
  if (length == 0 || length >= kDirectorySize) directory[0] = L'\0';
}

void ReadSystemDirectory(wchar_t (&directory)[kDirectorySize]) {
  const UINT length = GetSystemDirectoryW(directory, kDirectorySize);
  if (length == 0 || length >= kDirectorySize) directory[0] = L'\0';
}

constexpr int kFirstCommandStringId = 1008;  // the commands of buttons 201 to 203

int OwnCommandStringIdOf(int id) {
  return id < kFirstOwnEntryId ? kFirstCommandStringId + id - kRunSetupId
                               : kFirstOwnCommandStringId + id - kFirstOwnEntryId;
}

// The command of the current state: while installed, the installed one where the brand
// gives it.
CommandSet LoadCommandText(int id, wchar_t (&text)[kCommandTextSize]) {
  const int installed = kFirstInstalledCommandStringId + id - kRunSetupId;
  if (state.installed && LoadCheckedStringW(installed, text, kCommandTextSize) > 0)
    return CommandSet::Installed;
  LoadCheckedStringW(OwnCommandStringIdOf(id), text, kCommandTextSize);
  return CommandSet::Entry;
}

// A brand's own entry has no command of Norvane's to fall back on: without its command it
// starts nothing, and the box names the entry.
void ReportEntryWithoutCommand(int id) {
  wchar_t name[kButtonNameSize] = L"";
  LoadStateString(NameStringIdOf(id), InstalledNameStringIdOf(id), name, kButtonNameSize);
  ReportFailedStart(name, MB_ICONERROR);
}

// A document opened with the user's program for its type, or an address in the user's
// browser: the shell's start with its default verb. The shell's own boxes stay shut; the
// launcher's names the target.
void OpenOrReport(const CommandTarget& target, bool built) {
  SHELLEXECUTEINFOW request = {};
  request.cbSize = sizeof request;
  request.fMask = ShellStartMask();
  request.hwnd = state.pieceWindows[0];
  request.lpFile = target.line;
  request.lpDirectory = target.folder[0] != L'\0' ? target.folder : nullptr;
  request.nShow = SW_SHOWNORMAL;
  const bool whole = built && state.moduleDirectoryWhole;
  if (whole && (ShellStart(request) || GetLastError() == ERROR_CANCELLED)) return;
  ReportFailedStart(target.line, MB_ICONERROR);
}

// The program or Explorer started, the document or address opened, or the command that
// can't be carried out reported.
void CarryOut(const CommandTarget& target, bool built) {
  if (target.kind == CommandKind::Open || target.kind == CommandKind::Web)
    return OpenOrReport(target, built);
  // Explorer warns, as the disc's own browse always has; everything else is an error.
  StartOrReport(target, built, target.kind == CommandKind::Browse ? MB_ICONWARNING : MB_ICONERROR);
}

bool BuildButtonsOwnTarget(CommandTarget& target, int id, const wchar_t* windowsDirectory) {
  wchar_t demoPath[kDemoPathSize] = L"";
  LoadCheckedStringW(kDemoPathStringId, demoPath, kDemoPathSize);
  return BuildTodaysTarget(target, static_cast<TodaysCommand>(id - kRunSetupId), demoPath,
                           state.moduleDirectory, windowsDirectory);
}

bool BuildBrandsTarget(CommandTarget& target, const wchar_t* text,
                       const wchar_t* windowsDirectory, CommandSet set) {
  wchar_t systemDirectory[kDirectorySize];
  ReadSystemDirectory(systemDirectory);
  MachineSources machine;
  if (set == CommandSet::Installed) ReadMachineSources(machine);
  return BuildCommandTarget(target, text, state.moduleDirectory, windowsDirectory,
                            systemDirectory,
                            set == CommandSet::Installed ? &machine.sources : nullptr);
}

}  // namespace

void RunButtonCommand(int id) {
  wchar_t text[kCommandTextSize];
  const CommandSet set = LoadCommandText(id, text);
  const CommandKind kind = CommandKindOf(text, set);
  if (kind == CommandKind::None) return;
  if (kind == CommandKind::Today && id >= kFirstOwnEntryId) return ReportEntryWithoutCommand(id);
  wchar_t windowsDirectory[kDirectorySize];
  ReadWindowsDirectory(windowsDirectory);
  CommandTarget target;
  const bool built = kind == CommandKind::Today
                         ? BuildButtonsOwnTarget(target, id, windowsDirectory)
                         : BuildBrandsTarget(target, text, windowsDirectory, set);
  CarryOut(target, built);
}

void LeaveOutAbsentButtons() {
  for (ButtonRecord& row : buttonTable) {
    if (!row.enabled || row.id == kExitButtonId) continue;
    wchar_t text[kCommandTextSize];
    LoadCheckedStringW(OwnCommandStringIdOf(row.id), text, kCommandTextSize);
    if (CommandKindOf(text) == CommandKind::None) row.enabled = 0;
  }
}
