#include "shell/system_library.h"

#include "commands/bounded_text.h"
#include "shell/platform_seam.h"

namespace {

// Not in older headers. The systems that understand it are those that have
// SetDefaultDllDirectories; the oldest of the others ignore it silently rather than
// refuse it, so its error code can't tell.
constexpr DWORD kSearchSystem32Only = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories() {
  return LookUpFunction<SetDefaultDllDirectoriesFunction>(GetModuleHandleA("kernel32.dll"),
                                                          "SetDefaultDllDirectories");
}

// By its full path, with the DLL's own dependencies looked for in its folder, the system
// directory, first too, rather than beside the launcher.
HMODULE LoadByFullPath(const char* fileName) {
  char path[MAX_PATH] = "";
  const UINT length = GetSystemDirectoryA(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  BoundedText fullPath(path, sizeof path, BoundedText::Start::AfterExisting);
  fullPath.Append('\\').Append(fileName);
  return fullPath.Fits() ? LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH) : nullptr;
}

}  // namespace

HMODULE LoadSystemLibrary(const char* fileName) {
  if (FindSetDefaultDllDirectories() == nullptr) return LoadByFullPath(fileName);
  return LoadLibraryExA(fileName, nullptr, kSearchSystem32Only);
}

void LimitDllSearchToSystemDirectory() {
  const SetDefaultDllDirectoriesFunction setDefaultDllDirectories =
      FindSetDefaultDllDirectories();
  if (setDefaultDllDirectories != nullptr) setDefaultDllDirectories(kSearchSystem32Only);
}

void ConnectSystemSounds() {
  HMODULE winmm = LoadSystemLibrary("winmm.dll");
  if (winmm == nullptr) return;
  const auto play = LookUpFunction<decltype(platform.sndPlaySound)>(winmm, "sndPlaySoundA");
  const auto stop = LookUpFunction<decltype(platform.stopSounds)>(winmm, "PlaySoundA");
  // Both or neither: a sound that can't be stopped must not start.
  if (play == nullptr || stop == nullptr) return;
  platform.sndPlaySound = play;
  platform.stopSounds = stop;
}
