#include "shell/strip_file_name.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct StripCase {
  const char* path;
  const char* directory;
};

constexpr StripCase kStripCases[] = {
    {"D:\\SETUP\\LAUNCH.EXE", "D:\\SETUP"},
    {"D:\\LAUNCH.EXE", "D:\\"},  // a drive root keeps its backslash
    {"D:LAUNCH.EXE", "D:"},
    {"D:/SETUP/LAUNCH.EXE", "D:/SETUP"},  // cut at the last slash
    {"D:\\SETUP/DISC\\LAUNCH.EXE", "D:\\SETUP/DISC"},
    {"D:/LAUNCH.EXE", "D:/"},
    {"\\\\server\\share\\LAUNCH.EXE", "\\\\server\\share"},
    {"\\LAUNCH.EXE", ""},
    {"LAUNCH.EXE", ""},  // no separator at all
    {"", ""},
    {"D:\\", "D:\\"},
};

TEST(StripFileName, CutsEachPathBackToItsDirectory) {
  for (const StripCase& c : kStripCases) {
    char buffer[64];
    std::strcpy(buffer, c.path);
    StripFileName(buffer);
    EXPECT_STREQ(c.directory, buffer) << "from " << c.path;
  }
}

}  // namespace
