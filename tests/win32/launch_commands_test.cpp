// The launch commands on Wine: the lines handed to the platform, the failure report,
// and real starts of our stand-in program.
#include "commands/launch_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher_fixture.h"

namespace {

using Log = std::vector<std::string>;

constexpr DWORD kElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED

std::string WindowsDirectory() {
  char directory[MAX_PATH] = "";
  GetWindowsDirectoryA(directory, MAX_PATH);
  return directory;
}

void SetModuleDirectory(const std::string& directory, bool whole = true) {
  MultiByteToWideChar(CP_ACP, 0, directory.c_str(), -1, state.moduleDirectory, MAX_PATH);
  state.moduleDirectoryWhole = whole;
}

// Sends command `id` to the launcher window as a button would and returns what the
// launcher asked of the platform. The launcher keeps no handle of what it started.
Log RunCommand(HWND launcher, int id, WORD notification = BN_CLICKED) {
  seam::launchLog.clear();
  EXPECT_EQ(1, SendMessageA(launcher, WM_COMMAND, MAKEWPARAM(id, notification), 0)) << id;
  EXPECT_EQ(0, seam::StartHandlesOpen()) << "handles of a started program left open";
  return seam::launchLog;
}

void ExpectStillRunning(HWND launcher) {
  EXPECT_TRUE(IsWindowVisible(launcher));
  EXPECT_TRUE(IsWindowEnabled(launcher));
  EXPECT_FALSE(PumpMessages()) << "the launcher stays open";
}

struct StartCase {
  int id;
  WORD notification;
  const char* moduleDirectory;
  // The exec entry, or none; {WINDIR} stands for the Windows directory. Each program
  // starts in its own folder, from the disc's root as from a folder on it.
  const char* started;
};

const StartCase kStartCases[] = {
    {201, BN_CLICKED, "D:\\SETUP", "exec D:\\SETUP\\SETUP.EXE in D:\\SETUP show 1"},
    {201, BN_CLICKED, "D:\\", "exec D:\\SETUP.EXE in D:\\ show 1"},
    {201, BN_CLICKED, "C:\\My Disc", "exec \"C:\\My Disc\\SETUP.EXE\" in C:\\My Disc show 1"},
    {202, BN_CLICKED, "E:\\ANY",
     "exec E:\\Demos\\Ravelcog\\Setup.exe in E:\\Demos\\Ravelcog show 1"},
    {202, BN_CLICKED, "E:\\",
     "exec E:\\Demos\\Ravelcog\\Setup.exe in E:\\Demos\\Ravelcog show 1"},
    {202, BN_CLICKED, "\\\\server\\share\\disc",
     "exec \\\\server\\share\\Demos\\Ravelcog\\Setup.exe in \\\\server\\share\\Demos\\Ravelcog show 1"},
    {203, BN_CLICKED, "E:\\", "exec {WINDIR}\\EXPLORER.EXE E:\\ in {WINDIR} show 1"},
    {203, BN_CLICKED, "E:\\ANY", "exec {WINDIR}\\EXPLORER.EXE E:\\ in {WINDIR} show 1"},
    {203, BN_CLICKED, "\\\\server\\our share\\disc",
     "exec {WINDIR}\\EXPLORER.EXE \"\\\\server\\our share\\\" in {WINDIR} show 1"},
    // The second click of a double-click: the first one has started the program.
    {201, BN_DOUBLECLICKED, "D:\\", nullptr},
    {202, BN_DOUBLECLICKED, "E:\\ANY", nullptr},
    {203, BN_DOUBLECLICKED, "E:\\", nullptr},
};

std::string WithWindowsDirectory(std::string entry) {
  const std::string placeholder = "{WINDIR}";
  for (size_t at; (at = entry.find(placeholder)) != std::string::npos;)
    entry.replace(at, placeholder.size(), WindowsDirectory());
  return entry;
}

TEST(LaunchCommands, EachCommandStartsItsProgramShownNormallyAndTheLauncherStaysOpen) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  for (const StartCase& c : kStartCases) {
    SCOPED_TRACE(std::to_string(c.id) + " from " + c.moduleDirectory);
    SetModuleDirectory(c.moduleDirectory);
    const Log expected = c.started ? Log{WithWindowsDirectory(c.started)} : Log{};
    EXPECT_EQ(expected, RunCommand(launcher, c.id, c.notification));
  }
  seam::soundLog.clear();
  EXPECT_EQ(2u, RunCommand(launcher, 201).size() + RunCommand(launcher, 201).size())
      << "two clicks, two starts";
  EXPECT_TRUE(seam::soundLog.empty()) << "a launch plays no sound of its own";
  ExpectStillRunning(launcher);
}

