#pragma once
// What one transition effect decides, as numbers: where its pieces start, how far they
// move per step, when the animation goes on, which part of the ellipse each piece shows
// and which part of the picture it paints. Plain code, no platform.
#include <cstdint>

struct PieceRect {
  int32_t left, top, right, bottom;
};

struct PiecePoint {
  int32_t x, y;
};

// A piece's visible shape: the picture's shape at Wr x Hr (its inscribed ellipse, or a
// brand's outline) placed at (offsetX, offsetY) inside the window, cut by the rectangle
// (0, 0, clipWidth, clipHeight).
struct PieceRegion {
  int32_t clipWidth, clipHeight, offsetX, offsetY;
};

// Distance per step, horizontal and vertical; negated for a close.
struct StepSizes {
  int32_t sx, sy;
};

struct Scene {
  int32_t screenWidth, screenHeight;    // SW, SH
  int32_t pictureWidth, pictureHeight;  // W, H, laid out at the screen's scale
  int32_t dpi = 96;                     // the screen's scale
};

struct EffectGeometry {
  int32_t pieceCount;
  int32_t fastDivisor;  // screen size / divisor is the step size
  int32_t slowDivisor;  // used when the platform reports a slow machine
  PiecePoint (*start)(int piece, const Scene& scene);
  // The move of one piece in one step, from step sizes already signed for the direction.
  PiecePoint (*step)(int piece, StepSizes steps, bool opening);
  bool (*openContinues)(const PieceRect* rects, StepSizes steps, const Scene& scene);
  bool (*closeContinues)(const PieceRect* rects, const Scene& scene);
  PieceRegion (*region)(int piece, int32_t wr, int32_t hr);
  // Where a piece goes when the close starts, from the launcher window's top-left corner.
  PiecePoint (*closeOffset)(int piece, int32_t wr, int32_t hr);
  // The corner of the picture that the piece paints at its own (0, 0).
  PiecePoint (*paintSource)(int piece, int32_t w, int32_t h);
};

// Step sizes for a run: screen size / divisor, truncated toward zero, negated to close.
// Above 96 dpi the screen's size at 96 dpi is divided and the step scaled, so that an
// effect takes the steps it takes at 96 dpi on the same screen (within one step).
StepSizes ComputeStepSizes(const EffectGeometry& effect, const Scene& scene, bool slow,
                           bool opening);
