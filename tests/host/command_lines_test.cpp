#include "commands/command_lines.h"
#include "commands/command_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "shell/strip_file_name.h"

namespace {

// A buffer of exactly `Size` bytes on the heap, so that AddressSanitizer catches a
// single byte written or read past it.
template <size_t Size>
struct ExactBuffer {
  std::unique_ptr<wchar_t[][Size]> storage{new wchar_t[1][Size]};
  wchar_t (&chars())[Size] { return storage[0]; }
};

// A directory buffer of its full size holding `text`, unterminated if it fills it.
ExactBuffer<kDirectorySize> Directory(const std::wstring& text) {
  ExactBuffer<kDirectorySize> d;
  std::wmemset(d.chars(), 0, kDirectorySize);
  std::wmemcpy(d.chars(), text.data(), std::min(text.size(), kDirectorySize));
  return d;
}

// The wide characters of a UTF-8 text: a continuation byte adds its six bits to the last.
std::wstring FromUtf8(const std::string& utf8) {
  std::wstring wide;
  for (const unsigned char c : utf8) {
    if ((c & 0xC0) == 0x80) wide.back() = static_cast<wchar_t>(wide.back() << 6 | (c & 0x3F));
    else wide += static_cast<wchar_t>(c < 0x80 ? c : c & 0x3F >> (1 + (c >= 0xE0) + (c >= 0xF0)));
  }
  return wide;
}

struct AppendCase {
  const wchar_t* path;
  const wchar_t* result;
};

constexpr AppendCase kAppendCases[] = {
    {L"D:\\SETUP", L"D:\\SETUP\\SETUP.EXE"},
    {L"D:\\", L"D:\\SETUP.EXE"},             // no doubled backslash at a drive root
    {L"D:\\SETUP/", L"D:\\SETUP/\\SETUP.EXE"},  // a slash is no separator here
    {L"D:", L"D:\\SETUP.EXE"},
    {L"", L"SETUP.EXE"},                      // nothing to separate from
};

TEST(AppendPathElement, AddsABackslashOnlyWhereNoneEndsThePath) {
  for (const AppendCase& c : kAppendCases) {
    wchar_t path[64];
    std::wcscpy(path, c.path);
    EXPECT_TRUE(AppendPathElement(path, 64, L"SETUP.EXE")) << c.path;
    EXPECT_STREQ(c.result, path) << "from " << c.path;
  }
}

TEST(AppendPathElement, StopsAtTheEndOfItsBufferWhateverItHolds) {
  ExactBuffer<12> path;
  std::wcscpy(path.chars(), L"D:\\SETUP");
  EXPECT_FALSE(AppendPathElement(path.chars(), 12, L"SETUP.EXE"));
  EXPECT_STREQ(L"D:\\SETUP\\SE", path.chars());

  std::wmemset(path.chars(), L'A', 12);  // no terminator at all
  EXPECT_FALSE(AppendPathElement(path.chars(), 12, L"SETUP.EXE"));
  EXPECT_EQ(std::wstring(11, L'A'), path.chars());
}

struct LineCase {
  const wchar_t* moduleDirectory;
  const wchar_t* setup;
  const wchar_t* demo;
};

constexpr LineCase kLineCases[] = {
    {L"D:\\SETUP", L"D:\\SETUP\\SETUP.EXE", L"D:\\Demos\\Ravelcog\\Setup.exe"},
    {L"D:\\", L"D:\\SETUP.EXE", L"D:\\Demos\\Ravelcog\\Setup.exe"},
    {L"E:\\ANY", L"E:\\ANY\\SETUP.EXE", L"E:\\Demos\\Ravelcog\\Setup.exe"},
    {L"D:/SETUP/", L"D:/SETUP/\\SETUP.EXE", L"D:\\Demos\\Ravelcog\\Setup.exe"},
    // A space anywhere in the program's path puts it in quotes.
    {L"C:\\My Disc", L"\"C:\\My Disc\\SETUP.EXE\"", L"C:\\Demos\\Ravelcog\\Setup.exe"},
    {L"C:\\My Disc\\", L"\"C:\\My Disc\\SETUP.EXE\"", L"C:\\Demos\\Ravelcog\\Setup.exe"},
    // A network path has \\server\share\ as the disc's root.
    {L"\\\\server\\share", L"\\\\server\\share\\SETUP.EXE",
     L"\\\\server\\share\\Demos\\Ravelcog\\Setup.exe"},
    {L"\\\\server\\share\\disc\\one", L"\\\\server\\share\\disc\\one\\SETUP.EXE",
     L"\\\\server\\share\\Demos\\Ravelcog\\Setup.exe"},
    {L"\\\\server\\our share\\disc", L"\"\\\\server\\our share\\disc\\SETUP.EXE\"",
     L"\"\\\\server\\our share\\Demos\\Ravelcog\\Setup.exe\""},
    {L"\\\\server", L"\\\\server\\SETUP.EXE", L"\\\\server\\Demos\\Ravelcog\\Setup.exe"},
    // Without a directory the current drive stands in for the disc.
    {L"", L"SETUP.EXE", L"\\Demos\\Ravelcog\\Setup.exe"},
};

TEST(SetupLines, NameTheInstallerBesideTheLauncherAndTheDemoAtTheDiscsRoot) {
  for (const LineCase& c : kLineCases) {
    auto directory = Directory(c.moduleDirectory);
    CommandLine line;
    EXPECT_TRUE(BuildSetupLine(line, directory.chars())) << c.moduleDirectory;
    EXPECT_STREQ(c.setup, line) << "from " << c.moduleDirectory;
    EXPECT_TRUE(BuildDemoSetupLine(line, directory.chars(), L"Demos\\Ravelcog\\Setup.exe"))
        << c.moduleDirectory;
    EXPECT_STREQ(c.demo, line) << "from " << c.moduleDirectory;
  }
}

struct ExplorerCase {
  const wchar_t* windowsDirectory;
  const wchar_t* moduleDirectory;
  const wchar_t* line;
};

constexpr ExplorerCase kExplorerCases[] = {
    {L"C:\\WINDOWS", L"E:\\", L"C:\\WINDOWS\\EXPLORER.EXE E:\\"},  // one space, then the root
    {L"C:\\WINDOWS", L"E:\\ANY\\MORE", L"C:\\WINDOWS\\EXPLORER.EXE E:\\"},
    {L"C:\\WINDOWS\\", L"D:\\SETUP", L"C:\\WINDOWS\\EXPLORER.EXE D:\\"},
    {L"C:\\My Windows", L"D:\\", L"\"C:\\My Windows\\EXPLORER.EXE\" D:\\"},
    {L"C:\\WINDOWS", L"\\\\server\\share\\disc", L"C:\\WINDOWS\\EXPLORER.EXE \\\\server\\share\\"},
    {L"C:\\WINDOWS", L"\\\\server\\our share\\disc",
     L"C:\\WINDOWS\\EXPLORER.EXE \"\\\\server\\our share\\\""},
};

TEST(ExplorerLines, OpenTheDiscsRootWithExplorerFromTheWindowsDirectory) {
  for (const ExplorerCase& c : kExplorerCases) {
    auto windows = Directory(c.windowsDirectory);
    auto directory = Directory(c.moduleDirectory);
    CommandLine line;
    EXPECT_TRUE(BuildExplorerLine(line, windows.chars(), directory.chars())) << c.line;
    EXPECT_STREQ(c.line, line);
  }
}

TEST(ExplorerLines, WithoutAWindowsDirectoryNothingIsStartedButTheLineIsShown) {
  CommandLine line;
  EXPECT_FALSE(BuildExplorerLine(line, L"", L"D:\\SETUP"));
  EXPECT_STREQ(L"EXPLORER.EXE D:\\", line);
}

struct SplitCase {
  const wchar_t* line;
  const wchar_t* program;
  const wchar_t* parameters;
};

// Every form of line the builders make, taken apart for the shell's start.
constexpr SplitCase kSplitCases[] = {
    {L"D:\\SETUP.EXE", L"D:\\SETUP.EXE", L""},
    {L"\"C:\\My Disc\\SETUP.EXE\"", L"C:\\My Disc\\SETUP.EXE", L""},
    {L"C:\\WINDOWS\\EXPLORER.EXE E:\\", L"C:\\WINDOWS\\EXPLORER.EXE", L"E:\\"},
    {L"\"C:\\My Windows\\EXPLORER.EXE\" D:\\", L"C:\\My Windows\\EXPLORER.EXE", L"D:\\"},
    {L"C:\\WINDOWS\\EXPLORER.EXE \"\\\\server\\our share\\\"", L"C:\\WINDOWS\\EXPLORER.EXE",
     L"\"\\\\server\\our share\\\""},
    {L"\"C:\\Unclosed", L"C:\\Unclosed", L""},
    {L"", L"", L""},
};

TEST(SplitProgramAndParameters, TakesTheProgramAsTheLineMeansIt) {
  for (const SplitCase& c : kSplitCases) {
    CommandLine program;
    const wchar_t* parameters = nullptr;
    SplitProgramAndParameters(c.line, program, parameters);
    EXPECT_STREQ(c.program, program) << c.line;
    EXPECT_STREQ(c.parameters, parameters) << c.line;
  }
}

// Directory buffers filled to the last byte, without a terminator: the longest input the
// launcher can hold.
TEST(LongestLines, EveryDriveLineFitsItsBufferWhole) {
  const std::wstring spaced = L"C:\\" + std::wstring(kDirectorySize - 3, L' ');
  auto directory = Directory(spaced);
  ExactBuffer<kCommandLineSize> line;

  ASSERT_TRUE(BuildSetupLine(line.chars(), directory.chars()));
  EXPECT_EQ(L"\"" + spaced + L"\\SETUP.EXE\"", line.chars());
  ASSERT_TRUE(BuildDemoSetupLine(line.chars(), directory.chars(), L""));
  EXPECT_STREQ(L"C:\\Demos\\Ravelcog\\Setup.exe", line.chars());
  ASSERT_TRUE(BuildExplorerLine(line.chars(), directory.chars(), directory.chars()));
  EXPECT_EQ(L"\"" + spaced + L"\\EXPLORER.EXE\" C:\\", line.chars());

  const std::wstring server = L"\\\\" + std::wstring(kDirectorySize - 2, L's');
  auto network = Directory(server);
  ASSERT_TRUE(BuildDemoSetupLine(line.chars(), network.chars(), L""));
  EXPECT_EQ(server + L"\\Demos\\Ravelcog\\Setup.exe", line.chars());
}

// The deepest launcher the platform starts, 259 characters in Japanese (500 bytes in
// code page 932): its own folder, whole, and the installer beside it.
TEST(LongestLines, TheLongestLauncherPathGivesTheFolderItLiesIn) {
  const std::wstring folder = L"D:\\" + std::wstring(100, L'\u8868') + L"\\" +
                              std::wstring(144, L'\u30BD');
  const std::wstring launcher = folder + L"\\LAUNCH.EXE";
  ASSERT_EQ(259u, launcher.size());
  auto directory = Directory(launcher);
  StripFileName(directory.chars());
  EXPECT_EQ(folder, directory.chars());
  ExactBuffer<kCommandLineSize> line;
  ASSERT_TRUE(BuildSetupLine(line.chars(), directory.chars()));
  EXPECT_EQ(folder + L"\\SETUP.EXE", line.chars());
}

TEST(LongestLines, ANetworkRootTooLongForExplorersLineIsRefusedNotOverrun) {
  const std::wstring windowsPath = L"C:\\" + std::wstring(kDirectorySize - 4, L'W');
  const std::wstring share = L"\\\\server\\" + std::wstring(kDirectorySize - 9, L' ');
  auto windows = Directory(windowsPath);
  auto directory = Directory(share);
  ExactBuffer<kCommandLineSize> line;
  EXPECT_FALSE(BuildExplorerLine(line.chars(), windows.chars(), directory.chars()));
  EXPECT_EQ(kCommandLineSize - 1, std::wcslen(line.chars()));
  EXPECT_EQ(0, std::wcsncmp(line.chars(), (windowsPath + L"\\EXPLORER.EXE \"").c_str(),
                            windowsPath.size() + 15));
}

// Whatever the directory buffers hold, no builder reads or writes past a buffer
// (AddressSanitizer watches every byte) and every line comes back terminated.
TEST(LongestLines, AnyBytesInTheDirectoriesStayWithinTheBuffers) {
  std::mt19937 random(4);
  const wchar_t alphabet[] = L"\\\\\\ :/Aa\0";
  for (int round = 0; round < 2000; ++round) {
    ExactBuffer<kDirectorySize> module, windows;
    const size_t fill = random() % (kDirectorySize + 1);
    for (size_t i = 0; i < kDirectorySize; ++i) {
      module.chars()[i] = i < fill ? alphabet[random() % (sizeof alphabet / sizeof *alphabet - 1)] : L'\0';
      windows.chars()[i] = i < fill ? alphabet[random() % (sizeof alphabet / sizeof *alphabet - 2)] : L'\0';
    }
    ExactBuffer<kCommandLineSize> line;
    BuildSetupLine(line.chars(), module.chars());
    EXPECT_LT(std::wcslen(line.chars()), kCommandLineSize);
    BuildDemoSetupLine(line.chars(), module.chars(), module.chars());
    EXPECT_LT(std::wcslen(line.chars()), kCommandLineSize);
    StartFolder folder;
    BuildDemoFolder(folder, module.chars(), module.chars());
    EXPECT_LT(std::wcslen(folder), kCommandLineSize);
    BuildExplorerLine(line.chars(), windows.chars(), module.chars());
    EXPECT_LT(std::wcslen(line.chars()), kCommandLineSize);
  }
}

}  // namespace

