// The highlight events on the real launcher window and its real buttons: the ordered
// effects of each event, including the draws that its focus move causes at once and the
// repaints it leaves for later, then the state it leaves and what the buttons show.
#include <gtest/gtest.h>

#include "live_launcher.h"

namespace {

class Highlight : public LiveLauncher {};

TEST_F(Highlight, AfterTheOpenButton201HoldsTheFocusAndShowsItsHighlight) {
  EXPECT_EQ("201", FocusName());
  EXPECT_EQ(0, state.hotButtonId);
  EXPECT_EQ(201, state.lastButtonId);
  EXPECT_NE(0, state.launcherActive);
  EXPECT_EQ("201", LitButtons());
}

struct HighlightCase {
  const char* name;
  std::vector<std::string> arrange;  // events that set the scene, not recorded
  std::string event;
  std::vector<std::string> effects;  // while the event is handled, in order
  std::vector<std::string> later;    // once the pending repaints are done
  int hot, last;
  const char* focus;
  const char* lit;  // buttons shown highlighted at the end
};

const HighlightCase kHighlightCases[] = {
    {"Tab on a button", {}, "tab 201",
     {"play 302", "invalidate 201", "focus 202", "draw 201 focus normal", "draw 202 focus highlighted"},
     {"draw 201 entire normal"}, 202, 201, "202", "202"},
    {"Tab on the last button wraps around", {"mouse 204"}, "tab 204",
     {"play 302", "invalidate 204", "focus 201", "draw 204 focus normal", "draw 201 focus highlighted"},
     {"draw 204 entire normal"}, 201, 201, "201", "201"},
    {"Shift+Tab on the first button goes back to the last", {}, "shift-tab 201",
     {"play 302", "invalidate 201", "focus 204", "draw 201 focus normal", "draw 204 focus highlighted"},
     {"draw 201 entire normal"}, 204, 201, "204", "204"},
    {"Mouse onto a button while another is hot", {"mouse 201"}, "mouse 203",
     {"play 302", "focus 203", "draw 201 focus highlighted", "draw 203 focus highlighted",
      "invalidate 201"},
     {"draw 201 entire normal"}, 203, 201, "203", "203"},
    {"Mouse onto a button while none is hot", {}, "mouse 202",
     {"play 302", "focus 202", "draw 201 focus normal", "draw 202 focus highlighted"},
     {}, 202, 201, "202", "202"},
    {"Mouse onto the focused button while none is hot", {}, "mouse 201",
     {"play 302"}, {}, 201, 201, "201", "201"},
    {"Mouse over the hot button again", {"mouse 202"}, "mouse 202", {}, {}, 202, 201, "202", "202"},
    {"Mouse onto the picture while a button is hot", {"mouse 203"}, "mouse picture",
     {"focus launcher", "draw 203 focus highlighted", "invalidate 203"},
     {"draw 203 entire normal"}, 0, 203, "launcher", "none"},
    {"Mouse on the picture while none is hot", {}, "mouse picture", {}, {}, 0, 201, "201", "201"},
    {"Deactivation", {"mouse 202"}, "activate 0",
     {"focus launcher", "draw 202 focus highlighted", "invalidate 202"},
     {"draw 202 entire normal"}, 0, 202, "launcher", "none"},
    {"Activation by a click", {"mouse 202"}, "activate 2",
     {"focus launcher", "draw 202 focus highlighted", "invalidate 202"},
     {"draw 202 entire normal"}, 0, 202, "launcher", "none"},
    {"Activation of a minimised launcher", {"mouse 202"}, "activate 0x10001",
     {"focus launcher", "draw 202 focus highlighted", "invalidate 202"},
     {"draw 202 entire normal"}, 0, 202, "launcher", "none"},
    {"Deactivation while none is hot", {}, "activate 0",
     {"focus launcher", "draw 201 focus normal"}, {}, 0, 201, "launcher", "none"},
    {"Activation from the keyboard", {"mouse 203", "mouse picture"}, "activate 1",
     {"focus 203", "draw 203 focus highlighted"}, {}, 0, 203, "203", "203"},
    {"Activation from the keyboard before any highlight", {"activate 0"}, "activate 1",
     {"focus 201", "draw 201 focus highlighted"}, {}, 0, 201, "201", "201"},
    {"Tab on the launcher window", {"mouse 203", "mouse picture"}, "tab launcher",
     {"focus 203", "draw 203 focus highlighted"}, {}, 0, 203, "203", "203"},
    {"Another key on the launcher window", {"mouse 203", "mouse picture"}, "key launcher",
     {}, {}, 0, 203, "launcher", "none"},
    {"Mouse onto a button of an inactive launcher", {"ncactivate 0"}, "mouse 203",
     {}, {}, 0, 201, "201", "201"},
    {"Mouse onto the picture of an inactive launcher", {"mouse 202", "ncactivate 0"}, "mouse picture",
     {}, {}, 202, 201, "202", "202"},
    {"Pointer resting on a button takes the highlight back after a Tab", {"mouse 201", "tab 201"},
     "mouse 201",
     {"play 302", "focus 201", "draw 202 focus highlighted", "draw 201 focus highlighted",
      "invalidate 202"},
     {"draw 202 entire normal"}, 201, 201, "201", "201"},
};

// Every case starts from the state the open leaves, reached again through real events.
TEST_F(Highlight, EachEventHasItsEffectsInOrder) {
  const std::vector<std::string> fromTheOpen = {"ncactivate 1", "mouse 201", "mouse picture",
                                                "activate 1"};
  for (const HighlightCase& c : kHighlightCases) {
    for (const std::string& event : fromTheOpen) Do(event);
    PumpMessages();
    ASSERT_EQ("201 0 201", FocusName() + " " + std::to_string(state.hotButtonId) + " " +
                               std::to_string(state.lastButtonId))
        << "before " << c.name;
    for (const std::string& event : c.arrange) Do(event);
    PumpMessages();

    EffectRecorder recorder(launcher_);
    Do(c.event);
    ExpectEffects(c.effects, recorder.Take(), std::string(c.name) + ", " + c.event);
    PumpMessages();
    ExpectEffects(c.later, recorder.Take(), std::string(c.name) + ", later");
    EXPECT_EQ(c.hot, state.hotButtonId) << c.name;
    EXPECT_EQ(c.last, state.lastButtonId) << c.name;
    EXPECT_EQ(c.focus, FocusName()) << c.name;
    EXPECT_STREQ(c.lit, LitButtons().c_str()) << c.name;
  }
}

TEST_F(Highlight, NonClientActivationOfAnyLauncherWindowRecordsTheFlag) {
  SendMessageA(state.pieceWindows[1], WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(0, state.launcherActive) << "the hidden lower half is a launcher window too";
  SendMessageA(launcher_, WM_NCACTIVATE, TRUE, 0);
  EXPECT_EQ(1, state.launcherActive);
}

// Real activation changes, as another window of the program takes the activation and
// gives it back.
TEST_F(Highlight, SwitchingAwayDropsTheHighlightAndSwitchingBackRestoresIt) {
  Do("mouse 202");
  PumpMessages();
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(nullptr, other);
  EffectRecorder recorder(launcher_);
  ShowWindow(other, SW_SHOW);  // shown, it takes the activation
  ExpectEffects({"focus launcher", "draw 202 focus highlighted", "invalidate 202",
                 "focus another window"},
                recorder.Take(), "switching away");
  EXPECT_EQ(0, state.launcherActive);
  EXPECT_EQ(202, state.lastButtonId);
  PumpMessages();
  ExpectEffects({"draw 202 entire normal"}, recorder.Take(), "switching away, later");
  EXPECT_EQ("none", LitButtons());

  SetActiveWindow(launcher_);
  ExpectEffects({"focus 202", "draw 202 focus highlighted"}, recorder.Take(), "switching back");
  EXPECT_NE(0, state.launcherActive);
  EXPECT_EQ("202", FocusName());
  PumpMessages();
  EXPECT_EQ("202", LitButtons());
  EXPECT_EQ(0, state.hotButtonId) << "focus only, until the pointer or Tab moves it";
  DestroyWindow(other);
}

}  // namespace
