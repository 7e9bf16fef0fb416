#include "buttons/frame_choice.h"

#include "media/resource_ids.h"

namespace {

bool ReportsPress(uint32_t itemAction, uint32_t itemState) {
  return (itemAction & kActionSelect) != 0 && (itemState & kStateSelected) != 0;
}

}  // namespace

int32_t ChooseFrameX(uint32_t itemAction, uint32_t itemState, int32_t ctlId,
                     int32_t hotButtonId) {
  int32_t frame = kNormalFrameX;
  if ((itemState & kStateFocus) != 0 || ctlId == hotButtonId) frame = kHighlightedFrameX;
  if (ReportsPress(itemAction, itemState)) frame = kPressedFrameX;
  return frame;
}

int32_t FrameXAtSide(int32_t frameX, int32_t side) {
  return frameX / (kHighlightedFrameX - kNormalFrameX) * side;
}

int PressSoundFor(uint32_t itemAction, uint32_t itemState) {
  if ((itemAction & kActionSelect) == 0) return 0;
  return ReportsPress(itemAction, itemState) ? kSoundPress : kSoundRelease;
}
