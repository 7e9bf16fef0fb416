#include "commands/launch_commands.h"

#include <windows.h>

#include "commands/command_lines.h"
#include "commands/failure_message.h"
#include "media/resource_ids.h"
#include "media/resource_strings.h"
#include "shell/launcher_state.h"
#include "shell/platform_seam.h"

namespace {

static_assert(sizeof state.moduleDirectory == kDirectorySize,
              "the command lines read the whole of the launcher's directory, no further");

// ERROR_ELEVATION_REQUIRED, which the cross compiler's headers lack.
constexpr DWORD kElevationRequired = 740;

enum class StartResult { Started, Declined, Failed };

// The start WinExec made (the line as given, shown normally, nothing inherited, the
// launcher's working directory), without waiting until the program is idle: an
// installer that unpacks for a while before its first window must not freeze the
// launcher. The launcher keeps no hold on what it started.
bool CreateProgramProcess(const CommandLine& line) {
  CommandLine writable;  // the platform may write into the line while it reads it
  lstrcpynA(writable, line, kCommandLineSize);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION started = {};
  if (!platform.createProcess(nullptr, writable, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &started))
    return false;
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

// A program that needs administrator rights can't be created from an unelevated
// launcher; the shell's start asks the user for them. A user who declines has chosen,
// and is not told that it failed.
StartResult StartWithConsent(const CommandLine& line) {
  CommandLine program;
  const char* parameters = nullptr;
  SplitProgramAndParameters(line, program, parameters);
  SHELLEXECUTEINFOA request = {};
  request.cbSize = sizeof request;
  request.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;  // failures are ours to report
  request.hwnd = state.pieceWindows[0];
  request.lpVerb = "runas";
  request.lpFile = program;
  request.lpParameters = parameters[0] != '\0' ? parameters : nullptr;
  request.nShow = SW_SHOWNORMAL;
  if (platform.shellExecute(&request)) return StartResult::Started;
  return GetLastError() == ERROR_CANCELLED ? StartResult::Declined : StartResult::Failed;
}

StartResult StartProgram(const CommandLine& line) {
  if (CreateProgramProcess(line)) return StartResult::Started;
  if (GetLastError() != kElevationRequired) return StartResult::Failed;
  return StartWithConsent(line);
}

// The command line is in the ANSI code page, the format and the caption in UTF-16 from
// the string table: the box shows them all through the wide-character functions.
void ReportFailedStart(const char* commandLine, UINT icon) {
  wchar_t format[kFailureFormatSize] = L"";
  LoadCheckedStringW(kLaunchFailureStringId, format, kFailureFormatSize);
  wchar_t wideLine[kCommandLineSize] = L"";
  MultiByteToWideChar(CP_ACP, 0, commandLine, -1, wideLine, kCommandLineSize);
  wideLine[kCommandLineSize - 1] = L'\0';
  wchar_t message[kMessageSize];
  FormatFailureMessage(message, format, wideLine);
  platform.messageBox(state.pieceWindows[0], message, state.windowTitle, icon);
}

// A line that couldn't be built whole is never handed over, only reported.
void StartOrReport(const CommandLine& line, bool built, UINT failureIcon) {
  if (built && StartProgram(line) != StartResult::Failed) return;
  ReportFailedStart(line, failureIcon);
}

// The Windows directory, or empty if the platform can't give it whole.
void ReadWindowsDirectory(char (&directory)[kDirectorySize]) {
  const UINT length = platform.getWindowsDirectory(directory, kDirectorySize);
  if (length == 0 || length >= kDirectorySize) directory[0] = '\0';
}

}  // namespace

void RunSetup() {
  CommandLine line;
  const bool built = BuildSetupLine(line, state.moduleDirectory);
  StartOrReport(line, built, MB_ICONERROR);
}

void RunDemoSetup() {
  CommandLine line;
  char demoPath[kDemoPathSize] = "";
  LoadCheckedString(kDemoPathStringId, demoPath, kDemoPathSize);
  const bool built = BuildDemoSetupLine(line, state.moduleDirectory, demoPath);
  StartOrReport(line, built, MB_ICONERROR);
}

void ExploreDisc() {
  char windowsDirectory[kDirectorySize];
  ReadWindowsDirectory(windowsDirectory);
  CommandLine line;
  const bool built = BuildExplorerLine(line, windowsDirectory, state.moduleDirectory);
  StartOrReport(line, built, MB_ICONWARNING);
}
