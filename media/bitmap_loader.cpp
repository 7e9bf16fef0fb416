#include "media/bitmap_loader.h"

#include "media/gdi_handles.h"
#include "media/resource_language.h"
#include "shell/launcher_state.h"

namespace {

// Converts the pixels for the screen. With a palette, it is realized on the screen during
// the conversion so that the device pixels index the picture's colours.
HBITMAP ConvertForScreen(const BITMAPINFOHEADER* header, const uint8_t* pixels,
                         HPALETTE* paletteSlot) {
  HDC screen = GetDC(nullptr);
  HPALETTE previous = nullptr;
  bool selected = false;
  if (state.displayColours == kPaletteDisplayColours && paletteSlot != nullptr) {
    *paletteSlot = CreateDibPalette(header);
    if (*paletteSlot != nullptr) {
      previous = SelectPalette(screen, *paletteSlot, FALSE);
      RealizePalette(screen);
      selected = true;
    }
  }
  HBITMAP bitmap = CreateDIBitmap(screen, header, CBM_INIT, pixels,
                                  reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
  if (selected) SelectPalette(screen, previous, FALSE);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace

bool ReadBitmapResource(HRSRC found, DibResource* dib) {
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(state.instance, found);
  if (loaded == nullptr) return false;
  const auto* bytes = static_cast<const uint8_t*>(LockResource(loaded));
  DibLayout layout;
  if (bytes == nullptr || !ReadDibLayout(bytes, SizeofResource(state.instance, found), &layout))
    return false;
  dib->header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
  dib->pixels = bytes + layout.pixelOffset;
  dib->layout = layout;
  return true;
}

HBITMAP ConvertBitmapResource(const DibResource& dib, HPALETTE* paletteSlot) {
  if (paletteSlot != nullptr) DeleteAndClear(*paletteSlot);
  return ConvertForScreen(dib.header, dib.pixels, paletteSlot);
}

HBITMAP LoadBitmapResource(int id, HPALETTE* paletteSlot, int* outWidth, int* outHeight) {
  if (paletteSlot != nullptr) DeleteAndClear(*paletteSlot);
  DibResource dib;
  if (!ReadBitmapResource(FindLauncherResource(id, kBitmapType), &dib)) return nullptr;
  *outWidth = dib.layout.width;
  *outHeight = dib.layout.height;
  return ConvertBitmapResource(dib, paletteSlot);
}

HPALETTE CreateDibPalette(const BITMAPINFOHEADER* header) {
  auto* block = static_cast<uint8_t*>(LocalAlloc(LMEM_FIXED, kLogPaletteBlockBytes));
  if (block == nullptr) return nullptr;
  FillLogPalette(reinterpret_cast<const uint8_t*>(header), block);
  HPALETTE palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(block));
  LocalFree(block);
  return palette;
}

void BlitWithPalette(HDC dc, int x, int y, int w, int h, HDC srcDc, int srcX, int srcY,
                     HPALETTE palette, DWORD rop) {
  if (palette != nullptr) {
    SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
  }
  BitBlt(dc, x, y, w, h, srcDc, srcX, srcY, rop);
}