struct OutcomeCase {
  int id;
  DWORD execError;   // 0: the process is created
  DWORD shellError;  // 0: the shell starts it
  const char* moduleDirectory;
  Log expected;  // {WINDIR} stands for the Windows directory
};

const OutcomeCase kOutcomeCases[] = {
    // Not there, or not a program: reported at once, never retried through the shell.
    {201, ERROR_FILE_NOT_FOUND, 0, "D:\\SETUP",
     {"exec D:\\SETUP\\SETUP.EXE in D:\\SETUP show 1",
      "box launcher 0x10 Norvane CD Setup: Unable to execute D:\\SETUP\\SETUP.EXE"}},
    {202, ERROR_PATH_NOT_FOUND, 0, "E:\\ANY",
     {"exec E:\\Demos\\Ravelcog\\Setup.exe in E:\\Demos\\Ravelcog show 1",
      "box launcher 0x10 Norvane CD Setup: Unable to execute E:\\Demos\\Ravelcog\\Setup.exe"}},
    {203, ERROR_BAD_EXE_FORMAT, 0, "E:\\ANY",
     {"exec {WINDIR}\\EXPLORER.EXE E:\\ in {WINDIR} show 1",
      "box launcher 0x30 Norvane CD Setup: Unable to execute {WINDIR}\\EXPLORER.EXE E:\\"}},
    {201, 0, 0, "D:\\SETUP", {"exec D:\\SETUP\\SETUP.EXE in D:\\SETUP show 1"}},
    // The demo's folder isn't on the disc: the same box as for a missing demo.
    {202, ERROR_DIRECTORY, 0, "E:\\",
     {"exec E:\\Demos\\Ravelcog\\Setup.exe in E:\\Demos\\Ravelcog show 1",
      "box launcher 0x10 Norvane CD Setup: Unable to execute E:\\Demos\\Ravelcog\\Setup.exe"}},
    // Needs administrator rights: the shell asks the user for them, and starts it.
    {201, kElevationRequired, 0, "D:\\SETUP",
     {"exec D:\\SETUP\\SETUP.EXE in D:\\SETUP show 1", "shell runas D:\\SETUP\\SETUP.EXE in D:\\SETUP show 1"}},
    {203, kElevationRequired, 0, "E:\\",
     {"exec {WINDIR}\\EXPLORER.EXE E:\\ in {WINDIR} show 1",
      "shell runas {WINDIR}\\EXPLORER.EXE with E:\\ in {WINDIR} show 1"}},
    // The user declined: nothing to report.
    {201, kElevationRequired, ERROR_CANCELLED, "C:\\My Disc",
     {"exec \"C:\\My Disc\\SETUP.EXE\" in C:\\My Disc show 1",
      "shell runas C:\\My Disc\\SETUP.EXE in C:\\My Disc show 1"}},
    // The shell couldn't start it either: today's box.
    {202, kElevationRequired, ERROR_ACCESS_DENIED, "E:\\ANY",
     {"exec E:\\Demos\\Ravelcog\\Setup.exe in E:\\Demos\\Ravelcog show 1",
      "shell runas E:\\Demos\\Ravelcog\\Setup.exe in E:\\Demos\\Ravelcog show 1",
      "box launcher 0x10 Norvane CD Setup: Unable to execute E:\\Demos\\Ravelcog\\Setup.exe"}},
    {203, kElevationRequired, ERROR_FILE_NOT_FOUND, "E:\\ANY",
     {"exec {WINDIR}\\EXPLORER.EXE E:\\ in {WINDIR} show 1",
      "shell runas {WINDIR}\\EXPLORER.EXE with E:\\ in {WINDIR} show 1",
      "box launcher 0x30 Norvane CD Setup: Unable to execute {WINDIR}\\EXPLORER.EXE E:\\"}},
};

