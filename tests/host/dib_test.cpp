#include "media/dib.h"
#include "media/reduce_art.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A header-less DIB as a resource holds it: header, 2^bits colour entries, padded rows.
std::vector<uint8_t> MakeDib(int32_t width, int32_t height, uint16_t bits, uint32_t clrUsed,
                             size_t extraBytes = 0) {
  const size_t rowBytes = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
  const size_t table = bits <= 8 ? 4u << bits : 0;
  std::vector<uint8_t> bytes(40 + table + rowBytes * (height < 0 ? -height : height) + extraBytes);
  Put32(bytes, 0, 40);
  Put32(bytes, 4, static_cast<uint32_t>(width));
  Put32(bytes, 8, static_cast<uint32_t>(height));
  bytes[12] = 1;
  bytes[14] = static_cast<uint8_t>(bits);
  Put32(bytes, 32, clrUsed);
  return bytes;
}

TEST(DibLayout, PixelsFollowAFullColourTableWhateverClrUsedSays) {
  struct Case {
    int32_t width, height;
    uint16_t bits;
    uint32_t clrUsed;
    uint32_t pixelOffset, rowBytes, totalBytes;
  };
  const Case cases[] = {
      {360, 360, 8, 256, 1064, 360, 130664},  // the picture
      {127, 43, 8, 0, 1064, 128, 6568},       // a face
      {127, 43, 1, 2, 48, 16, 736},           // the mask
      {127, 43, 1, 0, 48, 16, 736},
      {10, 3, 4, 2, 104, 8, 128},
      {10, -3, 4, 16, 104, 8, 128},  // top-down rows
      {10, 3, 4, 16, 104, 8, 128},   // biClrUsed at the bit count's limit
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> dib = MakeDib(c.width, c.height, c.bits, c.clrUsed);
    DibLayout layout{};
    ASSERT_TRUE(ReadDibLayout(dib.data(), dib.size(), &layout)) << c.width << "x" << c.height;
    EXPECT_EQ(c.pixelOffset, layout.pixelOffset);
    EXPECT_EQ(c.pixelOffset, DibPixelOffset(c.bits));
    EXPECT_EQ(c.rowBytes, layout.rowBytes);
    EXPECT_EQ(c.totalBytes, layout.totalBytes);
    EXPECT_EQ(c.width, layout.width);
    EXPECT_EQ(c.height, layout.height);
  }
}

TEST(DibLayout, RejectsWhatCannotBeReadSafely) {
  const std::vector<uint8_t> picture = MakeDib(360, 360, 8, 256);
  DibLayout layout{};
  EXPECT_FALSE(ReadDibLayout(picture.data(), 39, &layout)) << "shorter than a header";
  EXPECT_FALSE(ReadDibLayout(picture.data(), picture.size() - 1, &layout)) << "last row cut";
  EXPECT_FALSE(ReadDibLayout(picture.data(), 1064, &layout)) << "colour table only";
  EXPECT_FALSE(ReadDibLayout(nullptr, 100, &layout));

  for (uint16_t bits : {0, 2, 16, 24, 32}) {
    std::vector<uint8_t> dib = MakeDib(4, 4, 8, 0, 4096);
    dib[14] = static_cast<uint8_t>(bits);
    EXPECT_FALSE(ReadDibLayout(dib.data(), dib.size(), &layout)) << bits << " bits";
  }
  std::vector<uint8_t> compressed = MakeDib(4, 4, 8, 0);
  Put32(compressed, 16, 1);  // BI_RLE8: the platform would read by its own count
  EXPECT_FALSE(ReadDibLayout(compressed.data(), compressed.size(), &layout));

  std::vector<uint8_t> huge = MakeDib(4, 4, 8, 0);
  Put32(huge, 4, 0x7fffffff);  // rows that would overflow 32-bit arithmetic
  Put32(huge, 8, 0x7fffffff);
  EXPECT_FALSE(ReadDibLayout(huge.data(), huge.size(), &layout));
  Put32(huge, 4, 0);
  EXPECT_FALSE(ReadDibLayout(huge.data(), huge.size(), &layout)) << "no width";
}

