#pragma once
// What every effect does with its piece windows, given the effect's geometry: creating
// them, animating them and painting one of them.
#include <windows.h>

#include "transitions/effect_geometry.h"

// Creates the effect's piece windows, hidden, at their start positions; piece 0 is the
// launcher window. Returns 1 when all were created; stops at the first failure.
int CreatePieces(const EffectGeometry& effect);

// Opens (direction 1) or closes (any other direction) with the real windows; returns the
// number of steps taken.
int AnimatePieces(const EffectGeometry& effect, int32_t direction);

// Paints the piece that `window` carries: its part of the picture at (0, 0).
void PaintPiece(const EffectGeometry& effect, HWND window, HDC dc);

// Gives every piece but the launcher window the picture's size and its part of the
// shape at that size: after a change of scale, the close splits the new picture.
void FitPiecesToPicture(const EffectGeometry& effect);

// The scene of the running launcher: the screen and the picture.
Scene CurrentScene();
