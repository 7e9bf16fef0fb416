#include "buttons/button_table.h"
#include "buttons/current_layout.h"
#include "buttons/drawn_labels.h"
#include "buttons/faces_in_picture.h"
#include "commands/installed_state.h"
#include "commands/launch_commands.h"
#include "media/bitmap_loader.h"
#include "media/gdi_handles.h"
#include "media/outline_region.h"
#include "media/resource_ids.h"
#include "media/resource_language.h"
#include "media/scaled_art.h"
#include "shell/launcher_state.h"
#include "shell/screen_scale.h"
#include "shell/startup.h"
#include "transitions/transition_table.h"

namespace {

constexpr int kButtonFrames = 3;  // normal, highlighted, pressed

// Art of `id` whose frames are `side` pixels square at the screen's scale, or null: art of
// another size would show a part of another button's frame.
HBITMAP LoadFramesOfSide(int id, int side, DWORD edgeRop, HPALETTE* paletteSlot) {
  int width = 0;
  int height = 0;
  HBITMAP art = LoadArtAtDpi(id, state.dpi, kButtonFrames, edgeRop, paletteSlot, &width, &height);
  if (art != nullptr && width / kButtonFrames == side) return art;
  DeleteAndClear(art);
  if (paletteSlot != nullptr) DeleteAndClear(*paletteSlot);
  return nullptr;
}

// A face is drawn through the button's own mask (id + 20), else through the shared one,
// whose frames are Norvane's 42 pixels: a button of another size without its own mask gets
// no face, and shows the picture.
void LoadFaceAndMask(ButtonRecord& button) {
  const int side = ScaleToDpi(button.size, state.dpi);
  if (FindLauncherResource(button.id + kOwnMaskOffset, kBitmapType) != nullptr)
    button.ownMask = LoadFramesOfSide(button.id + kOwnMaskOffset, side, WHITENESS, nullptr);
  if (MaskOf(button) == nullptr && button.size != kButtonSize) return;
  button.faceBitmap = LoadFramesOfSide(button.id, side, BLACKNESS, &button.facePalette);
}

// Faces and masks are optional: a missing one leaves its button showing the picture.
void LoadButtonArt() {
  int width = 0;
  int height = 0;
  for (ButtonRecord& button : buttonTable) {
    if (button.enabled) LoadFaceAndMask(button);
  }
  maskRecord.faceBitmap =
      LoadArtAtDpi(kMaskId, state.dpi, kButtonFrames, WHITENESS, nullptr, &width, &height);
}

// The picture is the layout's size at the screen's scale.
bool PictureFitsLayout() {
  const Layout& layout = CurrentLayout();
  return state.backgroundWidth == ScaleToDpi(layout.width, state.dpi) &&
         state.backgroundHeight == ScaleToDpi(layout.height, state.dpi);
}

// While installed, the brand's installed picture where it gives one.
int PictureOfState() {
  const bool own = state.installed && FindLauncherResource(kInstalledPictureId, kBitmapType);
  return own ? kInstalledPictureId : kPictureId;
}

}  // namespace

bool LoadArt() {
  LoadButtonArt();
  state.background = LoadPictureAtDpi(PictureOfState(), state.dpi, &state.palette,
                                      &state.backgroundWidth, &state.backgroundHeight);
  // Its height sizes every window: a top-down picture (negative height) would open
  // windows of no height that nothing can close, so it counts as missing, as does a
  // picture of another size than the layout's.
  if (state.background != nullptr && !PictureFitsLayout()) {
    DeleteAndClear(state.background);
    DeleteAndClear(state.palette);
  }
  if (state.background == nullptr) return false;
  PaintFacesIntoPicture();
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

// It opens in the state it finds.
HWND LoadArtAndOpen() {
  DecideInstalledState();
  LeaveOutAbsentButtons();
  if (!LoadArt()) return nullptr;
  const TransitionEffect& effect = SelectedTransition();
  if (!effect.create()) return nullptr;
  effect.animate(1);
  return state.pieceWindows[0];
}
