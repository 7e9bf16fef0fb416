#include "shell/strip_file_name.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

struct StripCase {
  const wchar_t* path;
  const wchar_t* directory;
};

constexpr StripCase kStripCases[] = {
    {L"D:\\SETUP\\LAUNCH.EXE", L"D:\\SETUP"},
    {L"D:\\LAUNCH.EXE", L"D:\\"},  // a drive root keeps its backslash
    {L"D:LAUNCH.EXE", L"D:"},
    {L"D:/SETUP/LAUNCH.EXE", L"D:/SETUP"},  // cut at the last slash
    {L"D:\\SETUP/DISC\\LAUNCH.EXE", L"D:\\SETUP/DISC"},
    {L"D:/LAUNCH.EXE", L"D:/"},
    {L"\\\\server\\share\\LAUNCH.EXE", L"\\\\server\\share"},
    {L"\\LAUNCH.EXE", L""},
    {L"LAUNCH.EXE", L""},  // no separator at all
    {L"", L""},
    {L"D:\\", L"D:\\"},
};

TEST(StripFileName, CutsEachPathBackToItsDirectory) {
  for (const StripCase& c : kStripCases) {
    wchar_t buffer[64];
    std::wcscpy(buffer, c.path);
    StripFileName(buffer);
    EXPECT_STREQ(c.directory, buffer) << "from " << testing::PrintToString(std::wstring(c.path));
  }
}

}  // namespace