// A branded demo path comes from the string table, in any language; one longer than the
// launcher reads whole may have been cut by its loading and is never started. The demo
// starts in the folder its path names, at the disc's root.
TEST(DemoPath, IsTakenUpToItsLimitAndRefusedBeyond) {
  const std::wstring japanese = L"\u4f53\u9a13\u7248\\\u8868\u30BD\\Setup.exe";
  const struct {
    std::wstring path;
    bool built;
    const wchar_t* folder;
  } kCases[] = {{L"", true, L"E:\\Demos\\Ravelcog"},  // no string 1007: Norvane's demo
                {L"p", true, L"E:\\"},
                {japanese, true, L"E:\\\u4f53\u9a13\u7248\\\u8868\u30BD"},
                {std::wstring(kLongestDemoPath, L'p'), true, L"E:\\"},
                {std::wstring(kLongestDemoPath + 1, L'p'), false, nullptr},
                {std::wstring(kDemoPathSize + 40, L'p'), false, nullptr}};
  for (const auto& c : kCases) {
    CommandLine line;
    StartFolder folder;
    EXPECT_EQ(c.built, BuildDemoSetupLine(line, L"E:\\ANY", c.path.c_str())) << c.path.size();
    EXPECT_EQ(c.built, BuildDemoFolder(folder, L"E:\\ANY", c.path.c_str())) << c.path.size();
    if (c.built) {
      const std::wstring path = c.path.empty() ? L"Demos\\Ravelcog\\Setup.exe" : c.path;
      EXPECT_EQ(L"E:\\" + path, std::wstring(line)) << c.path.size();
      EXPECT_STREQ(c.folder, folder) << c.path.size();
    }
  }
}

