#pragma once
// The program's one table of operations: the split transitions. `effectIndex` picks the
// row for the open, the close and every paint; it is fixed when the launcher is built.
#include <windows.h>

#include <cstdint>

struct TransitionEffect {
  int32_t pieceCount;
  int (*create)();
  void (*animate)(int32_t direction);  // 1 opens, anything else closes
  void (*paint)(HWND window, HDC dc);
  void (*refit)();  // after a change of scale: the other pieces take the picture's new size
};

#ifndef LAUNCHER_EFFECT
#define LAUNCHER_EFFECT 2
#endif

constexpr int kCornerQuadrants = 0;
constexpr int kCrossingQuadrants = 1;
constexpr int kVerticalHalves = 2;
constexpr int effectIndex = LAUNCHER_EFFECT;
static_assert(effectIndex >= 0 && effectIndex <= 2, "LAUNCHER_EFFECT is 0, 1 or 2");

extern const TransitionEffect transitionTable[3];

inline const TransitionEffect& SelectedTransition() { return transitionTable[effectIndex]; }