TEST(LaunchCommands, OnlyAStartThatFailedIsReportedOnceWithTheWholeLine) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  for (const OutcomeCase& c : kOutcomeCases) {
    SCOPED_TRACE(std::to_string(c.id) + " failing with " + std::to_string(c.execError) +
                 ", then " + std::to_string(c.shellError));
    SetModuleDirectory(c.moduleDirectory);
    seam::execError = c.execError;
    seam::shellError = c.shellError;
    Log expected;
    for (const std::string& entry : c.expected) expected.push_back(WithWindowsDirectory(entry));
    EXPECT_EQ(expected, RunCommand(launcher, c.id));
  }
  ExpectStillRunning(launcher);
}

TEST(LaunchCommands, WithoutAWindowsDirectoryExplorerIsReportedNotStarted) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  SetModuleDirectory("D:\\SETUP");
  seam::windowsDirectoryFails = true;
  const Log expected = {"box launcher 0x30 Norvane CD Setup: Unable to execute EXPLORER.EXE D:\\"};
  EXPECT_EQ(expected, RunCommand(launcher, 203));
  ExpectStillRunning(launcher);
}

// A module path the platform gave cut: its last backslash may be a folder's higher up, so
// nothing is started from it.
TEST(LaunchCommands, FromADirectoryNotKnownWholeNothingIsStarted) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  SetModuleDirectory("D:\\FOLDER\\CUT", false);
  const Log expected = {
      "box launcher 0x10 Norvane CD Setup: Unable to execute D:\\FOLDER\\CUT\\SETUP.EXE"};
  EXPECT_EQ(expected, RunCommand(launcher, 201));
  ExpectStillRunning(launcher);
}

// A folder of its own under the temporary directory, holding the folder "disc one";
// removed with everything in it at the end of the test.
class TempDisc {
 public:
  TempDisc() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    base_ = std::string(temp) + "launch-commands-" + std::to_string(GetCurrentProcessId());
    disc_ = base_ + "\\disc one";
    CreateDirectoryA(base_.c_str(), nullptr);
    CreateDirectoryA(disc_.c_str(), nullptr);
  }
  ~TempDisc() {
    for (const std::string& file : files_) {
      // A stand-in that has just written its record may still be on its way out.
      for (int tries = 0; tries < 100 && !DeleteFileA(file.c_str()); ++tries) Sleep(100);
    }
    RemoveDirectoryA(disc_.c_str());
    RemoveDirectoryA(base_.c_str());
  }
  TempDisc(const TempDisc&) = delete;
  TempDisc& operator=(const TempDisc&) = delete;

  // The folder with a space in its name.
  const std::string& Disc() const { return disc_; }
  std::string FileOnDisc(const char* name) { return Track(disc_ + "\\" + name); }
  // Beside "disc one": where an unquoted "...\disc one\SETUP.EXE" is looked for first.
  std::string FileBesideDisc(const char* name) { return Track(base_ + "\\" + name); }

 private:
  std::string Track(const std::string& file) {
    files_.push_back(file);
    return file;
  }
  std::string base_;
  std::string disc_;
  std::vector<std::string> files_;
};

std::string StubProgram() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory = path;
  return directory.substr(0, directory.find_last_of('\\') + 1) + LAUNCHER_STUB_FROM_TESTS;
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string text;
  char chunk[512];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
  CloseHandle(file);
  return text;
}