// A brand's commands from the launcher's folder D:\DISC, Windows in C:\W: the line and the
// folder, or null where nothing is built.
const struct {
  const wchar_t* text;
  CommandKind kind;
  const wchar_t* built;
} kCommandCases[] = {
    {L"run SETUP.EXE", CommandKind::Run, L"D:\\DISC\\SETUP.EXE|D:\\DISC"},
    {L"run My Product.MSI", CommandKind::RunPackage,
     L"\"C:\\W\\S\\msiexec.exe\" /i \"D:\\DISC\\My Product.MSI\"|D:\\DISC"},
    {L"open \\Manual.pdf", CommandKind::Open, L"D:\\Manual.pdf|D:\\"},
    {L"web https://example.com:8443/a?b#c", CommandKind::Web, L"https://example.com:8443/a?b#c|"},
    {L"browse My Docs", CommandKind::Browse, L"C:\\W\\EXPLORER.EXE \"D:\\DISC\\My Docs\"|C:\\W"},
    // Explorer would split an unquoted folder at a comma or an equals sign.
    {L"browse Maps,Nord", CommandKind::Browse, L"C:\\W\\EXPLORER.EXE \"D:\\DISC\\Maps,Nord\"|C:\\W"},
    {L"browse a=b", CommandKind::Browse, L"C:\\W\\EXPLORER.EXE \"D:\\DISC\\a=b\"|C:\\W"},
    {L"none", CommandKind::None, nullptr},
    // Only while the product is installed.
    {L"start {ProgramFiles}\\Atlas.exe", CommandKind::Malformed, nullptr},
    {L"remove", CommandKind::Malformed, nullptr},
};

