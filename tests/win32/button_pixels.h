#pragma once
// What a round button should look like, worked out from this program's own bitmap
// resources rather than from the launcher's loaded bitmaps, and what a DC really shows.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

constexpr int kSquare = 42;
using Square = std::vector<uint32_t>;  // 42x42 pixels 0xRRGGBB, row by row from the top

struct ButtonPlace {
  int id;
  int x, y;  // on the picture
};
constexpr ButtonPlace kButtonPlaces[] = {{201, 217, 109}, {202, 242, 162}, {203, 193, 203},
                                         {204, 248, 42}};
constexpr const char* kFrameNames[] = {"normal", "highlighted", "pressed"};

// An 8-bit bitmap resource of this program, decoded to 0xRRGGBB.
class ResourceImage {
 public:
  explicit ResourceImage(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
    bytes_ = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes_);
    width_ = header->biWidth;
    height_ = header->biHeight;  // positive: bottom-up
    colours_ = reinterpret_cast<const RGBQUAD*>(bytes_ + header->biSize);
    pixels_ = bytes_ + header->biSize + 256 * sizeof(RGBQUAD);
  }
  uint32_t At(int x, int y) const {
    const int rowBytes = (width_ + 3) & ~3;
    const RGBQUAD& c = colours_[pixels_[(height_ - 1 - y) * rowBytes + x]];
    return (uint32_t{c.rgbRed} << 16) | (uint32_t{c.rgbGreen} << 8) | c.rgbBlue;
  }

 private:
  const uint8_t* bytes_;
  const RGBQUAD* colours_;
  const uint8_t* pixels_;
  int width_, height_;
};

inline const ResourceImage& Picture() {
  static const ResourceImage picture(199);
  return picture;
}

// The button's square in frame `frame` (0, 1, 2): the picture on the top row and the left
// column, the face's frame everywhere else. With no frame (-1), the picture alone.
inline Square ExpectedSquare(const ButtonPlace& button, int frame) {
  const ResourceImage face(button.id);
  Square square(kSquare * kSquare);
  for (int j = 0; j < kSquare; ++j) {
    for (int i = 0; i < kSquare; ++i) {
      const bool edge = i == 0 || j == 0 || frame < 0;
      square[j * kSquare + i] = edge ? Picture().At(button.x + i, button.y + j)
                                     : face.At(frame * kSquare + i, j);
    }
  }
  return square;
}

inline Square PictureSquare(const ButtonPlace& button) { return ExpectedSquare(button, -1); }

// A 42x42 true-colour surface to draw into and read back from.
class SquareSurface {
 public:
  SquareSurface() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSquare;
    info.bmiHeader.biHeight = -kSquare;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                               nullptr, 0);
    kept_ = SelectObject(dc_, bitmap_);
  }
  ~SquareSurface() {
    SelectObject(dc_, kept_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  SquareSurface(const SquareSurface&) = delete;
  SquareSurface& operator=(const SquareSurface&) = delete;

  HDC dc() const { return dc_; }
  void Fill(uint32_t pixel) {
    GdiFlush();
    for (int i = 0; i < kSquare * kSquare; ++i) bits_[i] = pixel;
  }
  // Copies what `source` shows at its (0, 0) here and returns it.
  Square ReadFrom(HDC source) {
    BitBlt(dc_, 0, 0, kSquare, kSquare, source, 0, 0, SRCCOPY);
    return Pixels();
  }
  Square Pixels() const {
    GdiFlush();
    Square square(bits_, bits_ + kSquare * kSquare);
    for (uint32_t& p : square) p &= 0xFFFFFF;
    return square;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ kept_;
  uint32_t* bits_ = nullptr;
};

// Which frame of button `button` a square shows: "normal", "highlighted", "pressed", or
// "other" (with the number of pixels off the nearest frame).
inline std::string FrameShown(const ButtonPlace& button, const Square& seen) {
  int nearest = kSquare * kSquare;
  for (int frame = 0; frame < 3; ++frame) {
    const Square want = ExpectedSquare(button, frame);
    int wrong = 0;
    for (size_t i = 0; i < want.size(); ++i) wrong += want[i] != seen[i];
    if (wrong == 0) return kFrameNames[frame];
    nearest = wrong < nearest ? wrong : nearest;
  }
  return "other (" + std::to_string(nearest) + " pixels off)";
}

inline const ButtonPlace* PlaceOf(int id) {
  for (const ButtonPlace& b : kButtonPlaces)
    if (b.id == id) return &b;
  return nullptr;
}
