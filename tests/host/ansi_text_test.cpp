// Paths in a double-byte code page, as bytes of code page 932: 表 is 0x95 0x5C and ソ is
// 0x83 0x5C, each with a backslash for its second byte.
#include "commands/ansi_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "commands/command_lines.h"
#include "shell/strip_file_name.h"

namespace {

bool LeadByteOf932(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

#define HYO "\x95\x5C"  // 表
#define SO "\x83\x5C"   // ソ

struct PathCase {
  const char* launcher;  // the launcher's full file name
  const char* directory;
  const char* setup;
  const char* demo;
  const char* explorerArgument;
};

const PathCase kCodePage932Cases[] = {
    {"D:\\" HYO "\\LAUNCH.EXE", "D:\\" HYO, "D:\\" HYO "\\SETUP.EXE",
     "D:\\Demos\\Ravelcog\\Setup.exe", "D:\\"},
    {"D:\\DISC\\" SO ".EXE", "D:\\DISC", "D:\\DISC\\SETUP.EXE", "D:\\Demos\\Ravelcog\\Setup.exe",
     "D:\\"},
    {"D:\\" HYO SO "\\" HYO ".EXE", "D:\\" HYO SO, "D:\\" HYO SO "\\SETUP.EXE",
     "D:\\Demos\\Ravelcog\\Setup.exe", "D:\\"},
    {"\\\\" HYO "\\share\\LAUNCH.EXE", "\\\\" HYO "\\share", "\\\\" HYO "\\share\\SETUP.EXE",
     "\\\\" HYO "\\share\\Demos\\Ravelcog\\Setup.exe", "\\\\" HYO "\\share\\"},
    {"\\\\server\\" HYO "\\disc\\LAUNCH.EXE", "\\\\server\\" HYO "\\disc",
     "\\\\server\\" HYO "\\disc\\SETUP.EXE", "\\\\server\\" HYO "\\Demos\\Ravelcog\\Setup.exe",
     "\\\\server\\" HYO "\\"},
    // A lead byte at the very end has no second byte: it is a character of its own.
    {"D:\\\x95", "D:\\", "D:\\SETUP.EXE", "D:\\Demos\\Ravelcog\\Setup.exe", "D:\\"},
};

void ExpectLines(const PathCase& c) {
  char directory[kDirectorySize] = "";
  std::strcpy(directory, c.launcher);
  StripFileName(directory);
  EXPECT_STREQ(c.directory, directory);
  CommandLine line;
  EXPECT_TRUE(BuildSetupLine(line, directory));
  EXPECT_STREQ(c.setup, line);
  EXPECT_TRUE(BuildDemoSetupLine(line, directory, "Demos\\Ravelcog\\Setup.exe"));
  EXPECT_STREQ(c.demo, line);
  EXPECT_TRUE(BuildExplorerLine(line, "C:\\WINDOWS", directory));
  EXPECT_EQ(std::string("C:\\WINDOWS\\EXPLORER.EXE ") + c.explorerArgument, line);
}

TEST(DoubleByteCodePage, ASecondByteThatLooksLikeABackslashIsNoSeparator) {
  for (const PathCase& c : kCodePage932Cases) {
    SCOPED_TRACE(c.launcher);
    ExpectLines(c);
  }
}

}  // namespace

// The host has no ANSI code page of its own: every host test runs in code page 932.
bool (*isAnsiLeadByte)(unsigned char byte) = LeadByteOf932;
