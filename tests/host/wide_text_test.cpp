// The text shown in the box is in UTF-16, cut between characters.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "commands/failure_message.h"

namespace {

// A message cut to its buffer ends after its last whole character: one unit short of
// room for a character outside the basic plane (𠀋, a surrogate pair), the box shows none
// of it, never its first half alone.
TEST(WideText, AMessageIsCutBetweenCharacters) {
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
