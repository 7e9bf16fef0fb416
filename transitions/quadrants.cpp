#include "transitions/quadrants.h"

namespace {

// The direction from the middle toward each piece's own corner.
constexpr PiecePoint kOwnCorner[4] = {{-1, -1}, {+1, -1}, {-1, +1}, {+1, +1}};

bool IsRight(int piece) { return piece == 1 || piece == 3; }
bool IsLower(int piece) { return piece > 1; }

PiecePoint CornerStart(int piece, const Scene& s) {
  return PiecePoint{IsRight(piece) ? s.screenWidth - s.pictureWidth / 2 : 0,
                    IsLower(piece) ? s.screenHeight - s.pictureHeight / 2 : 0};
}

// The diagonally opposite corner of CornerStart.
PiecePoint CrossingStart(int piece, const Scene& s) { return CornerStart(3 - piece, s); }

// Opens toward the middle, closes toward the own corner: the signed step sizes already
// carry the direction.
PiecePoint CornerStep(int piece, StepSizes steps, bool) {
  return PiecePoint{-kOwnCorner[piece].x * steps.sx, -kOwnCorner[piece].y * steps.sy};
}

// Moves toward the own corner in both directions.
PiecePoint CrossingStep(int piece, StepSizes steps, bool opening) {
  const int32_t sx = opening ? steps.sx : -steps.sx;
  const int32_t sy = opening ? steps.sy : -steps.sy;
  return PiecePoint{kOwnCorner[piece].x * sx, kOwnCorner[piece].y * sy};
}

// Goes on while the lower edge of each upper piece's visible quarter, one step on, would
// still lie above the top of the lower piece below it, one step on.
bool CornerOpenContinues(const PieceRect* r, StepSizes steps, const Scene& s) {
  const int32_t halfH = s.pictureHeight / 2;
  return r[0].bottom - halfH + steps.sy < r[2].top - steps.sy &&
         r[1].bottom - halfH + steps.sy < r[3].top - steps.sy;
}

// Goes on until a right piece lies two steps clear of the left piece's whole window.
bool CrossingOpenContinues(const PieceRect* r, StepSizes steps, const Scene&) {
  return r[0].right + steps.sx > r[1].left - steps.sx &&
         r[2].right + steps.sx > r[3].left - steps.sx;
}

// Ends as soon as either upper piece has left above the screen or either lower piece below.
bool CloseContinues(const PieceRect* r, const Scene& s) {
  return r[0].bottom > 0 && r[1].bottom > 0 && r[2].top < s.screenHeight &&
         r[3].top < s.screenHeight;
}

// Each window shows its top-left quarter, holding the piece's quadrant of the ellipse.
PieceRegion Region(int piece, int32_t wr, int32_t hr) {
  return PieceRegion{wr / 2, hr / 2, IsRight(piece) ? -(wr / 2) : 0, IsLower(piece) ? -(hr / 2) : 0};
}

PiecePoint CloseOffset(int piece, int32_t wr, int32_t hr) {
  return PiecePoint{IsRight(piece) ? wr / 2 : 0, IsLower(piece) ? hr / 2 : 0};
}

PiecePoint PaintSource(int piece, int32_t w, int32_t h) {
  return PiecePoint{IsRight(piece) ? w / 2 : 0, IsLower(piece) ? h / 2 : 0};
}

}  // namespace

const EffectGeometry cornerQuadrantsGeometry = {
    4, 50, 25, CornerStart, CornerStep, CornerOpenContinues, CloseContinues, Region, CloseOffset,
    PaintSource,
};

const EffectGeometry crossingQuadrantsGeometry = {
    4, 40, 25, CrossingStart, CrossingStep, CrossingOpenContinues, CloseContinues, Region,
    CloseOffset, PaintSource,
};
