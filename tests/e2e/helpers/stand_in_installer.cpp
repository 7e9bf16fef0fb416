// Stands in for msiexec.exe where a test needs a product to come and go as the real
// Windows Installer would leave it:
//   msiexec /i PACKAGE  registers product LAUNCHER_STAND_IN_PRODUCT ({CODE}) for the whole
//                       machine, where MsiQueryProductStateW looks, and copies the program
//                       LAUNCHER_STAND_IN_SOURCE to LAUNCHER_STAND_IN_PROGRAM;
//   msiexec /x {CODE}   takes both away again.
// Either way it writes its command line to LAUNCHER_STAND_IN_RECORD and ends.
#include <windows.h>

#include <string>

namespace {

constexpr REGSAM kMachineView = KEY_WOW64_64KEY;  // where msi.dll reads, from any process

std::wstring Variable(const wchar_t* name) {
  wchar_t value[MAX_PATH] = L"";
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? value : L"";
}

// The registry's form of a product code: each of the first three groups reversed, then each
// byte of the last two with its two digits swapped.
std::wstring Squashed(const std::wstring& code) {
  if (code.size() != 38) return L"";
  std::wstring digits;
  for (wchar_t c : code)
    if (c != L'{' && c != L'}' && c != L'-') digits += c;
  std::wstring squashed(digits.rbegin() + 24, digits.rend());
  squashed.append(digits.rbegin() + 20, digits.rbegin() + 24);
  squashed.append(digits.rbegin() + 16, digits.rbegin() + 20);
  for (size_t i = 16; i + 1 < digits.size(); i += 2) squashed += {digits[i + 1], digits[i]};
  return squashed;
}

std::wstring ProductKey(const std::wstring& squashed) {
  return L"Software\\Classes\\Installer\\Products\\" + squashed;
}

std::wstring PropertiesKey(const std::wstring& squashed) {
  return L"Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Products\\" +
         squashed + L"\\InstallProperties";
}

bool Register(const std::wstring& squashed) {
  HKEY product = nullptr, properties = nullptr;
  const DWORD installed = 1;
  bool done = RegCreateKeyExW(HKEY_LOCAL_MACHINE, ProductKey(squashed).c_str(), 0, nullptr, 0,
                              KEY_WRITE | kMachineView, nullptr, &product, nullptr) == ERROR_SUCCESS &&
              RegCreateKeyExW(HKEY_LOCAL_MACHINE, PropertiesKey(squashed).c_str(), 0, nullptr, 0,
                              KEY_WRITE | kMachineView, nullptr, &properties, nullptr) == ERROR_SUCCESS &&
              RegSetValueExW(properties, L"WindowsInstaller", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&installed), sizeof installed) == ERROR_SUCCESS;
  if (product != nullptr) RegCloseKey(product);
  if (properties != nullptr) RegCloseKey(properties);
  return done;
}

void Unregister(const std::wstring& squashed) {
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, PropertiesKey(squashed).c_str(), kMachineView, 0);
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, ProductKey(squashed).c_str(), kMachineView, 0);
}

bool PutProgramInPlace(const std::wstring& program) {
  const size_t folder = program.rfind(L'\\');
  if (folder == std::wstring::npos) return false;
  CreateDirectoryW(program.substr(0, folder).c_str(), nullptr);
  return CopyFileW(Variable(L"LAUNCHER_STAND_IN_SOURCE").c_str(), program.c_str(), FALSE) != 0;
}

void Record(const wchar_t* line) {
  HANDLE record = CreateFileW(Variable(L"LAUNCHER_STAND_IN_RECORD").c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (record == INVALID_HANDLE_VALUE) return;
  char text[1024];
  const int length = WideCharToMultiByte(CP_UTF8, 0, line, -1, text, sizeof text, nullptr, nullptr);
  DWORD written = 0;
  if (length > 1) WriteFile(record, text, length - 1, &written, nullptr);
  CloseHandle(record);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::wstring line = GetCommandLineW();
  const std::wstring squashed = Squashed(Variable(L"LAUNCHER_STAND_IN_PRODUCT"));
  const std::wstring program = Variable(L"LAUNCHER_STAND_IN_PROGRAM");
  int result = 0;
  if (squashed.empty() || program.empty()) {
    result = 1;
  } else if (line.find(L" /i ") != std::wstring::npos) {
    result = Register(squashed) && PutProgramInPlace(program) ? 0 : 1;
  } else if (line.find(L" /x ") != std::wstring::npos) {
    Unregister(squashed);
    DeleteFileW(program.c_str());
  }
  Record(line.c_str());
  return result;
}