// The machine's known folders: Program Files, a drive root, one that fills its buffer
// without a terminator, and one it hasn't.
void FakeKnownFolder(KnownFolder folder, wchar_t (&path)[kDirectorySize]) {
  const wchar_t* known[] = {L"C:\\Program Files", nullptr, L"C:\\", L""};
  if (known[static_cast<int>(folder)] == nullptr) std::wmemset(path, L'x', kDirectorySize);
  else std::wcscpy(path, known[static_cast<int>(folder)]);
}

// Installed commands from D:\DISC with the system directory C:\W\S, the product known by
// its code or its UninstallString: "line|folder", or null where nothing can be built.
const struct {
  const wchar_t* text;
  const wchar_t* code;
  const wchar_t* uninstall;
  const wchar_t* built;
} kInstalledCommandCases[] = {
    {L"start {ProgramFiles}\\Harbourlight\\Atlas.exe", nullptr, nullptr,
     L"\"C:\\Program Files\\Harbourlight\\Atlas.exe\"|C:\\Program Files\\Harbourlight"},
    {L"start {LocalAppData}\\Atlas.EXE", nullptr, nullptr, L"C:\\Atlas.EXE|C:\\"},
    {L"start {CommonAppData}\\Atlas.exe", nullptr, nullptr, nullptr},
    {L"start {ProgramFilesX86}\\Atlas.exe", nullptr, nullptr, nullptr},
    {L"remove", L"{8A4C1E2B-1234-4D5E-9F00-0123456789AB}", nullptr,
     L"\"C:\\W\\S\\msiexec.exe\" /x {8A4C1E2B-1234-4D5E-9F00-0123456789AB}|C:\\W\\S"},
    {L"remove", nullptr, L"\"C:\\H\\unins000.exe\" /SILENT", L"\"C:\\H\\unins000.exe\" /SILENT|C:\\W\\S"},
    {L"remove", nullptr, L"C:\\Program Files\\H\\Setup.EXE -removeonly",
     L"\"C:\\Program Files\\H\\Setup.EXE\" -removeonly|C:\\W\\S"},
    {L"remove", nullptr, L"MsiExec.exe /X{8A4C1E2B-1234-4D5E-9F00-0123456789AB}",
     L"MsiExec.exe /X{8A4C1E2B-1234-4D5E-9F00-0123456789AB}|C:\\W\\S"},
    {L"remove", nullptr, nullptr, nullptr},
    {L"run SETUP.EXE", nullptr, nullptr, L"D:\\DISC\\SETUP.EXE|D:\\DISC"},
};

