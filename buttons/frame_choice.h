#pragma once
// Which frame of the mask and face a draw request shows, and which sound it plays. Plain
// code over the numbers of the request, so the rules can be checked without windows.
#include <cstdint>

// The mask and every face hold three 42x42 frames side by side; their left columns:
constexpr int32_t kNormalFrameX = 0;
constexpr int32_t kHighlightedFrameX = 42;  // a blue glow ring around the button
constexpr int32_t kPressedFrameX = 84;

// Bits of an owner-draw request, with the values the button class reports.
constexpr uint32_t kActionSelect = 0x2;   // ODA_SELECT: the pressed state changed
constexpr uint32_t kStateSelected = 0x1;  // ODS_SELECTED: the button is held down
constexpr uint32_t kStateFocus = 0x10;    // ODS_FOCUS: the button holds the focus

// The x of the frame to draw for button `ctlId`. Later rules win: normal; highlighted
// when the button holds the focus or is the hot button; pressed only for a request that
// reports the button going down, so a repaint of a held button shows it highlighted.
int32_t ChooseFrameX(uint32_t itemAction, uint32_t itemState, int32_t ctlId,
                     int32_t hotButtonId);

// Where frame `frameX` starts in art whose frames are `side` pixels square (the art at
// the screen's scale); `frameX` itself at 42.
int32_t FrameXAtSide(int32_t frameX, int32_t side);

// The sound a request plays: the press sound when it reports the button going down, the
// release sound when it reports it coming up, 0 (none) for any other request.
int PressSoundFor(uint32_t itemAction, uint32_t itemState);
