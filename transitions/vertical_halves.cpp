#include "transitions/vertical_halves.h"

namespace {

// Each half's visible band starts flush with its edge of the screen.
PiecePoint Start(int piece, const Scene& s) {
  const int32_t x = (s.screenWidth - s.pictureWidth) / 2;
  return piece == 0 ? PiecePoint{x, 0} : PiecePoint{x, s.screenHeight - s.pictureHeight / 2};
}

PiecePoint Step(int piece, StepSizes steps, bool) {
  return PiecePoint{0, piece == 0 ? steps.sy : -steps.sy};
}

// Goes on while the lower edge of the upper band, one step on, would still lie above the
// top of the lower piece, one step on.
bool OpenContinues(const PieceRect* r, StepSizes steps, const Scene& s) {
  return r[0].bottom - s.pictureHeight / 2 + steps.sy < r[1].top - steps.sy;
}

// Ends once either half's whole window has left the screen.
bool CloseContinues(const PieceRect* r, const Scene& s) {
  return r[0].bottom > 0 && r[1].top < s.screenHeight;
}

// Each piece shows the top band of its window; the lower half's ellipse is lifted by Hr/2.
PieceRegion Region(int piece, int32_t wr, int32_t hr) {
  return PieceRegion{wr, hr / 2, 0, piece == 0 ? 0 : -(hr / 2)};
}

// The lower half goes right below the upper half's visible band.
PiecePoint CloseOffset(int piece, int32_t, int32_t hr) {
  return PiecePoint{0, piece == 0 ? 0 : hr / 2};
}

PiecePoint PaintSource(int piece, int32_t, int32_t h) {
  return PiecePoint{0, piece == 0 ? 0 : h / 2};
}

}  // namespace

const EffectGeometry verticalHalvesGeometry = {
    2, 120, 40, Start, Step, OpenContinues, CloseContinues, Region, CloseOffset, PaintSource,
};
