#include "commands/command_lines.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

namespace {

// A buffer of exactly `Size` bytes on the heap, so that AddressSanitizer catches a
// single byte written or read past it.
template <size_t Size>
struct ExactBuffer {
  std::unique_ptr<char[][Size]> storage{new char[1][Size]};
  char (&chars())[Size] { return storage[0]; }
};

// A directory buffer of its full size holding `text`, unterminated if it fills it.
ExactBuffer<kDirectorySize> Directory(const std::string& text) {
  ExactBuffer<kDirectorySize> d;
  std::memset(d.chars(), 0, kDirectorySize);
  std::memcpy(d.chars(), text.data(), std::min(text.size(), kDirectorySize));
  return d;
}

struct AppendCase {
  const char* path;
  const char* result;
};

constexpr AppendCase kAppendCases[] = {
    {"D:\\SETUP", "D:\\SETUP\\SETUP.EXE"},
    {"D:\\", "D:\\SETUP.EXE"},             // no doubled backslash at a drive root
    {"D:\\SETUP/", "D:\\SETUP/\\SETUP.EXE"},  // a slash is no separator here
    {"D:", "D:\\SETUP.EXE"},
    {"", "SETUP.EXE"},                      // nothing to separate from
};

TEST(AppendPathElement, AddsABackslashOnlyWhereNoneEndsThePath) {
  for (const AppendCase& c : kAppendCases) {
    char path[64];
    std::strcpy(path, c.path);
    EXPECT_TRUE(AppendPathElement(path, sizeof path, "SETUP.EXE")) << c.path;
    EXPECT_STREQ(c.result, path) << "from " << c.path;
  }
}

TEST(AppendPathElement, StopsAtTheEndOfItsBufferWhateverItHolds) {
  ExactBuffer<12> path;
  std::strcpy(path.chars(), "D:\\SETUP");
  EXPECT_FALSE(AppendPathElement(path.chars(), 12, "SETUP.EXE"));
  EXPECT_STREQ("D:\\SETUP\\SE", path.chars());

  std::memset(path.chars(), 'A', 12);  // no terminator at all
  EXPECT_FALSE(AppendPathElement(path.chars(), 12, "SETUP.EXE"));
  EXPECT_EQ(std::string(11, 'A'), path.chars());
}

struct LineCase {
  const char* moduleDirectory;
  const char* setup;
  const char* demo;
};

constexpr LineCase kLineCases[] = {
    {"D:\\SETUP", "D:\\SETUP\\SETUP.EXE", "D:\\Demos\\Ravelcog\\Setup.exe"},
    {"D:\\", "D:\\SETUP.EXE", "D:\\Demos\\Ravelcog\\Setup.exe"},
    {"E:\\ANY", "E:\\ANY\\SETUP.EXE", "E:\\Demos\\Ravelcog\\Setup.exe"},
    {"D:/SETUP/", "D:/SETUP/\\SETUP.EXE", "D:\\Demos\\Ravelcog\\Setup.exe"},
    // A space anywhere in the program's path puts it in quotes.
    {"C:\\My Disc", "\"C:\\My Disc\\SETUP.EXE\"", "C:\\Demos\\Ravelcog\\Setup.exe"},
    {"C:\\My Disc\\", "\"C:\\My Disc\\SETUP.EXE\"", "C:\\Demos\\Ravelcog\\Setup.exe"},
    // A network path has \\server\share\ as the disc's root.
    {"\\\\server\\share", "\\\\server\\share\\SETUP.EXE",
     "\\\\server\\share\\Demos\\Ravelcog\\Setup.exe"},
    {"\\\\server\\share\\disc\\one", "\\\\server\\share\\disc\\one\\SETUP.EXE",
     "\\\\server\\share\\Demos\\Ravelcog\\Setup.exe"},
    {"\\\\server\\our share\\disc", "\"\\\\server\\our share\\disc\\SETUP.EXE\"",
     "\"\\\\server\\our share\\Demos\\Ravelcog\\Setup.exe\""},
    {"\\\\server", "\\\\server\\SETUP.EXE", "\\\\server\\Demos\\Ravelcog\\Setup.exe"},
    // Without a directory the current drive stands in for the disc.
    {"", "SETUP.EXE", "\\Demos\\Ravelcog\\Setup.exe"},
};

TEST(SetupLines, NameTheInstallerBesideTheLauncherAndTheDemoAtTheDiscsRoot) {
  for (const LineCase& c : kLineCases) {
    auto directory = Directory(c.moduleDirectory);
    CommandLine line;
    EXPECT_TRUE(BuildSetupLine(line, directory.chars())) << c.moduleDirectory;
    EXPECT_STREQ(c.setup, line) << "from " << c.moduleDirectory;
    EXPECT_TRUE(BuildDemoSetupLine(line, directory.chars(), "Demos\\Ravelcog\\Setup.exe"))
        << c.moduleDirectory;
    EXPECT_STREQ(c.demo, line) << "from " << c.moduleDirectory;
  }
}

struct ExplorerCase {
  const char* windowsDirectory;
  const char* moduleDirectory;
  const char* line;
};

constexpr ExplorerCase kExplorerCases[] = {
    {"C:\\WINDOWS", "E:\\", "C:\\WINDOWS\\EXPLORER.EXE E:\\"},  // one space, then the root
    {"C:\\WINDOWS", "E:\\ANY\\MORE", "C:\\WINDOWS\\EXPLORER.EXE E:\\"},
    {"C:\\WINDOWS\\", "D:\\SETUP", "C:\\WINDOWS\\EXPLORER.EXE D:\\"},
    {"C:\\My Windows", "D:\\", "\"C:\\My Windows\\EXPLORER.EXE\" D:\\"},
    {"C:\\WINDOWS", "\\\\server\\share\\disc", "C:\\WINDOWS\\EXPLORER.EXE \\\\server\\share\\"},
    {"C:\\WINDOWS", "\\\\server\\our share\\disc",
     "C:\\WINDOWS\\EXPLORER.EXE \"\\\\server\\our share\\\""},
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
  EXPECT_FALSE(BuildExplorerLine(line, "", "D:\\SETUP"));
  EXPECT_STREQ("EXPLORER.EXE D:\\", line);
}

struct SplitCase {
  const char* line;
  const char* program;
  const char* parameters;
};

// Every form of line the builders make, taken apart for the shell's start.
constexpr SplitCase kSplitCases[] = {
    {"D:\\SETUP.EXE", "D:\\SETUP.EXE", ""},
    {"\"C:\\My Disc\\SETUP.EXE\"", "C:\\My Disc\\SETUP.EXE", ""},
    {"C:\\WINDOWS\\EXPLORER.EXE E:\\", "C:\\WINDOWS\\EXPLORER.EXE", "E:\\"},
    {"\"C:\\My Windows\\EXPLORER.EXE\" D:\\", "C:\\My Windows\\EXPLORER.EXE", "D:\\"},
    {"C:\\WINDOWS\\EXPLORER.EXE \"\\\\server\\our share\\\"", "C:\\WINDOWS\\EXPLORER.EXE",
     "\"\\\\server\\our share\\\""},
    {"\"C:\\Unclosed", "C:\\Unclosed", ""},
    {"", "", ""},
};

TEST(SplitProgramAndParameters, TakesTheProgramAsTheLineMeansIt) {
  for (const SplitCase& c : kSplitCases) {
    CommandLine program;
    const char* parameters = nullptr;
    SplitProgramAndParameters(c.line, program, parameters);
    EXPECT_STREQ(c.program, program) << c.line;
    EXPECT_STREQ(c.parameters, parameters) << c.line;
  }
}

// Directory buffers filled to the last byte, without a terminator: the longest input the
// launcher can hold.
TEST(LongestLines, EveryDriveLineFitsItsBufferWhole) {
  const std::string spaced = "C:\\" + std::string(kDirectorySize - 3, ' ');
  auto directory = Directory(spaced);
  ExactBuffer<kCommandLineSize> line;

  ASSERT_TRUE(BuildSetupLine(line.chars(), directory.chars()));
  EXPECT_EQ("\"" + spaced + "\\SETUP.EXE\"", line.chars());
  ASSERT_TRUE(BuildDemoSetupLine(line.chars(), directory.chars(), ""));
  EXPECT_STREQ("C:\\Demos\\Ravelcog\\Setup.exe", line.chars());
  ASSERT_TRUE(BuildExplorerLine(line.chars(), directory.chars(), directory.chars()));
  EXPECT_EQ("\"" + spaced + "\\EXPLORER.EXE\" C:\\", line.chars());

  const std::string server = "\\\\" + std::string(kDirectorySize - 2, 's');
  auto network = Directory(server);
  ASSERT_TRUE(BuildDemoSetupLine(line.chars(), network.chars(), ""));
  EXPECT_EQ(server + "\\Demos\\Ravelcog\\Setup.exe", line.chars());
}

TEST(LongestLines, ANetworkRootTooLongForExplorersLineIsRefusedNotOverrun) {
  const std::string windowsPath = "C:\\" + std::string(kDirectorySize - 4, 'W');
  const std::string share = "\\\\server\\" + std::string(kDirectorySize - 9, ' ');
  auto windows = Directory(windowsPath);
  auto directory = Directory(share);
  ExactBuffer<kCommandLineSize> line;
  EXPECT_FALSE(BuildExplorerLine(line.chars(), windows.chars(), directory.chars()));
  EXPECT_EQ(kCommandLineSize - 1, std::strlen(line.chars()));
  EXPECT_EQ(0, std::strncmp(line.chars(), (windowsPath + "\\EXPLORER.EXE \"").c_str(),
                            windowsPath.size() + 15));
}

// Whatever the directory buffers hold, no builder reads or writes past a buffer
// (AddressSanitizer watches every byte) and every line comes back terminated.
TEST(LongestLines, AnyBytesInTheDirectoriesStayWithinTheBuffers) {
  std::mt19937 random(4);
  const char alphabet[] = "\\\\\\ :/Aa\0";
  for (int round = 0; round < 2000; ++round) {
    ExactBuffer<kDirectorySize> module, windows;
    const size_t fill = random() % (kDirectorySize + 1);
    for (size_t i = 0; i < kDirectorySize; ++i) {
      module.chars()[i] = i < fill ? alphabet[random() % (sizeof alphabet - 1)] : '\0';
      windows.chars()[i] = i < fill ? alphabet[random() % (sizeof alphabet - 2)] : '\0';
    }
    ExactBuffer<kCommandLineSize> line;
    BuildSetupLine(line.chars(), module.chars());
    EXPECT_LT(std::strlen(line.chars()), kCommandLineSize);
    BuildDemoSetupLine(line.chars(), module.chars(), module.chars());
    EXPECT_LT(std::strlen(line.chars()), kCommandLineSize);
    BuildExplorerLine(line.chars(), windows.chars(), module.chars());
    EXPECT_LT(std::strlen(line.chars()), kCommandLineSize);
  }
}

}  // namespace

// A branded demo path comes from the string table; one longer than the launcher reads
// whole may have been cut by its loading and is never started.
TEST(DemoPath, IsTakenUpToItsLimitAndRefusedBeyond) {
  const struct {
    size_t length;
    bool built;
  } kCases[] = {{1, true}, {kLongestDemoPath, true}, {kLongestDemoPath + 1, false},
                {kDemoPathSize + 40, false}};
  for (const auto& c : kCases) {
    const std::string path(c.length, 'p');
    CommandLine line;
    EXPECT_EQ(c.built, BuildDemoSetupLine(line, "E:\\ANY", path.c_str())) << c.length;
    if (c.built) {
      EXPECT_EQ("E:\\" + path, std::string(line)) << c.length;
    }
  }
}
