#include "commands/failure_message.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "commands/command_lines.h"

namespace {

struct MessageCase {
  const char* format;
  const char* commandLine;
  const char* message;
};

constexpr MessageCase kMessageCases[] = {
    {kFailureFormat, "D:\\SETUP\\SETUP.EXE", "Unable to execute D:\\SETUP\\SETUP.EXE"},
    // The whole line, argument and quotes included, as it was handed over.
    {kFailureFormat, "\"C:\\My Windows\\EXPLORER.EXE\" D:\\",
     "Unable to execute \"C:\\My Windows\\EXPLORER.EXE\" D:\\"},
    {"", "D:\\SETUP.EXE", "Unable to execute D:\\SETUP.EXE"},  // the string didn't load
    {"%s: 100%% failed", "D:\\SETUP.EXE", "D:\\SETUP.EXE: 100% failed"},
    {"%d %s %", "D:\\SETUP.EXE", "%d D:\\SETUP.EXE %"},  // only %s and %% are formats
    {"Unable to execute %s (%s)", "X", "Unable to execute X (X)"},
};

TEST(FailureMessage, FillsTheCommandLineIntoTheFormat) {
  for (const MessageCase& c : kMessageCases) {
    char message[kMessageSize];
    FormatFailureMessage(message, c.format, c.commandLine);
    EXPECT_STREQ(c.message, message) << "format " << c.format;
  }
}

TEST(FailureMessage, TheLongestLineIsCutToTheMessageBuffer) {
  const std::string longest(kCommandLineSize - 1, 'L');
  std::unique_ptr<char[][kMessageSize]> message(new char[1][kMessageSize]);
  FormatFailureMessage(message[0], kFailureFormat, longest.c_str());
  const std::string expected = ("Unable to execute " + longest).substr(0, kMessageSize - 1);
  EXPECT_EQ(expected, message[0]);
}

TEST(FailureMessage, AFormatWithoutTerminatorIsReadOnlyToItsBuffersEnd) {
  std::unique_ptr<char[]> format(new char[kFailureFormatSize]);
  std::memset(format.get(), 'F', kFailureFormatSize);
  char message[kMessageSize];
  FormatFailureMessage(message, format.get(), "X");
  EXPECT_EQ(std::string(kFailureFormatSize, 'F'), message);
}

}  // namespace
