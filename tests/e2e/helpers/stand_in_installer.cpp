// Stands in for msiexec.exe where a test needs a product to come and go: runs the batch
// file LAUNCHER_STAND_IN_SCRIPT with msiexec's arguments, waits for it and ends with its
// exit code, so that what the script installs or removes is in place when the launcher
// sees the installer end.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t script[MAX_PATH] = L"";
  const DWORD length = GetEnvironmentVariableW(L"LAUNCHER_STAND_IN_SCRIPT", script, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  // The arguments follow the program's own path, quoted or not.
  const std::wstring line = GetCommandLineW();
  size_t end = line[0] == L'"' ? line.find(L'"', 1) : line.find(L' ');
  if (end != std::wstring::npos && line[0] == L'"') ++end;
  const std::wstring arguments = end == std::wstring::npos ? L"" : line.substr(end);
  std::wstring command = L"cmd.exe /c \"\"" + std::wstring(script) + L"\"" + arguments + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &started))
    return 1;
  WaitForSingleObject(started.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(started.hProcess, &code);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return static_cast<int>(code);
}