// The command forms of a table make-disc's test reads too (tests/data), each with the kind
// make-disc takes it for.
const char* const kKindNames[] = {"",     "run",       "package", "open",  "web",
                                  "browse", "none", "malformed", "start", "remove"};
std::vector<std::pair<std::wstring, std::string>> FormsTable(const char* name) {
  std::vector<std::pair<std::wstring, std::string>> forms;
  std::ifstream table(std::string(LAUNCHER_SOURCE_DIR "/tests/data/") + name);
  EXPECT_TRUE(table.is_open()) << name;
  for (std::string row; std::getline(table, row);) {
    const size_t tab = row.find('\t');
    if (tab != std::string::npos)
      forms.emplace_back(FromUtf8(row.substr(0, tab)), row.substr(tab + 1));
  }
  return forms;
}

TEST(InstalledCommands, StartProgramsUnderKnownFoldersAndRemoveTheProduct) {
  CommandTarget target;
  for (const auto& c : kInstalledCommandCases) {
    const InstalledSources sources = {FakeKnownFolder, c.code, c.uninstall};
    const bool built =
        BuildCommandTarget(target, c.text, L"D:\\DISC", L"C:\\W", L"C:\\W\\S", &sources);
    EXPECT_EQ(c.built ? c.built : L"", built ? std::wstring(target.line) + L"|" + target.folder : L"");
  }
  const std::wstring tooLong(kCommandLineSize, L'x');
  const InstalledSources sources = {FakeKnownFolder, nullptr, tooLong.c_str()};
  EXPECT_FALSE(BuildCommandTarget(target, L"remove", L"D:\\", L"C:\\W", L"C:\\W\\S", &sources));
  for (const auto& [text, kind] : FormsTable("installed_command_forms.tsv"))
    EXPECT_EQ(kind, kKindNames[static_cast<int>(CommandKindOf(text.c_str(), CommandSet::Installed))])
        << text;
}

