#include "commands/launch_commands.h"

#include <windows.h>

#include "commands/command_lines.h"
#include "commands/failure_message.h"
#include "media/resource_ids.h"
#include "media/resource_strings.h"
#include "shell/launcher_names.h"
#include "shell/launcher_state.h"
#include "shell/platform_seam.h"

namespace {

static_assert(sizeof state.moduleDirectory == kDirectorySize,
              "the command lines read the whole of the launcher's directory, no further");

// WinExec answers above 31 when the program started, an error code otherwise.
constexpr UINT kLastFailedStart = 31;

void ReportFailedStart(const char* commandLine, UINT icon) {
  char format[kFailureFormatSize] = "";
  LoadCheckedString(kLaunchFailureStringId, format, kFailureFormatSize - 1);
  char message[kMessageSize];
  FormatFailureMessage(message, format, commandLine);
  platform.messageBox(state.pieceWindows[0], message, kWindowTitle, icon);
}

// A line that couldn't be built whole is never handed over, only reported.
void StartOrReport(const CommandLine& line, bool built, UINT failureIcon) {
  if (built && platform.winExec(line, SW_SHOWNORMAL) > kLastFailedStart) return;
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
  const bool built = BuildDemoSetupLine(line, state.moduleDirectory);
  StartOrReport(line, built, MB_ICONERROR);
}

void ExploreDisc() {
  char windowsDirectory[kDirectorySize];
  ReadWindowsDirectory(windowsDirectory);
  CommandLine line;
  const bool built = BuildExplorerLine(line, windowsDirectory, state.moduleDirectory);
  StartOrReport(line, built, MB_ICONWARNING);
}
