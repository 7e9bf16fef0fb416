// Where winmm.dll comes from: by name with the search limited to the system directory
// where SetDefaultDllDirectories exists; where it doesn't (hidden here), by its full
// system path with LOAD_WITH_ALTERED_SEARCH_PATH (0x8), and never with the flag (0x800),
// which the oldest of those systems ignore rather than refuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import_patch.h"
#include "shell/system_library.h"

namespace {

bool withoutSafeSearch = false;
std::vector<std::string> loads;  // "FILE flags 0xN" for every LoadLibraryExA
ImportPatch* loadPatch = nullptr;
ImportPatch* lookUpPatch = nullptr;

FARPROC WINAPI LookUp(HMODULE module, LPCSTR name) {
  if (withoutSafeSearch && HIWORD(name) != 0 && lstrcmpA(name, "SetDefaultDllDirectories") == 0)
    return nullptr;
  return reinterpret_cast<decltype(&GetProcAddress)>(lookUpPatch->Original())(module, name);
}

HMODULE WINAPI RecordLoad(LPCSTR file, HANDLE reserved, DWORD flags) {
  char entry[MAX_PATH + 32];
  wsprintfA(entry, "%s flags 0x%x", file, flags);
  loads.push_back(entry);
  return reinterpret_cast<decltype(&LoadLibraryExA)>(loadPatch->Original())(file, reserved, flags);
}

TEST(SystemLibrary, WinmmComesFromTheSystemDirectoryWithOrWithoutTheSafeSearch) {
  ImportPatch load("KERNEL32.dll", "LoadLibraryExA", reinterpret_cast<void*>(RecordLoad));
  ImportPatch lookUp("KERNEL32.dll", "GetProcAddress", reinterpret_cast<void*>(LookUp));
  ASSERT_TRUE(load.Installed() && lookUp.Installed());
  loadPatch = &load;
  lookUpPatch = &lookUp;
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string winmm = std::string(system) + "\\winmm.dll";
  const std::pair<bool, std::string> cases[] = {{false, "winmm.dll flags 0x800"},
                                                {true, winmm + " flags 0x8"}};
  for (const auto& c : cases) {
    withoutSafeSearch = c.first;
    loads.clear();
    HMODULE module = LoadSystemLibrary("winmm.dll");
    EXPECT_EQ(std::vector<std::string>{c.second}, loads);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, MAX_PATH);
    EXPECT_EQ(0, lstrcmpiA(winmm.c_str(), path)) << c.second << " loaded " << path;
  }
}

}  // namespace