// Fields the platform reads by itself: where it would look for the colour table, how many
// entries of it it copies, and the planes it multiplies the bit count by.
TEST(DibLayout, RejectsHeadersThePlatformWouldReadElsewhere) {
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
    int width;  // byte count of the field: 2 or 4
  };
  const Case cases[] = {
      {"biClrUsed 256 in the 736-byte mask: a 1,024-byte table copied", 32, 256, 4},
      {"biClrUsed 3 in a 1-bit bitmap", 32, 3, 4},
      {"biClrUsed far beyond any table", 32, 0xffffffffu, 4},
      {"biSize 0x7FFFFF00: the table looked for far outside", 0, 0x7fffff00u, 4},
      {"biSize 124 (a V5 header): table and pixels where the loader doesn't read", 0, 124, 4},
      {"biSize 12 (a core header)", 0, 12, 4},
      {"biSize 0", 0, 0, 4},
      {"biPlanes 0", 12, 0, 2},
      {"biPlanes 2", 12, 2, 2},
  };
  const std::vector<uint8_t> mask = MakeDib(127, 43, 1, 2);
  DibLayout layout{};
  ASSERT_TRUE(ReadDibLayout(mask.data(), mask.size(), &layout));
  for (const Case& c : cases) {
    std::vector<uint8_t> dib = mask;
    if (c.width == 4) {
      Put32(dib, c.at, c.value);
    } else {
      dib[c.at] = static_cast<uint8_t>(c.value);
      dib[c.at + 1] = static_cast<uint8_t>(c.value >> 8);
    }
    DibLayout untouched{1, 2, 3, 4, 5, 6, 7};
    EXPECT_FALSE(ReadDibLayout(dib.data(), dib.size(), &untouched)) << c.what;
    EXPECT_EQ(1, untouched.width) << c.what;
  }
}

TEST(LogPalette, SwapsBlueAndRedAndKeepsEveryEntry) {
  std::vector<uint8_t> dib = MakeDib(1, 1, 8, 256);
  for (int i = 0; i < 256; ++i) {
    dib[40 + 4 * i + 0] = static_cast<uint8_t>(i);        // blue
    dib[40 + 4 * i + 1] = static_cast<uint8_t>(255 - i);  // green
    dib[40 + 4 * i + 2] = static_cast<uint8_t>(i ^ 0x5a);  // red
    dib[40 + 4 * i + 3] = 0x77;                            // reserved, never copied
  }
  dib[40 + 4 * 9 + 0] = 0x10;
  dib[40 + 4 * 9 + 1] = 0x20;
  dib[40 + 4 * 9 + 2] = 0x30;
  uint8_t block[kLogPaletteBlockBytes];
  ASSERT_EQ(256, FillLogPalette(dib.data(), block));
  EXPECT_EQ(0x00, block[0]);  // palVersion 0x300, little-endian
  EXPECT_EQ(0x03, block[1]);
  EXPECT_EQ(0x00, block[2]);  // palNumEntries 256
  EXPECT_EQ(0x01, block[3]);
  const uint8_t entry9[4] = {0x30, 0x20, 0x10, 0x00};
  for (int b = 0; b < 4; ++b) EXPECT_EQ(entry9[b], block[4 + 4 * 9 + b]);
  for (int i = 0; i < 256; ++i) {
    if (i == 9) continue;
    const uint8_t* e = block + 4 + 4 * i;
    EXPECT_EQ(i ^ 0x5a, e[0]);
    EXPECT_EQ(255 - i, e[1]);
    EXPECT_EQ(i, e[2]);
    EXPECT_EQ(0, e[3]);
  }
}

// A 1-bit colour table holds two entries; the palette takes those and reads no further
// (the sanitizer checks the bytes behind the table are never touched).
TEST(LogPalette, ReadsOnlyTheColourTableThatIsThere) {
  std::vector<uint8_t> headerAndTable(40 + 8);
  headerAndTable[14] = 1;
  headerAndTable[40 + 4 + 0] = 0xff;
  uint8_t block[kLogPaletteBlockBytes];
  EXPECT_EQ(2, FillLogPalette(headerAndTable.data(), block));
  EXPECT_EQ(2, block[2] | block[3] << 8);
  EXPECT_EQ(0xff, block[4 + 4 + 2]);  // white's blue byte lands in peBlue
}

