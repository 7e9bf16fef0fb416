#pragma once
// The animation every effect shares: pieces move a fixed distance per step, are repainted
// and read back after every move, until the effect's condition fails or 2300 ms have
// passed. Plain code: the window system is reached only through a PieceStage.
#include <cstdint>

#include "transitions/effect_geometry.h"

constexpr uint32_t kAnimationTimeLimitMs = 2300;

// The window operations one animation needs, on piece windows named by index.
class PieceStage {
 public:
  virtual PieceRect ReadRect(int piece) = 0;
  // Both keep the piece's size and z-order. A move activates the piece it moves; a slide
  // never does, so that steps don't hand the activation (and with it the focus and, on a
  // palette display, a repaint with erasing) from piece to piece.
  virtual void Move(int piece, PiecePoint topLeft) = 0;
  virtual void Slide(int piece, PiecePoint topLeft) = 0;
  virtual void Show(int piece) = 0;
  virtual void Hide(int piece) = 0;
  virtual void Repaint(int piece) = 0;  // paints at once what is invalid
  virtual void SetRegion(int piece, PieceRegion region, int32_t wr, int32_t hr) = 0;
  virtual void SetWholeEllipse(int piece, int32_t w, int32_t h) = 0;  // or the whole outline
  virtual void MoveAndSize(int piece, PieceRect rect) = 0;  // and activates it
  virtual void Destroy(int piece) = 0;
  virtual uint32_t Tick() = 0;
  virtual bool SlowMachine() = 0;
  virtual void PlaySound(int id) = 0;

 protected:
  ~PieceStage() = default;
};

// Runs one open (direction 1) or close (any other direction) and returns the number of
// steps taken.
int RunAnimation(const EffectGeometry& effect, int32_t direction, const Scene& scene,
                 PieceStage& stage);
