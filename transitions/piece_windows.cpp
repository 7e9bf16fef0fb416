#include "transitions/piece_windows.h"

#include "media/outline_region.h"
#include "media/resource_strings.h"
#include "media/sound_bank.h"
#include "shell/launcher_names.h"
#include "shell/launcher_state.h"
#include "shell/platform_seam.h"
#include "transitions/animation.h"
#include "transitions/blit_centered.h"

namespace {

constexpr UINT kMove = SWP_NOSIZE | SWP_NOZORDER;
constexpr UINT kSlide = kMove | SWP_NOACTIVATE;
constexpr UINT kPlace = SWP_NOZORDER;  // moves, sizes and activates
constexpr DWORD kLauncherStyle = WS_POPUP;
constexpr DWORD kPieceStyle = WS_POPUP | WS_CHILD;  // owned top-level windows

// A visible shape: the picture's shape (the ellipse, or the brand's outline) cut by the
// clip rectangle. A region that can't be made leaves the window's shape as it was.
void SetClippedShape(HWND window, PieceRegion region, int32_t wr, int32_t hr) {
  HRGN shape = CreateShapeRegion(region.offsetX, region.offsetY, wr, hr);
  if (shape == nullptr) return;
  HRGN clip = CreateRectRgn(0, 0, region.clipWidth, region.clipHeight);
  if (clip == nullptr) {
    DeleteObject(shape);
    return;
  }
  CombineRgn(shape, shape, clip, RGN_AND);
  SetWindowRgn(window, shape, TRUE);  // the window owns it from now on
  DeleteObject(clip);
}

class WindowStage final : public PieceStage {
 public:
  PieceRect ReadRect(int piece) override {
    RECT r = {};
    GetWindowRect(Window(piece), &r);
    return PieceRect{r.left, r.top, r.right, r.bottom};
  }
  void Move(int piece, PiecePoint p) override {
    SetWindowPos(Window(piece), nullptr, p.x, p.y, 0, 0, kMove);
  }
  void Slide(int piece, PiecePoint p) override {
    SetWindowPos(Window(piece), nullptr, p.x, p.y, 0, 0, kSlide);
  }
  void Show(int piece) override { ShowWindow(Window(piece), SW_SHOW); }
  void Hide(int piece) override { ShowWindow(Window(piece), SW_HIDE); }
  void Repaint(int piece) override { UpdateWindow(Window(piece)); }
  void SetRegion(int piece, PieceRegion region, int32_t wr, int32_t hr) override {
    SetClippedShape(Window(piece), region, wr, hr);
  }
  void SetWholeEllipse(int piece, int32_t w, int32_t h) override {
    HRGN shape = CreateShapeRegion(0, 0, w, h);
    if (shape != nullptr) SetWindowRgn(Window(piece), shape, TRUE);
  }
  void MoveAndSize(int piece, PieceRect r) override {
    SetWindowPos(Window(piece), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 kPlace);
  }
  void Destroy(int piece) override { DestroyWindow(Window(piece)); }
  uint32_t Tick() override { return platform.getTickCount(); }
  bool SlowMachine() override { return platform.getSystemMetrics(SM_SLOWMACHINE) != 0; }
  void PlaySound(int id) override { PlaySoundId(id); }

 private:
  static HWND Window(int piece) { return state.pieceWindows[piece]; }
};

HWND CreatePieceWindow(int piece, PiecePoint at) {
  const bool launcher = piece == 0;
  if (launcher) LoadWindowTitle();
  return CreateWindowExW(0, kClassName, launcher ? state.windowTitle : L"",
                         launcher ? kLauncherStyle : kPieceStyle, at.x, at.y,
                         state.backgroundWidth, state.backgroundHeight,
                         launcher ? nullptr : state.pieceWindows[0], nullptr, state.instance,
                         nullptr);
}

}  // namespace

Scene CurrentScene() {
  return Scene{state.screenWidth, state.screenHeight, state.backgroundWidth,
               state.backgroundHeight, state.dpi};
}

int CreatePieces(const EffectGeometry& effect) {
  const Scene scene = CurrentScene();
  for (int i = 0; i < effect.pieceCount; ++i) {
    const PiecePoint at = effect.start(i, scene);
    state.creatingPiece = i;
    state.pieceWindows[i] = CreatePieceWindow(i, at);
    if (state.pieceWindows[i] == nullptr) return 0;
  }
  return 1;
}

int AnimatePieces(const EffectGeometry& effect, int32_t direction) {
  WindowStage stage;
  return RunAnimation(effect, direction, CurrentScene(), stage);
}

void FitPiecesToPicture(const EffectGeometry& effect) {
  const int32_t w = state.backgroundWidth, h = state.backgroundHeight;
  for (int i = 1; i < effect.pieceCount; ++i) {
    HWND piece = state.pieceWindows[i];
    if (piece == nullptr) continue;
    // The close only slides the pieces and shapes the launcher window alone.
    SetWindowPos(piece, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetClippedShape(piece, effect.region(i, w, h), w, h);
  }
}

void PaintPiece(const EffectGeometry& effect, HWND window, HDC dc) {
  if (state.background == nullptr) return;
  const int piece = static_cast<int>(GetWindowLongPtrA(window, GWLP_USERDATA));
  const PiecePoint source = effect.paintSource(piece, state.backgroundWidth, state.backgroundHeight);
  const RECT whole = {0, 0, state.backgroundWidth, state.backgroundHeight};
  BlitCentered(dc, state.background, whole, source.x, source.y, state.palette, SRCCOPY);
}
