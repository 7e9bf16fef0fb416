// What another program (a screen reader) reads of the launcher's windows: writes the
// launcher window's text, then each child's control id and text, one a line in UTF-8, to
// the file named on the command line. Exit code 0 when the launcher window was found.
// Given "foreground" after the file, it writes the text of the window in front instead;
// given "focus", the control id and text of the launcher's button that has the focus.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

void WriteLine(FILE* out, int id, HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  char utf8[1024] = "";
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::fprintf(out, "%d\t%s\n", id, utf8);
}

BOOL CALLBACK WriteChild(HWND child, LPARAM out) {
  WriteLine(reinterpret_cast<FILE*>(out), GetDlgCtrlID(child), child);
  return TRUE;
}

// The launcher window is the one of its class that holds the buttons; the others are the
// hidden pieces of its transition.
HWND FindLauncher() {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, L"NorvaneCDSetupClass", nullptr)) != nullptr) {
    if (GetWindow(window, GW_CHILD) != nullptr) return window;
  }
  return nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const bool foreground = __argc > 2 && lstrcmpA(__argv[2], "foreground") == 0;
  HWND launcher = foreground ? GetForegroundWindow() : FindLauncher();
  if (launcher == nullptr || __argc < 2) return 1;
  FILE* out = std::fopen(__argv[1], "wb");
  if (out == nullptr) return 1;
  WriteLine(out, 0, launcher);
  if (foreground) return std::fclose(out);
  if (__argc > 2 && lstrcmpA(__argv[2], "focus") == 0) {
    GUITHREADINFO thread = {sizeof thread, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}};
    GetGUIThreadInfo(GetWindowThreadProcessId(launcher, nullptr), &thread);
    if (thread.hwndFocus != nullptr) WriteLine(out, GetDlgCtrlID(thread.hwndFocus), thread.hwndFocus);
    return std::fclose(out);
  }
  EnumChildWindows(launcher, WriteChild, reinterpret_cast<LPARAM>(out));
  std::fclose(out);
  return 0;
}
