// Prints in hex, a line each, what WinVerifyTrust, Windows' Authenticode check, says of
// each program named on the command line (without user interface or revocation check):
// one process for them all, since each Wine start takes seconds in the emulated machine.
#include <windows.h>
#include <softpub.h>
#include <wintrust.h>
#include <cstdio>

namespace {

LONG VerdictOn(const wchar_t* path) {
  WINTRUST_FILE_INFO file = {};
  file.cbStruct = sizeof file;
  file.pcwszFilePath = path;
  WINTRUST_DATA check = {};
  check.cbStruct = sizeof check;
  check.dwUIChoice = WTD_UI_NONE;
  check.fdwRevocationChecks = WTD_REVOKE_NONE;
  check.dwUnionChoice = WTD_CHOICE_FILE;
  check.pFile = &file;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  return WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &check);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  for (int i = 1; i < argc; ++i) {
    wchar_t path[MAX_PATH];
    if (!MultiByteToWideChar(CP_ACP, 0, argv[i], -1, path, MAX_PATH)) return 2;
    std::printf("%08lx\n", static_cast<unsigned long>(VerdictOn(path)));
  }
  return 0;
}
