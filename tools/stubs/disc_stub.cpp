// Stands in for a program the launcher starts from a disc (the product installer, the
// demo installer). It tells which program it is and how it was started:
// - with LAUNCHER_STUB_RECORD naming a file, it appends one line to that file,
//   "program<TAB>working directory<TAB>command line", and exits at once (for tests);
// - otherwise it shows the same in a message box, for whoever pressed the button.
// With LAUNCHER_STUB_BUSY naming a file that holds a number, a start that records works
// that many milliseconds first, without a message loop, as an installer that unpacks
// before its first window does.
// With LAUNCHER_STUB_CODE_PAGE naming a file, a start that records also writes the ANSI
// code page it runs in there, so that a test can't pass on the wrong one.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr char kRecordVariable[] = "LAUNCHER_STUB_RECORD";
constexpr char kBusyVariable[] = "LAUNCHER_STUB_BUSY";
constexpr char kCodePageVariable[] = "LAUNCHER_STUB_CODE_PAGE";

// In the ANSI code page, read through the wide functions: the ANSI ones cut a path of
// more than MAX_PATH bytes, which a deep folder in a double-byte code page makes.
std::string InAnsiCodePage(const wchar_t* text) {
  std::string ansi(3 * lstrlenW(text) + 1, '\0');
  const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, &ansi[0],
                                         static_cast<int>(ansi.size()), nullptr, nullptr);
  ansi.resize(length > 0 ? length - 1 : 0);
  return ansi;
}

std::string ProgramPath() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return InAnsiCodePage(path);
}

std::string WorkingDirectory() {
  wchar_t directory[MAX_PATH] = L"";
  GetCurrentDirectoryW(MAX_PATH, directory);
  return InAnsiCodePage(directory);
}

// Milliseconds to keep busy: what the file named by LAUNCHER_STUB_BUSY holds, or 0.
DWORD BusyMilliseconds() {
  char file[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA(kBusyVariable, file, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 0;
  HANDLE busy = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (busy == INVALID_HANDLE_VALUE) return 0;
  char text[16] = "";
  DWORD read = 0;
  ReadFile(busy, text, sizeof text - 1, &read, nullptr);
  CloseHandle(busy);
  text[read] = '\0';
  return static_cast<DWORD>(strtoul(text, nullptr, 10));
}

// One write per start, with the file to itself: the launcher doesn't wait for one start
// before the next, and two stand-ins appending at once could otherwise both write at
// what each found to be the end. Gives up after about 10 s of others holding the file.
bool WriteRecord(const char* file, const std::string& line, DWORD disposition, DWORD access) {
  HANDLE record = INVALID_HANDLE_VALUE;
  for (int tries = 0; tries < 1000; ++tries) {
    record = CreateFileA(file, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (record != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION) break;
    Sleep(10);
  }
  if (record == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(record, line.data(), static_cast<DWORD>(line.size()), &written,
                            nullptr);
  CloseHandle(record);
  return ok && written == line.size();
}

void ShowWhoIAm(const std::string& program, const std::string& directory,
                const char* commandLine) {
  const std::string text = "This program stands in for\n" + program +
                           "\n\nIt was started with the command line\n" + commandLine +
                           "\n\nin the working directory\n" + directory;
  MessageBoxA(nullptr, text.c_str(), "Sample disc program", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string program = ProgramPath();
  const std::string directory = WorkingDirectory();
  const std::string line = InAnsiCodePage(GetCommandLineW());
  const char* commandLine = line.c_str();
  char recordFile[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA(kRecordVariable, recordFile, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    const std::string record = program + "\t" + directory + "\t" + commandLine + "\n";
    bool recorded = WriteRecord(recordFile, record, OPEN_ALWAYS, FILE_APPEND_DATA);
    char codePageFile[MAX_PATH];
    const DWORD named = GetEnvironmentVariableA(kCodePageVariable, codePageFile, MAX_PATH);
    if (named > 0 && named < MAX_PATH) {
      recorded = WriteRecord(codePageFile, std::to_string(GetACP()) + "\n", CREATE_ALWAYS,
                             GENERIC_WRITE) && recorded;
    }
    Sleep(BusyMilliseconds());
    return recorded ? 0 : 1;
  }
  ShowWhoIAm(program, directory, commandLine);
  return 0;
}
