#pragma once
// Fixed counts shared by plain code and platform code alike.
constexpr int kMaxPieceCount = 4;
