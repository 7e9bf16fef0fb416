#include "buttons/button_table.h"
#include "buttons/drawn_labels.h"
#include "commands/launch_commands.h"
#include "media/gdi_handles.h"
#include "media/outline_region.h"
#include "media/resource_ids.h"
#include "media/scaled_art.h"
#include "shell/launcher_state.h"
#include "shell/startup.h"
#include "transitions/transition_table.h"

namespace {

constexpr int kButtonFrames = 3;  // normal, highlighted, pressed

// Faces and mask are optional: a missing one leaves its button showing the picture.
void LoadButtonArt() {
  int width = 0;
  int height = 0;
  for (int row = 0; row < kButtonCount; ++row) {
    ButtonRecord& button = buttonTable[row];
    if (button.enabled)
      button.faceBitmap = LoadArtAtDpi(kFirstFaceId + row, state.dpi, kButtonFrames, BLACKNESS,
                                       &button.facePalette, &width, &height);
  }
  maskRecord.faceBitmap =
      LoadArtAtDpi(kMaskId, state.dpi, kButtonFrames, WHITENESS, nullptr, &width, &height);
}

}  // namespace

bool LoadArt() {
  LoadButtonArt();
  state.background = LoadArtAtDpi(kPictureId, state.dpi, 1, 0, &state.palette,
                                  &state.backgroundWidth, &state.backgroundHeight);
  // Its height sizes every window: a top-down picture (negative height) would open
  // windows of no height that nothing can close, so it counts as missing.
  if (state.background != nullptr && state.backgroundHeight <= 0) {
    DeleteAndClear(state.background);
    DeleteAndClear(state.palette);
  }
  if (state.background == nullptr) return false;
  WriteDrawnLabels();
  return true;
}

void ReleaseArt() {
  ReleaseOutline();
  DeleteAndClear(state.background);
  DeleteAndClear(state.palette);
  for (ButtonRecord& button : buttonTable) {
    if (button.enabled) ReleaseBitmapPair(button);
  }
  ReleaseBitmapPair(maskRecord);
}

HWND LoadArtAndOpen() {
  LeaveOutAbsentButtons();
  if (!LoadArt()) return nullptr;
  const TransitionEffect& effect = SelectedTransition();
  if (!effect.create()) return nullptr;
  effect.animate(1);
  return state.pieceWindows[0];
}
