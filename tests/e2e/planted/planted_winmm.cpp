// A stand-in winmm.dll planted beside the launcher. Loaded into a process, it leaves
// PLANTED.TXT beside itself, naming the program that loaded it; its sound functions play
// nothing.
// Without the multimedia header, which declares the two functions as imported.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace {

void RecordLoad(HINSTANCE self) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  char* name = path + length;
  while (name > path && name[-1] != '\\') --name;
  if (name - path + sizeof "PLANTED.TXT" > MAX_PATH) return;
  lstrcpyA(name, "PLANTED.TXT");
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  char program[MAX_PATH];
  const DWORD programLength = GetModuleFileNameA(nullptr, program, MAX_PATH);
  DWORD written = 0;
  WriteFile(file, program, programLength, &written, nullptr);
  CloseHandle(file);
}

}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI sndPlaySoundA(LPCSTR, UINT) { return FALSE; }
__declspec(dllexport) BOOL WINAPI PlaySoundA(LPCSTR, HMODULE, DWORD) { return FALSE; }

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) RecordLoad(self);
  return TRUE;
}

}  // extern "C"
