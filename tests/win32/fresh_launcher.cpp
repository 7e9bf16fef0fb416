// Every test starts from the launcher's state at process start, as if it ran alone: the
// whole program then runs in one Wine process, which the emulated 32-bit machine needs
// (each process start costs it seconds). After each test its launcher windows go, its
// thread timers are killed (a timer left by a failed test would fire in the next one),
// its queue is emptied, what the launcher's statics hold is released, its window class
// unregistered, and the statics (the layout too), the seams and the current directory are
// put back.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "buttons/button_table.h"
#include "buttons/current_layout.h"
#include "import_patch.h"
#include "media/gdi_handles.h"
#include "media/sound_bank.h"
#include "seam_recorder.h"
#include "shell/launcher_names.h"
#include "shell/launcher_state.h"
#include "shell/platform_seam.h"

namespace {

struct Initial {
  LauncherState launcher;
  PlatformSeam seams;
  Layout layout;
  ButtonRecord buttons[kButtonCount];
  ButtonRecord mask;
  char directory[MAX_PATH];
};

// Every thread timer a test sets: the platform can't list them.
std::vector<UINT_PTR> threadTimers;
ImportPatch* setTimerPatch = nullptr;

UINT_PTR WINAPI RecordThreadTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  const UINT_PTR timer =
      reinterpret_cast<decltype(&SetTimer)>(setTimerPatch->Original())(window, id, elapse, proc);
  if (window == nullptr && timer != 0) threadTimers.push_back(timer);
  return timer;
}

void KillThreadTimers() {
  for (UINT_PTR timer : threadTimers) KillTimer(nullptr, timer);
  threadTimers.clear();
}

// The art and sounds the last test left loaded, whether or not its window took them.
void ReleaseLauncherHoldings() {
  DeleteAndClear(state.background);
  DeleteAndClear(state.palette);
  for (ButtonRecord& button : buttonTable) ReleaseBitmapPair(button);
  ReleaseBitmapPair(maskRecord);
  FreeSounds();
}

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
    initial_.layout = CurrentLayout();
    for (int i = 0; i < kButtonCount; ++i) initial_.buttons[i] = buttonTable[i];
    initial_.mask = maskRecord;
    GetCurrentDirectoryA(MAX_PATH, initial_.directory);
    setTimerPatch = new ImportPatch("USER32.dll", "SetTimer", reinterpret_cast<void*>(RecordThreadTimer));
  }

  void OnTestEnd(const ::testing::TestInfo&) override {
    ReleaseCapture();
    KillThreadTimers();
    EnumThreadWindows(GetCurrentThreadId(), DestroyIfLauncher, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message != WM_QUIT) DispatchMessageA(&msg);
    }
    ReleaseLauncherHoldings();
    UnregisterClassW(kClassName, GetModuleHandleA(nullptr));
    if (state.instance != nullptr) UnregisterClassW(kClassName, state.instance);
    state = initial_.launcher;
    platform = initial_.seams;
    UseLayout(initial_.layout);
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