// The stand-ins' record lines, once `count` of them are complete (or after 60 s).
Log WaitForRecords(const std::string& path, size_t count) {
  Log lines;
  for (int tries = 0; tries < 600; ++tries) {
    lines.clear();
    const std::string text = ReadWholeFile(path);
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
      lines.push_back(text.substr(start, end - start));
    if (lines.size() >= count) break;
    Sleep(100);
  }
  return lines;
}

// A decoy disc.exe beside "disc one" would be started in the installer's place if the
// line weren't quoted.
TEST(LaunchCommandsForReal, SetupFromAFolderWithASpaceStartsWithTheQuotedLine) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  TempDisc disc;
  const std::string setup = disc.FileOnDisc("SETUP.EXE");
  const std::string records = disc.FileBesideDisc("records.txt");
  ASSERT_TRUE(CopyFileA(StubProgram().c_str(), setup.c_str(), FALSE)) << StubProgram();
  ASSERT_TRUE(CopyFileA(StubProgram().c_str(), disc.FileBesideDisc("disc.exe").c_str(), FALSE));
  SetEnvironmentVariableA("LAUNCHER_STUB_RECORD", records.c_str());
  SetModuleDirectory(disc.Disc());
  seam::execForReal = true;

  const std::string line = "\"" + setup + "\"";
  const Log started = {"exec " + line + " in " + disc.Disc() + " show 1"};
  EXPECT_EQ(started, RunCommand(launcher, 201));
  EXPECT_EQ(started, RunCommand(launcher, 201)) << "the second click starts it again";

  const std::string record = setup + "\t" + disc.Disc() + "\t" + line;
  EXPECT_EQ(Log({record, record}), WaitForRecords(records, 2));
  ExpectStillRunning(launcher);
}

TEST(LaunchCommandsForReal, AMissingInstallerIsReportedInOneBoxAndTheLauncherGoesOn) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  TempDisc disc;
  SetModuleDirectory(disc.Disc());
  seam::execForReal = true;

  const std::string line = "\"" + disc.Disc() + "\\SETUP.EXE\"";
  const Log expected = {"exec " + line + " in " + disc.Disc() + " show 1",
                        "box launcher 0x10 Norvane CD Setup: Unable to execute " + line};
  EXPECT_EQ(expected, RunCommand(launcher, 201));
  ExpectStillRunning(launcher);
  EXPECT_EQ(expected, RunCommand(launcher, 201)) << "and reports it again on the next click";
}

// Wine asks nobody for rights, so its shell starts the program: what this shows is that
// the launcher finds the shell's start in the system directory when it first needs it,
// and hands it the program the line names.
TEST(LaunchCommandsForReal, AnInstallerThatNeedsRightsIsStartedThroughTheShell) {
  HWND launcher = OpenLauncher();
  ASSERT_NE(nullptr, launcher);
  EXPECT_EQ(nullptr, GetModuleHandleA("shell32.dll")) << "loaded before it was needed";
  TempDisc disc;
  const std::string setup = disc.FileOnDisc("SETUP.EXE");
  const std::string records = disc.FileBesideDisc("records.txt");
  ASSERT_TRUE(CopyFileA(StubProgram().c_str(), setup.c_str(), FALSE)) << StubProgram();
  SetEnvironmentVariableA("LAUNCHER_STUB_RECORD", records.c_str());
  SetModuleDirectory(disc.Disc());
  seam::execError = kElevationRequired;
  seam::shellForReal = true;

  const std::string in = " in " + disc.Disc() + " show 1";
  const Log expected = {"exec \"" + setup + "\"" + in, "shell runas " + setup + in};
  EXPECT_EQ(expected, RunCommand(launcher, 201));
  const Log lines = WaitForRecords(records, 1);
  ASSERT_EQ(1u, lines.size());
  EXPECT_EQ(setup + "\t" + disc.Disc() + "\t", lines[0].substr(0, setup.size() + disc.Disc().size() + 2));
  EXPECT_NE(nullptr, GetModuleHandleA("shell32.dll"));
  ExpectStillRunning(launcher);
}

}  // namespace
