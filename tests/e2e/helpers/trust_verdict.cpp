// Prints in hex what WinVerifyTrust, Windows' Authenticode check, says of the program
// named on the command line (without user interface or revocation check).
#include <windows.h>
#include <softpub.h>
#include <wintrust.h>
#include <cstdio>

int main(int argc, char** argv) {
  wchar_t path[MAX_PATH];
  if (argc != 2 || !MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, MAX_PATH)) return 2;
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
  LONG verdict = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &check);
  std::printf("%08lx\n", static_cast<unsigned long>(verdict));
  return 0;
}
