#include "buttons/button_table.h"
#include "commands/launch_commands.h"
#include "media/bitmap_loader.h"
#include "media/gdi_handles.h"
#include "media/resource_ids.h"
#include "shell/launcher_state.h"
#include "shell/startup.h"
#include "transitions/transition_table.h"

namespace {

// Faces and mask are optional: a missing one leaves its button showing the picture.
void LoadButtonArt() {
  int width = 0;
  int height = 0;
  for (int row = 0; row < kButtonCount; ++row) {
    ButtonRecord& button = buttonTable[row];
    if (button.enabled)
      button.faceBitmap = LoadBitmapResource(kFirstFaceId + row, &button.facePalette, &width, &height);
  }
  maskRecord.faceBitmap = LoadBitmapResource(kMaskId, nullptr, &width, &height);
}

}  // namespace

HWND LoadArtAndOpen() {
  LeaveOutAbsentButtons();
  LoadButtonArt();
  state.background = LoadBitmapResource(kPictureId, &state.palette, &state.backgroundWidth,
                                        &state.backgroundHeight);
  // Its height sizes every window: a top-down picture (negative height) would open
  // windows of no height that nothing can close, so it counts as missing.
  if (state.background != nullptr && state.backgroundHeight <= 0) {
    DeleteAndClear(state.background);
    DeleteAndClear(state.palette);
  }
  if (state.background == nullptr) return nullptr;
  const TransitionEffect& effect = SelectedTransition();
  if (!effect.create()) return nullptr;
  effect.animate(1);
  return state.pieceWindows[0];
}
