#pragma once
// The four round buttons and the mask they share. Row r is the button with control id
// 201 + r; that id is also the command it sends and the resource id of its face.
#include <windows.h>

#include <cstdint>

struct ButtonRecord {
  int32_t enabled;  // 0: the row gets no window, no face and no release
  HBITMAP faceBitmap;
  HPALETTE facePalette;  // only on 256-colour displays
  int32_t x;  // top-left corner in the picture's coordinates
  int32_t y;
};

constexpr int kButtonCount = 4;
constexpr int kFirstButtonId = 201;
constexpr int kExitButtonId = 204;
constexpr int kButtonSize = 42;

extern ButtonRecord buttonTable[kButtonCount];
// Only its faceBitmap is used: the mask bitmap, the `maskBitmap` of the launcher.
extern ButtonRecord maskRecord;

// Deletes a record's face bitmap and palette and clears them; null handles are skipped.
void ReleaseBitmapPair(ButtonRecord& record);
