// The start-up sequence and its exit codes, run for real.
#include <gtest/gtest.h>

#include "launcher_fixture.h"
#include "shell/launcher_names.h"

namespace {

HINSTANCE ThisModule() { return GetModuleHandleA(nullptr); }

TEST(Startup, ExitsWith3AndShowsNothingWhenTheDisplayCannotBeSurveyed) {
  seam::Install();
  seam::displayFails = true;
  EXPECT_EQ(kExitNoDisplay, RunLauncher(ThisModule()));
  EXPECT_EQ(0, state.classAtom);
  EXPECT_EQ(nullptr, FindWindowW(kClassName, nullptr));
}

TEST(Startup, ExitsWith1WhenTheWindowClassCannotBeRegistered) {
  seam::Install();
  WNDCLASSW taken = {};
  taken.lpfnWndProc = DefWindowProcW;
  taken.hInstance = ThisModule();
  taken.lpszClassName = kClassName;
  ASSERT_NE(0, RegisterClassW(&taken));
  EXPECT_EQ(kExitNoWindowClass, RunLauncher(ThisModule()));
  EXPECT_NE(nullptr, state.sounds[0]) << "the sounds stay loaded";
}

// A module without our pictures: kernel32 carries no bitmap 199.
TEST(Startup, ExitsWith2AndCreatesNoWindowWhenThePictureIsMissing) {
  seam::Install();
  EXPECT_EQ(kExitNoWindow, RunLauncher(GetModuleHandleA("kernel32.dll")));
  EXPECT_EQ(nullptr, state.pieceWindows[0]);
  EXPECT_EQ(nullptr, FindWindowW(kClassName, nullptr));
}

VOID CALLBACK GiveUp(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  PostQuitMessage(99);
}

// A top-down picture would size the windows to a negative height: nothing shows and
// nothing can be double-clicked. It counts as missing.
TEST(Startup, ExitsWith2WhenThePictureIsStoredTopDown) {
  seam::Install();
  seam::tickAdvance = 100;  // an open that never meets its end still meets the time limit
  HMODULE art = LoadLibraryA("top_down_picture.dll");
  ASSERT_NE(nullptr, art);
  // The loop a faulty start-up would enter ends; the timer goes with the test.
  const UINT_PTR giveUp = SetTimer(nullptr, 0, 3000, GiveUp);
  EXPECT_EQ(kExitNoWindow, RunLauncher(art));
  KillTimer(nullptr, giveUp);
  EXPECT_EQ(nullptr, state.background);
  EXPECT_EQ(nullptr, FindWindowW(kClassName, nullptr));
}

// Once the launcher is open, a double-click on the picture closes it.
VOID CALLBACK DoubleClickTheLauncher(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  PostMessageA(state.pieceWindows[0], WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(180, 300));
}

// It runs in the system directory, which no disc holds.
TEST(Startup, OpensRunsAndEndsWithExitCode0OnADoubleClick) {
  seam::Install();
  SetTimer(nullptr, 0, 10, DoubleClickTheLauncher);
  EXPECT_EQ(kExitNormal, RunLauncher(ThisModule()));
  char current[MAX_PATH] = "", system[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, current);
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_STREQ(system, current);
  EXPECT_FALSE(IsWindow(state.pieceWindows[0]));
  EXPECT_FALSE(IsWindow(state.pieceWindows[1]));
  EXPECT_EQ(nullptr, state.background) << "the art is released with the launcher window";
  const std::vector<std::string> expected = {"stop", "play 303", "stop", "play 304",
                                             "stop", "play 305", "stop"};
  EXPECT_EQ(expected, seam::soundLog);
}

TEST(Startup, RecordsTheDirectoryTheLauncherRunsFrom) {
  state.instance = ThisModule();
  RecordModuleDirectory();
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring full = path;
  EXPECT_EQ(full.substr(0, full.find_last_of(L'\\')), state.moduleDirectory);
  EXPECT_TRUE(state.moduleDirectoryWhole);
}

}  // namespace
