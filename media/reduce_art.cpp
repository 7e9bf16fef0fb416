#include "media/reduce_art.h"

namespace {

// A colour's three channels side by side in one word, red highest, 21 bits each: a sum
// across a new pixel, at most 255 x fromSide, never carries into the next channel.
constexpr int kLaneBits = 21;
constexpr uint64_t kLane = (uint64_t{1} << kLaneBits) - 1;

uint32_t Red(uint64_t lanes) { return static_cast<uint32_t>(lanes >> 2 * kLaneBits); }
uint32_t Green(uint64_t lanes) { return static_cast<uint32_t>(lanes >> kLaneBits & kLane); }
uint32_t Blue(uint64_t lanes) { return static_cast<uint32_t>(lanes & kLane); }

// While a new pixel's sums stay within a lane, at most 255 x 90 x 90, they are summed
// down side by side too; else each channel on its own.
constexpr int kMaxPackedFrom = 90;

// Where each array lives in the work buffer, in 64-bit words.
struct WorkLayout {
  size_t across;    // the row reduced across, packed, a word per new pixel
  size_t sums;      // summed down: a word per new pixel, or three where not packed
  size_t plan;      // a word per source column of a frame
  size_t indices;   // a 1- or 4-bit row's indices, a byte each
  size_t total;
};

WorkLayout LayOutWork(const DibLayout& layout, int frames, int toSide) {
  const size_t width = static_cast<size_t>(frames) * toSide;
  const size_t fromSide = static_cast<size_t>(layout.width / frames);
  WorkLayout work;
  work.across = 256;  // the colour table, packed
  work.sums = work.across + width;
  work.plan = work.sums + 3 * width;
  work.indices = work.plan + fromSide;
  work.total = work.indices + (frames * fromSide + 7) / 8;
  return work;
}

void PackColours(const uint8_t* table, uint32_t count, uint64_t* packed) {
  for (uint32_t i = 0; i < count; ++i, table += 4)  // blue first in the table
    packed[i] = uint64_t{table[2]} << 2 * kLaneBits | uint64_t{table[1]} << kLaneBits | table[0];
}

// The row's colour-table indices, a byte each: an 8-bit row as it is, a 1- or 4-bit row
// unpacked into `unpacked` (leftmost pixel in the high bits).
const uint8_t* RowIndices(const uint8_t* row, int count, uint16_t bits, uint8_t* unpacked) {
  if (bits == 8) return row;
  const int perByte = 8 / bits;
  for (int x = 0; x < count; ++x)
    unpacked[x] = static_cast<uint8_t>((row[x / perByte] >> (perByte - 1 - x % perByte) * bits) &
                                       ((1u << bits) - 1));
  return unpacked;
}

int GreatestCommonDivisor(int a, int b) {
  while (b != 0) {
    const int rest = a % b;
    a = b;
    b = rest;
  }
  return a;
}

// Coordinates in the smallest whole units: source pixel i spans [i*to, (i+1)*to) and new
// pixel j spans [j*from, (j+1)*from), so every overlap is a whole number.
int Overlap(int sourceStart, int sourceEnd, int newStart, int newEnd) {
  const int start = sourceStart > newStart ? sourceStart : newStart;
  const int end = sourceEnd < newEnd ? sourceEnd : newEnd;
  return end > start ? end - start : 0;
}

// How each source column of a frame falls on the new ones, the same in every row and
// frame: the part of it on the new pixel it starts in, plus kNextPixel where that is the
// next new pixel over. Smaller than a new pixel, it falls on one or on two side by side.
constexpr uint64_t kNextPixel = 0x10000;  // above any part, which is at most toSide
void PlanColumns(int fromSide, int from, int to, uint64_t* plan) {
  int boundary = from;  // where the current new pixel ends
  for (int x = 0; x < fromSide; ++x) {
    const int start = x * to;
    plan[x] = 0;
    if (start >= boundary) {
      plan[x] = kNextPixel;
      boundary += from;
    }
    plan[x] += static_cast<uint64_t>((start + to < boundary ? start + to : boundary) - start);
  }
}

// One source row reduced across: each new pixel's channels, the sum of colour x overlap
// over the pixels it covers.
void ReduceAcross(const uint64_t* colours, const uint8_t* indices, int frames, int fromSide,
                  int toSide, int to, const uint64_t* plan, uint64_t* across) {
  for (int i = 0; i < frames * toSide; ++i) across[i] = 0;
  for (int f = 0; f < frames; ++f) {
    uint64_t* sum = across + f * toSide;
    const uint8_t* frame = indices + f * fromSide;
    for (int x = 0; x < fromSide; ++x) {
      const uint64_t colour = colours[frame[x]];
      if (plan[x] & kNextPixel) ++sum;
      const uint32_t first = static_cast<uint32_t>(plan[x] & (kNextPixel - 1));
      sum[0] += colour * first;
      const uint32_t second = static_cast<uint32_t>(to) - first;
      if (second != 0) sum[1] += colour * second;
    }
  }
}

// Adds `weight` times the row reduced across to the sums of one new row (or sets them, for
// its first source row).
void SumDown(const uint64_t* across, int width, uint32_t weight, bool first, bool packed,
             uint64_t* sums) {
  if (packed) {
    for (int i = 0; i < width; ++i) sums[i] = (first ? 0 : sums[i]) + across[i] * weight;
    return;
  }
  for (int i = 0; i < width; ++i, sums += 3) {
    sums[0] = (first ? 0 : sums[0]) + uint64_t{Red(across[i])} * weight;
    sums[1] = (first ? 0 : sums[1]) + uint64_t{Green(across[i])} * weight;
    sums[2] = (first ? 0 : sums[2]) + uint64_t{Blue(across[i])} * weight;
  }
}

// sum / whole, rounded, by a multiplication: a division a channel costs more than all the
// rest. The inverse is rounded up: where a new pixel is at most 256 units wide (4 at 150 %,
// 8 at 125 % and 175 %) every mean is exact; beyond, a mean within a hair of the next step
// may be taken over it, one step in 255 in a few pixels.
constexpr int kInverseBits = 40;
uint32_t Mean(uint64_t sum, uint32_t whole, uint64_t inverse) {
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

size_t ReduceWorkWords(const DibLayout& layout, int frames, int toSide) {
  return LayOutWork(layout, frames, toSide).total;
}

void ReduceFrames(const uint8_t* dib, const DibLayout& layout, int frames, int toSide,
                  int edge, uint32_t edgeColour, uint64_t* work, uint32_t* out) {
  const int fromSide = layout.width / frames;
  const int width = frames * toSide;
  const int common = GreatestCommonDivisor(fromSide, toSide);
  const int from = fromSide / common, to = toSide / common;
  const WorkLayout at = LayOutWork(layout, frames, toSide);
  uint64_t* colours = work;
  uint64_t* across = work + at.across;
  uint64_t* sums = work + at.sums;
  uint64_t* plan = work + at.plan;
  auto* unpacked = reinterpret_cast<uint8_t*>(work + at.indices);
  PackColours(dib + kDibHeaderBytes, layout.colourCount, colours);
  PlanColumns(fromSide, from, to, plan);
  const bool packed = from <= kMaxPackedFrom;
  const uint32_t whole = static_cast<uint32_t>(from) * static_cast<uint32_t>(from);
  const uint64_t inverse = ((uint64_t{1} << kInverseBits) + whole - 1) / whole;
  int rowAcross = -1;  // a row shared by two new rows is reduced across once
  for (int y = 0; y < toSide; ++y) {
    for (int r = y * fromSide / toSide; r < fromSide; ++r) {
      const int weight = Overlap(r * to, (r + 1) * to, y * from, (y + 1) * from);
      if (weight == 0) break;
      if (r != rowAcross) {
        const uint8_t* row = dib + layout.pixelOffset +
                             static_cast<size_t>(layout.height - 1 - r) * layout.rowBytes;
        ReduceAcross(colours, RowIndices(row, frames * fromSide, layout.bitCount, unpacked),
                     frames, fromSide, toSide, to, plan, across);
      }
      SumDown(across, width, static_cast<uint32_t>(weight), r == y * fromSide / toSide, packed,
              sums);
      rowAcross = r;
    }
    for (int x = 0; x < width; ++x) {
      const uint64_t* sum = sums + (packed ? x : 3 * x);
      const uint64_t red = packed ? Red(*sum) : sum[0];
      const uint64_t green = packed ? Green(*sum) : sum[1];
      const uint64_t blue = packed ? Blue(*sum) : sum[2];
      out[y * width + x] = Mean(red, whole, inverse) << 16 | Mean(green, whole, inverse) << 8 |
                           Mean(blue, whole, inverse);
    }
  }
  if (edgeColour != kNoEdge) FillEdges(frames, toSide, edge, edgeColour, out);
}
