// Where the launcher loads the system's DLLs from: by name with the search limited to the
// system directory where the platform has SetDefaultDllDirectories; without it (hidden
// here, and the flagged load refused, as the systems that know nothing of it may), by its
// full path in the system directory, with the DLL's own dependencies looked for there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import_patch.h"
#include "shell/system_library.h"

namespace {

constexpr DWORD kSearchSystem32Only = 0x800;

bool withoutSafeSearch = false;
std::vector<std::string> loads;  // "FILE flags 0xN" for every LoadLibraryExA
ImportPatch* loadPatch = nullptr;
ImportPatch* lookUpPatch = nullptr;

FARPROC WINAPI LookUpOnThisSystem(HMODULE module, LPCSTR name) {
  const bool hidden = withoutSafeSearch && HIWORD(name) != 0 &&
                      lstrcmpA(name, "SetDefaultDllDirectories") == 0;
  if (hidden) return nullptr;
  return reinterpret_cast<decltype(&GetProcAddress)>(lookUpPatch->Original())(module, name);
}

HMODULE WINAPI RecordLoad(LPCSTR file, HANDLE reserved, DWORD flags) {
  char entry[MAX_PATH + 32];
  wsprintfA(entry, "%s flags 0x%x", file, flags);
  loads.push_back(entry);
  if (withoutSafeSearch && (flags & kSearchSystem32Only) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return reinterpret_cast<decltype(&LoadLibraryExA)>(loadPatch->Original())(file, reserved,
                                                                              flags);
}

std::string SystemDirectory() {
  char directory[MAX_PATH] = "";
  GetSystemDirectoryA(directory, MAX_PATH);
  return directory;
}

TEST(SystemLibrary, WinmmComesFromTheSystemDirectoryWithOrWithoutTheSafeSearch) {
  ImportPatch load("KERNEL32.dll", "LoadLibraryExA", reinterpret_cast<void*>(RecordLoad));
  ImportPatch lookUp("KERNEL32.dll", "GetProcAddress", reinterpret_cast<void*>(LookUpOnThisSystem));
  ASSERT_TRUE(load.Installed() && lookUp.Installed());
  loadPatch = &load;
  lookUpPatch = &lookUp;
  const std::string system = SystemDirectory();
  struct Case {
    bool withoutSafeSearch;
    std::string load;
  };
  const Case cases[] = {
      {false, "winmm.dll flags 0x800"},
      {true, system + "\\winmm.dll flags 0x8"},  // LOAD_WITH_ALTERED_SEARCH_PATH
  };
  for (const Case& c : cases) {
    withoutSafeSearch = c.withoutSafeSearch;
    loads.clear();
    HMODULE winmm = LoadSystemLibrary("winmm.dll");
    EXPECT_EQ(std::vector<std::string>{c.load}, loads);
    ASSERT_NE(nullptr, winmm) << c.load;
    char path[MAX_PATH] = "";
    GetModuleFileNameA(winmm, path, MAX_PATH);
    EXPECT_EQ(0, lstrcmpiA((system + "\\winmm.dll").c_str(), path)) << path;
  }
}

}  // namespace
