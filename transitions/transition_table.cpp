#include "transitions/transition_table.h"

#include "transitions/piece_windows.h"
#include "transitions/quadrants.h"
#include "transitions/vertical_halves.h"

namespace {

// Each row binds one geometry to the shared create, animate and paint.
template <const EffectGeometry& geometry>
struct Bound {
  static int Create() { return CreatePieces(geometry); }
  static void Animate(int32_t direction) { AnimatePieces(geometry, direction); }
  static void Paint(HWND window, HDC dc) { PaintPiece(geometry, window, dc); }
  static void Refit() { FitPiecesToPicture(geometry); }
};

template <const EffectGeometry& geometry>
constexpr TransitionEffect Row(int32_t pieceCount) {
  return TransitionEffect{pieceCount, Bound<geometry>::Create, Bound<geometry>::Animate,
                          Bound<geometry>::Paint, Bound<geometry>::Refit};
}

}  // namespace

const TransitionEffect transitionTable[3] = {
    Row<cornerQuadrantsGeometry>(4),
    Row<crossingQuadrantsGeometry>(4),
    Row<verticalHalvesGeometry>(2),
};