// The art reduced: rows of colour-table indices (top row first) in a bottom-up DIB whose
// colour i is grey i x 0x11, then the new rows' red channels.
std::vector<uint32_t> Reduced(uint16_t bits, int frames, const std::vector<std::vector<int>>& rows,
                              int toSide, int edge = 0, uint32_t edgeColour = kNoEdge) {
  const int width = static_cast<int>(rows[0].size()), height = static_cast<int>(rows.size());
  std::vector<uint8_t> dib = MakeDib(width, height, bits, 0);
  DibLayout layout;
  EXPECT_TRUE(ReadDibLayout(dib.data(), dib.size(), &layout));
  for (uint32_t i = 0; i < layout.colourCount; ++i)
    for (int c = 0; c < 3; ++c) dib[40 + 4 * i + c] = static_cast<uint8_t>(i * 0x11);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      dib[layout.pixelOffset + (height - 1 - y) * layout.rowBytes + x * bits / 8] |=
          static_cast<uint8_t>(rows[y][x] << (8 - bits - x * bits % 8));
  EXPECT_TRUE(CanReduceFrames(layout, frames, toSide));
  std::vector<uint64_t> work(ReduceWorkWords(layout, frames, toSide));
  std::vector<uint32_t> out(frames * toSide * toSide);
  ReduceFrames(dib.data(), layout, frames, toSide, edge, edgeColour, work.data(), out.data());
  for (uint32_t& pixel : out) {
    EXPECT_EQ(pixel, (pixel >> 16) * 0x010101u) << "the palette's greys keep three equal channels";
    pixel >>= 16;
  }
  return out;
}

TEST(ReduceArt, EachNewPixelIsTheMeanOfWhatItCoversWithinItsFrame) {
  const std::vector<uint32_t> kQuarters = {0x00, 0x11, 0x22, 0x33};
  EXPECT_EQ(kQuarters, Reduced(8, 1, {{0, 0, 1, 1}, {0, 0, 1, 1}, {2, 2, 3, 3}, {2, 2, 3, 3}}, 2));
  // 3 to 2: the centre pixel covers a quarter of itself in each new pixel of 2.25 pixels.
  const std::vector<uint32_t> kCentre = {28, 28, 28, 28};
  EXPECT_EQ(kCentre, Reduced(8, 1, {{0, 0, 0}, {0, 15, 0}, {0, 0, 0}}, 2));
  // Two frames side by side: neither bleeds into the other, nor takes a face's last row.
  EXPECT_EQ((std::vector<uint32_t>{0xFF, 0x00}),
            Reduced(8, 2, {{15, 15, 0, 0, 9}, {15, 15, 0, 0, 9}, {9, 9, 9, 9, 9}}, 1));
  // 4 and 1 bits a pixel, their indices packed high bits first.
  EXPECT_EQ((std::vector<uint32_t>{0x44}), Reduced(4, 1, {{1, 2}, {3, 10}}, 1));
  EXPECT_EQ((std::vector<uint32_t>{0x04}), Reduced(1, 1, {{1, 0}, {0, 0}}, 1));
  // White, where a new pixel is 90 units wide (its sums the largest summed side by side)
  // and 91 (each channel summed on its own).
  for (int side : {90, 91}) {
    const std::vector<std::vector<int>> white(side, std::vector<int>(side, 15));
    EXPECT_EQ(std::vector<uint32_t>((side - 1) * (side - 1), 0xFF), Reduced(8, 1, white, side - 1));
  }
  // Each frame's top row and left column set, the rest the means.
  const std::vector<int> kBlack(8, 0);
  EXPECT_EQ((std::vector<uint32_t>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0x00}),
            Reduced(8, 2, {kBlack, kBlack, kBlack, kBlack}, 2, 1, 0xFFFFFF));
}

TEST(ReduceArt, TakesOnlySquareFramesMadeSmaller) {
  DibLayout layout = {};
  layout.width = 720;
  layout.height = 720;
  EXPECT_TRUE(CanReduceFrames(layout, 1, 540));
  EXPECT_FALSE(CanReduceFrames(layout, 1, 720)) << "the same side";
  EXPECT_FALSE(CanReduceFrames(layout, 1, 1080)) << "enlarged";
  EXPECT_TRUE(CanReduceFrames(layout, 3, 100)) << "three frames of 240 along the top";
  layout.height = 700;
  EXPECT_FALSE(CanReduceFrames(layout, 1, 540)) << "a frame taller than the art";
  layout.height = -720;
  EXPECT_FALSE(CanReduceFrames(layout, 1, 540)) << "top-down rows";
}

}  // namespace
