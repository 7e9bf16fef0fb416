#include "commands/failure_message.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "commands/command_lines.h"

namespace {

struct MessageCase {
  const wchar_t* format;
  const wchar_t* commandLine;
  const wchar_t* message;
};

constexpr MessageCase kMessageCases[] = {
    {kFailureFormat, L"D:\\SETUP\\SETUP.EXE", L"Unable to execute D:\\SETUP\\SETUP.EXE"},
    // The whole line, argument and quotes included, as it was handed over.
    {kFailureFormat, L"\"C:\\My Windows\\EXPLORER.EXE\" D:\\",
     L"Unable to execute \"C:\\My Windows\\EXPLORER.EXE\" D:\\"},
    {L"", L"D:\\SETUP.EXE", L"Unable to execute D:\\SETUP.EXE"},  // the string didn't load
    {L"%s: 100%% failed", L"D:\\SETUP.EXE", L"D:\\SETUP.EXE: 100% failed"},
    {L"%d %s %", L"D:\\SETUP.EXE", L"%d D:\\SETUP.EXE %"},  // only %s and %% are formats
    {L"Unable to execute %s (%s)", L"X", L"Unable to execute X (X)"},
};

TEST(FailureMessage, FillsTheCommandLineIntoTheFormat) {
  for (const MessageCase& c : kMessageCases) {
    wchar_t message[kMessageSize];
    FormatFailureMessage(message, c.format, c.commandLine);
    EXPECT_STREQ(c.message, message);
  }
}

TEST(FailureMessage, TheLongestLineIsCutToTheMessageBuffer) {
  const std::wstring longest(kCommandLineSize - 1, L'L');
  std::unique_ptr<wchar_t[][kMessageSize]> message(new wchar_t[1][kMessageSize]);
  FormatFailureMessage(message[0], kFailureFormat, longest.c_str());
  const std::wstring expected = (L"Unable to execute " + longest).substr(0, kMessageSize - 1);
  EXPECT_EQ(expected, message[0]);
}

TEST(FailureMessage, AFormatWithoutTerminatorIsReadOnlyToItsBuffersEnd) {
  std::unique_ptr<wchar_t[]> format(new wchar_t[kFailureFormatSize]);
  std::fill(format.get(), format.get() + kFailureFormatSize, L'F');
  wchar_t message[kMessageSize];
  FormatFailureMessage(message, format.get(), L"X");
  EXPECT_EQ(std::wstring(kFailureFormatSize, L'F'), message);
}

}  // namespace
