#include "media/reduce_art.h"

namespace {

// Colour-table index of pixel x in a row of 1, 4 or 8 bits a pixel (leftmost in the high bits).
unsigned IndexAt(const uint8_t* row, int x, uint16_t bits) {
  if (bits == 8) return row[x];
  const int perByte = 8 / bits;
  const int shift = (perByte - 1 - x % perByte) * bits;
  return (row[x / perByte] >> shift) & ((1u << bits) - 1);
}

// Coordinates in units of 1/(from x to) of a pixel: source pixel i spans [i*to, (i+1)*to)
// and new pixel j spans [j*from, (j+1)*from), so every overlap is a whole number.
int Overlap(int sourceStart, int sourceEnd, int newStart, int newEnd) {
  const int start = sourceStart > newStart ? sourceStart : newStart;
  const int end = sourceEnd < newEnd ? sourceEnd : newEnd;
  return end > start ? end - start : 0;
}

// One source row (rowFromTop) reduced across: each new pixel's three channels, each the
// sum of colour x overlap over the pixels it covers (at most 255 x fromSide). Smaller than
// a new pixel, a source pixel falls on one new pixel or on two side by side.
void ReduceAcross(const uint8_t* dib, const DibLayout& layout, int rowFromTop, int frames,
                  int fromSide, int toSide, uint32_t* across) {
  const uint8_t* table = dib + kDibHeaderBytes;
  const uint8_t* row = dib + layout.pixelOffset +
                       static_cast<size_t>(layout.height - 1 - rowFromTop) * layout.rowBytes;
  for (int i = 0; i < frames * toSide * 3; ++i) across[i] = 0;
  for (int f = 0; f < frames; ++f) {
    uint32_t* sum = across + 3 * f * toSide;  // new pixel j's, which ends at `boundary`
    int boundary = fromSide;
    for (int x = 0; x < fromSide; ++x) {
      const uint8_t* colour = table + 4 * IndexAt(row, f * fromSide + x, layout.bitCount);
      const int start = x * toSide;
      if (start >= boundary) {
        sum += 3;
        boundary += fromSide;
      }
      const int first = (start + toSide < boundary ? start + toSide : boundary) - start;
      sum[0] += colour[2] * static_cast<uint32_t>(first);  // red; the table holds blue first
      sum[1] += colour[1] * static_cast<uint32_t>(first);
      sum[2] += colour[0] * static_cast<uint32_t>(first);
      const uint32_t second = static_cast<uint32_t>(toSide - first);
      if (second == 0) continue;
      sum[3] += colour[2] * second;
      sum[4] += colour[1] * second;
      sum[5] += colour[0] * second;
    }
  }
}

// sum / whole, rounded, by a multiplication: a division a channel costs more than all the
// rest. The inverse, rounded up, may take a mean within a hair of the next step over it:
// one step in 255 at most, in a few pixels.
constexpr int kInverseBits = 40;
uint32_t Mean(uint32_t sum, uint32_t whole, uint64_t inverse) {
  return static_cast<uint32_t>((sum + whole / 2) * inverse >> kInverseBits);
}

void FillEdges(int frames, int toSide, int edge, uint32_t colour, uint32_t* out) {
  const int width = frames * toSide;
  for (int y = 0; y < toSide; ++y)
    for (int f = 0; f < frames; ++f)
      for (int x = 0; x < toSide; ++x)
        if (y < edge || x < edge) out[y * width + f * toSide + x] = colour;
}

}  // namespace

bool CanReduceFrames(const DibLayout& layout, int frames, int toSide) {
  if (frames <= 0 || toSide <= 0) return false;
  const int fromSide = layout.width / frames;
  return layout.height >= fromSide && toSide < fromSide && fromSide <= kMaxReducedFromSide;
}

size_t ReduceWorkWords(int frames, int toSide) { return static_cast<size_t>(frames) * toSide * 6; }

void ReduceFrames(const uint8_t* dib, const DibLayout& layout, int frames, int toSide,
                  int edge, uint32_t edgeColour, uint32_t* work, uint32_t* out) {
  const int fromSide = layout.width / frames;
  const int width = frames * toSide;
  uint32_t* across = work;
  uint32_t* sums = work + static_cast<size_t>(width) * 3;
  const uint32_t whole = static_cast<uint32_t>(fromSide) * static_cast<uint32_t>(fromSide);
  const uint64_t inverse = ((uint64_t{1} << kInverseBits) + whole - 1) / whole;
  int rowAcross = -1;  // a row shared by two new rows is reduced across once
  for (int y = 0; y < toSide; ++y) {
    for (int i = 0; i < width * 3; ++i) sums[i] = 0;
    for (int r = y * fromSide / toSide; r < fromSide; ++r) {
      const int weight = Overlap(r * toSide, (r + 1) * toSide, y * fromSide, (y + 1) * fromSide);
      if (weight == 0) break;
      if (r != rowAcross) ReduceAcross(dib, layout, r, frames, fromSide, toSide, across);
      rowAcross = r;
      for (int i = 0; i < width * 3; ++i) sums[i] += across[i] * static_cast<uint32_t>(weight);
    }
    for (int x = 0; x < width; ++x) {
      const uint32_t* sum = sums + 3 * x;
      out[y * width + x] = Mean(sum[0], whole, inverse) << 16 | Mean(sum[1], whole, inverse) << 8 |
                           Mean(sum[2], whole, inverse);
    }
  }
  if (edgeColour != kNoEdge) FillEdges(frames, toSide, edge, edgeColour, out);
}
