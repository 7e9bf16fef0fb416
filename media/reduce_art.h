#pragma once
// The art reduced to a smaller side by area averaging: each new pixel is the mean of the
// picture's pixels it covers, weighted by how much of each it covers, as a 150 % screen
// shows the double-size art. Plain code over a DIB's bytes, no platform; a true-colour
// screen takes the result as it is.
#include <cstddef>
#include <cstdint>

#include "media/dib.h"

// Whether ReduceFrames can reduce this art: bottom-up rows, square frames side by side
// along its top (a face has a column and a row more, which are left out), each larger
// than `toSide` and at most kMaxReducedFromSide.
constexpr int kMaxReducedFromSide = 4000;  // 255 x side x side stays within 32 bits
bool CanReduceFrames(const DibLayout& layout, int frames, int toSide);

// The work buffer ReduceFrames needs, in 64-bit words, to reduce this art's `frames`
// frames to side `toSide`.
size_t ReduceWorkWords(const DibLayout& layout, int frames, int toSide);

// Reduces the `frames` square frames of the DIB (header at `dib`, its layout read) to side
// `toSide` each, into `out`: toSide rows, top row first, of frames x toSide pixels
// 0x00RRGGBB. Each frame's top `edge` rows and left `edge` columns are then set to
// `edgeColour`, if that is not kNoEdge. `work` holds ReduceWorkWords words.
constexpr uint32_t kNoEdge = 0xFFFFFFFFu;
void ReduceFrames(const uint8_t* dib, const DibLayout& layout, int frames, int toSide,
                  int edge, uint32_t edgeColour, uint64_t* work, uint32_t* out);