TEST(InstalledRule, NamesAProductCodeOrAFileUnderAKnownFolder) {
  const std::wstring longest = L"{LocalAppData}\\" + std::wstring(kLongestFolderPath - 15, L'a');
  const struct {
    std::wstring text;
    InstalledTest test;
  } kRules[] = {
      {L"msi {8A4C1E2B-1234-4D5E-9F00-0123456789ab}", InstalledTest::Product},
      {L"msi {8A4C1E2B-1234-4D5E-9F00-0123456789A}", InstalledTest::Malformed},
      {L"msi {8A4C1E2B-1234-4D5E-9F000123456789AB-}", InstalledTest::Malformed},
      {L"msi  {8A4C1E2B-1234-4D5E-9F00-0123456789AB}", InstalledTest::Malformed},
      {L"file " + longest, InstalledTest::File},
      {L"file " + longest + L"a", InstalledTest::Malformed},
      {L"File {ProgramFiles}\\a", InstalledTest::Malformed},
      {L"", InstalledTest::Malformed},
  };
  for (const auto& rule : kRules) {
    const InstalledRule parsed = ParseInstalledRule(rule.text.c_str());
    EXPECT_EQ(rule.test, parsed.test) << rule.text.size();
    if (parsed.test != InstalledTest::Malformed) {
      EXPECT_EQ(rule.text.substr(rule.text.find(' ') + 1), parsed.argument);
    }
  }
}

TEST(BrandCommands, BuildTheirTargetsOnTheDiscAndRefuseAnythingElse) {
  CommandTarget target;
  for (const auto& c : kCommandCases) {
    const bool built = BuildCommandTarget(target, c.text, L"D:\\DISC", L"C:\\W", L"C:\\W\\S");
    EXPECT_EQ(c.kind, target.kind) << c.text;
    EXPECT_EQ(c.built ? c.built : L"", built ? std::wstring(target.line) + L"|" + target.folder : L"");
  }
  // The forms make-disc's test reads too: make-disc refuses exactly the malformed ones.
  for (const auto& [text, kind] : FormsTable("command_forms.tsv")) {
    const bool built = BuildCommandTarget(target, text.c_str(), L"D:\\DISC", L"C:\\W", L"C:\\W\\S");
    EXPECT_EQ(kind, kKindNames[static_cast<int>(target.kind)]) << text;
    EXPECT_EQ(kind != "malformed" && kind != "none", built) << text;
    if (kind == "malformed") {
      EXPECT_EQ(text, target.line) << "the box names the command as it is";
    }
  }
}
