// Paths with characters whose bytes in code page 932 end in the backslash's (表 is
// 0x95 0x5C, ソ is 0x83 0x5C) are read in wide characters, where no such confusion
// exists; the text shown in the box is in UTF-16 too, cut between characters.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "commands/command_lines.h"
#include "commands/failure_message.h"
#include "shell/strip_file_name.h"

namespace {

#define HYO L"\u8868"  // 表
#define SO L"\u30BD"   // ソ

struct PathCase {
  const wchar_t* launcher;  // the launcher's full file name
  const wchar_t* directory;
  const wchar_t* setup;
  const wchar_t* demo;
  const wchar_t* explorerArgument;
};

const PathCase kCodePage932Cases[] = {
    {L"D:\\" HYO L"\\LAUNCH.EXE", L"D:\\" HYO, L"D:\\" HYO L"\\SETUP.EXE",
     L"D:\\Demos\\Ravelcog\\Setup.exe", L"D:\\"},
    {L"D:\\DISC\\" SO L".EXE", L"D:\\DISC", L"D:\\DISC\\SETUP.EXE",
     L"D:\\Demos\\Ravelcog\\Setup.exe", L"D:\\"},
    {L"D:\\" HYO SO L"\\" HYO L".EXE", L"D:\\" HYO SO, L"D:\\" HYO SO L"\\SETUP.EXE",
     L"D:\\Demos\\Ravelcog\\Setup.exe", L"D:\\"},
    {L"\\\\" HYO L"\\share\\LAUNCH.EXE", L"\\\\" HYO L"\\share", L"\\\\" HYO L"\\share\\SETUP.EXE",
     L"\\\\" HYO L"\\share\\Demos\\Ravelcog\\Setup.exe", L"\\\\" HYO L"\\share\\"},
    {L"\\\\server\\" HYO L"\\disc\\LAUNCH.EXE", L"\\\\server\\" HYO L"\\disc",
     L"\\\\server\\" HYO L"\\disc\\SETUP.EXE",
     L"\\\\server\\" HYO L"\\Demos\\Ravelcog\\Setup.exe", L"\\\\server\\" HYO L"\\"},
};

void ExpectLines(const PathCase& c) {
  wchar_t directory[kDirectorySize] = L"";
  std::wcscpy(directory, c.launcher);
  StripFileName(directory);
  EXPECT_STREQ(c.directory, directory);
  CommandLine line;
  EXPECT_TRUE(BuildSetupLine(line, directory));
  EXPECT_STREQ(c.setup, line);
  EXPECT_TRUE(BuildDemoSetupLine(line, directory, L"Demos\\Ravelcog\\Setup.exe"));
  EXPECT_STREQ(c.demo, line);
  EXPECT_TRUE(BuildExplorerLine(line, L"C:\\WINDOWS", directory));
  EXPECT_EQ(std::wstring(L"C:\\WINDOWS\\EXPLORER.EXE ") + c.explorerArgument, line);
}

TEST(DoubleByteCodePage, ACharacterWhoseSecondByteLooksLikeABackslashIsNoSeparator) {
  for (const PathCase& c : kCodePage932Cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.launcher)));
    ExpectLines(c);
  }
}

// A message cut to its buffer ends after its last whole character: one unit short of
// room for a character outside the basic plane (𠀋, a surrogate pair), the box shows none
// of it, never its first half alone.
TEST(DoubleByteCodePage, AMessageIsCutBetweenCharacters) {
  struct Case {
    size_t filler;  // single-unit characters before the pairs
    size_t shownLength;
  };
  const size_t prefix = std::wcslen(L"Unable to execute ");
  const Case cases[] = {
      {kMessageSize - 1 - prefix - 2, kMessageSize - 1},  // the pair fills the buffer exactly
      {kMessageSize - 1 - prefix - 1, kMessageSize - 2},  // one unit short: left out
  };
  for (const Case& c : cases) {
    const std::wstring line = std::wstring(c.filler, L'A') + L"\xD840\xDC0B\xD840\xDC0B";
    wchar_t message[kMessageSize];
    FormatFailureMessage(message, kFailureFormat, line.c_str());
    EXPECT_EQ(c.shownLength, std::wcslen(message)) << c.filler;
  }
}

}  // namespace
