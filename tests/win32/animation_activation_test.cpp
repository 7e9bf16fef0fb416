// What an open and a close cost in focus moves and palette repaints, counted from the
// launcher's own calls: the pieces are shown, hidden and placed a fixed number of times,
// so these counts must not grow with the number of steps the screen size asks for.
#include <gtest/gtest.h>

#include <cstring>

#include "import_patch.h"
#include "launcher_fixture.h"
#include "shell/launcher_wndproc.h"
#include "shell/startup.h"
#include "transitions/transition_table.h"

namespace {

int focusCalls = 0;
int paletteInvalidations = 0;
ImportPatch* setFocusPatch = nullptr;
ImportPatch* invalidatePatch = nullptr;

HWND WINAPI CountSetFocus(HWND window) {
  ++focusCalls;
  return reinterpret_cast<HWND(WINAPI*)(HWND)>(setFocusPatch->Original())(window);
}

// The highlight invalidates buttons without erasing; only the answer to a palette message
// erases, and only a piece window.
BOOL WINAPI CountInvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  if (erase) ++paletteInvalidations;
  return reinterpret_cast<BOOL(WINAPI*)(HWND, const RECT*, BOOL)>(invalidatePatch->Original())(
      window, rect, erase);
}

struct Counts {
  int steps, focusCalls, paletteInvalidations;
};

struct ScreenCase {
  const char* name;
  int width, height;  // what the display survey found
  int slow;
  int openSteps, closeSteps;
};

// The test display is 640x480; the large screen is the survey's answer alone, with the
// pieces moving mostly beyond the display's edges, which changes nothing they are told.
const ScreenCase kScreens[] = {
    {"small screen, slow machine", 640, 480, 1, 4, 20},
    {"small screen", 640, 480, 0, 14, 60},
    {"large screen", 1600, 1200, 0, 41, 60},
};

// The most that the activations of an open (its first step and its end) and of a close
// may cost in focus calls, and in palette repaints, whatever the number of steps.
constexpr int kMostInAnOpen = 6;
constexpr int kMostInAClose = 4;

void CheckCountsDontGrowWithSteps(bool paletteDisplay) {
  if (effectIndex != kVerticalHalves) GTEST_SKIP() << "built with another transition effect";
  ImportPatch setFocus("USER32.dll", "SetFocus", reinterpret_cast<void*>(CountSetFocus));
  ImportPatch invalidate("USER32.dll", "InvalidateRect", reinterpret_cast<void*>(CountInvalidateRect));
  ASSERT_TRUE(setFocus.Installed() && invalidate.Installed());
  setFocusPatch = &setFocus;
  invalidatePatch = &invalidate;

  std::vector<Counts> opens, closes;
  for (const ScreenCase& c : kScreens) {
    PrepareLauncher();
    ASSERT_EQ(paletteDisplay, state.displayColours == 256);
    state.screenWidth = c.width;
    state.screenHeight = c.height;
    seam::slowMachine = c.slow;
    {
      MoveRecorder moves;
      focusCalls = paletteInvalidations = 0;
      ASSERT_NE(nullptr, LoadArtAndOpen()) << c.name;
      opens.push_back(Counts{static_cast<int>(moves.MovesOf(1).size()), focusCalls,
                             paletteInvalidations});
    }
    PumpMessages();
    EXPECT_EQ(GetActiveWindow(), state.pieceWindows[0]) << c.name << ": the open ends active";
    EXPECT_EQ(GetFocus(), GetDlgItem(state.pieceWindows[0], 201)) << c.name;
    {
      MoveRecorder moves;
      focusCalls = paletteInvalidations = 0;
      ExitLauncher();
      closes.push_back(Counts{static_cast<int>(moves.MovesOf(1).size()) - 1, focusCalls,
                              paletteInvalidations});  // less the pre-placement
    }
    EXPECT_TRUE(PumpMessages()) << c.name << ": the close ends the loop";
  }

  for (size_t i = 0; i < opens.size(); ++i) {
    const ScreenCase& c = kScreens[i];
    std::printf("%-28s open: %2d steps, %d focus calls, %d palette invalidations; "
                "close: %2d steps, %d focus calls, %d palette invalidations\n",
                c.name, opens[i].steps, opens[i].focusCalls, opens[i].paletteInvalidations,
                closes[i].steps, closes[i].focusCalls, closes[i].paletteInvalidations);
    EXPECT_EQ(c.openSteps, opens[i].steps) << c.name;
    EXPECT_EQ(c.closeSteps, closes[i].steps) << c.name;
    EXPECT_EQ(opens[0].focusCalls, opens[i].focusCalls) << c.name << ": open";
    EXPECT_EQ(opens[0].paletteInvalidations, opens[i].paletteInvalidations) << c.name << ": open";
    EXPECT_EQ(closes[0].focusCalls, closes[i].focusCalls) << c.name << ": close";
    EXPECT_EQ(closes[0].paletteInvalidations, closes[i].paletteInvalidations) << c.name << ": close";
    EXPECT_GE(kMostInAnOpen, opens[i].focusCalls) << c.name;
    EXPECT_GE(kMostInAClose, closes[i].focusCalls) << c.name;
    EXPECT_GE(kMostInAnOpen, opens[i].paletteInvalidations) << c.name;
    EXPECT_GE(kMostInAClose, closes[i].paletteInvalidations) << c.name;
    if (!paletteDisplay) {
      EXPECT_EQ(0, opens[i].paletteInvalidations + closes[i].paletteInvalidations) << c.name;
    }
  }
  setFocusPatch = invalidatePatch = nullptr;
}

TEST(AnimationActivation, FocusMovesDontGrowWithTheSteps) { CheckCountsDontGrowWithSteps(false); }

TEST(AnimationActivationDepth8, FocusMovesAndPaletteRepaintsDontGrowWithTheSteps) {
  CheckCountsDontGrowWithSteps(true);
}

}  // namespace
