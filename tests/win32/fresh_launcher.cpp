// Every test starts from the launcher's state at process start, as if it ran alone: the
// whole program then runs in one Wine process, which the emulated 32-bit machine needs
// (each process start costs it seconds). After each test its launcher windows go, its
// window class is unregistered, its queue is emptied, and the launcher's statics, the
// seams and the current directory are put back.
#include <gtest/gtest.h>
#include <windows.h>

#include "buttons/button_table.h"
#include "seam_recorder.h"
#include "shell/launcher_names.h"
#include "shell/launcher_state.h"
#include "shell/platform_seam.h"

namespace {

struct Initial {
  LauncherState launcher;
  PlatformSeam seams;
  ButtonRecord buttons[kButtonCount];
  ButtonRecord mask;
  char directory[MAX_PATH];
};

BOOL CALLBACK DestroyIfLauncher(HWND window, LPARAM) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, ARRAYSIZE(name));
  if (lstrcmpW(name, kClassName) == 0) DestroyWindow(window);
  return TRUE;
}

class FreshLauncherEachTest : public ::testing::EmptyTestEventListener {
  // Taken in main(), after every static is initialised.
  void OnTestProgramStart(const ::testing::UnitTest&) override {
    initial_.launcher = state;
    initial_.seams = platform;
    for (int i = 0; i < kButtonCount; ++i) initial_.buttons[i] = buttonTable[i];
    initial_.mask = maskRecord;
    GetCurrentDirectoryA(MAX_PATH, initial_.directory);
  }

  void OnTestEnd(const ::testing::TestInfo&) override {
    ReleaseCapture();
    EnumThreadWindows(GetCurrentThreadId(), DestroyIfLauncher, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message != WM_QUIT) DispatchMessageA(&msg);
    }
    UnregisterClassW(kClassName, GetModuleHandleA(nullptr));
    if (state.instance != nullptr) UnregisterClassW(kClassName, state.instance);
    state = initial_.launcher;
    platform = initial_.seams;
    for (int i = 0; i < kButtonCount; ++i) buttonTable[i] = initial_.buttons[i];
    maskRecord = initial_.mask;
    seam::Reset();
    SetCurrentDirectoryA(initial_.directory);
  }

  Initial initial_ = {};
};

[[maybe_unused]] const bool registered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshLauncherEachTest);
  return true;
}();

}  // namespace
