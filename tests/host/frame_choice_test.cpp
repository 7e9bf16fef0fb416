#include "buttons/frame_choice.h"

#include <gtest/gtest.h>

#include "shell/screen_scale.h"

namespace {

// The button class's values, written out here so that a wrong constant shows.
constexpr uint32_t kDrawEntire = 0x1, kSelect = 0x2, kFocus = 0x4;
constexpr uint32_t kSelected = 0x1, kHasFocus = 0x10, kDisabled = 0x4;
constexpr int32_t N = 0, H = 42, P = 84;

struct FrameCase {
  uint32_t itemAction;
  uint32_t itemState;
  int32_t ctlId;
  int32_t hotButtonId;
  int32_t frame;
  const char* why;
};

constexpr FrameCase kFrameCases[] = {
    {kDrawEntire, 0, 202, 0, N, "neither focus nor hot"},
    {kDrawEntire, 0, 202, 203, N, "another button is hot"},
    {kDrawEntire, kHasFocus, 202, 0, H, "focus alone highlights"},
    {kDrawEntire, 0, 202, 202, H, "being hot alone highlights"},
    {kFocus, 0, 201, 201, H, "losing the focus while still hot"},
    {kFocus, 0, 201, 202, N, "losing the focus after the highlight moved on"},
    {kFocus, kHasFocus, 204, 0, H, "gaining the focus"},
    {kSelect, kSelected | kHasFocus, 203, 203, P, "a press beats the highlight"},
    {kSelect, kSelected, 203, 0, P, "a press without focus or hot"},
    {kSelect, kHasFocus, 203, 0, H, "a release with the focus"},
    {kSelect, 0, 203, 0, N, "a release without focus or hot"},
    {kSelect, 0, 203, 203, H, "a release over the hot button"},
    {kDrawEntire, kSelected | kHasFocus, 201, 201, H, "repainting a held button"},
    {kDrawEntire, kSelected, 201, 0, N, "repainting a held button without focus"},
    {kFocus, kSelected | kHasFocus, 201, 0, H, "a focus change of a held button"},
    {kSelect | kFocus, kSelected, 201, 0, P, "a press reported with other actions"},
    {kDrawEntire, kDisabled, 204, 0, N, "other state bits are ignored"},
};

TEST(FrameChoice, FollowsTheRulesInOrder) {
  for (const FrameCase& c : kFrameCases) {
    EXPECT_EQ(c.frame, ChooseFrameX(c.itemAction, c.itemState, c.ctlId, c.hotButtonId)) << c.why;
  }
}

struct SoundCase {
  uint32_t itemAction;
  uint32_t itemState;
  int sound;
};

constexpr SoundCase kSoundCases[] = {
    {kSelect, kSelected, 300},
    {kSelect, kSelected | kHasFocus, 300},
    {kSelect, 0, 301},
    {kSelect, kHasFocus, 301},
    {kSelect | kFocus, kSelected, 300},
    {kDrawEntire, kSelected, 0},  // a repaint of a held button is silent
    {kDrawEntire, 0, 0},
    {kFocus, kSelected | kHasFocus, 0},
    {kFocus, 0, 0},
};

// Frames, places and sides scale with the screen, rounded as MulDiv rounds: at 96 dpi
// nothing moves; at 120 dpi 42 becomes 53 and 248 310.
TEST(FrameChoice, FramesAndPlacesScaleWithTheScreen) {
  for (const int32_t dpi : {96, 120, 144, 192, 288}) {
    const int32_t side = ScaleToDpi(42, dpi);
    EXPECT_EQ((42 * dpi + 48) / 96, side) << dpi;
    EXPECT_EQ(side, FrameXAtSide(kHighlightedFrameX, side)) << dpi;
    EXPECT_EQ(2 * side, FrameXAtSide(kPressedFrameX, side)) << dpi;
  }
  EXPECT_EQ(96, UsableDpi(0)) << "nothing reported";
}

TEST(PressSound, OnlyAChangeOfThePressedStateSounds) {
  for (const SoundCase& c : kSoundCases) {
    EXPECT_EQ(c.sound, PressSoundFor(c.itemAction, c.itemState))
        << "action " << c.itemAction << ", state " << c.itemState;
  }
}

}  // namespace
