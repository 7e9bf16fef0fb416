#pragma once
// The buttons and the mask they share. Row r is the layout's entry r (see layout.h), in Tab
// order, exit last: its control id is also the command it sends and the resource id of its
// face. Norvane's four rows are there from the start; FillButtonTable lays out a brand's.
#include <windows.h>

#include <cstdint>

#include "buttons/layout.h"

struct ButtonRecord {
  int32_t enabled;  // 0: the row gets no window, no face and no release
  HBITMAP faceBitmap;
  HPALETTE facePalette;  // only on 256-colour displays
  int32_t x;  // top-left corner in the picture's coordinates
  int32_t y;
  int32_t id = 0;    // control id, 201 to 210; 0 for a row past the layout's entries
  int32_t size = 0;  // side at 100 %
  HBITMAP ownMask = nullptr;  // the button's own mask, where it has one; else the shared one
};

constexpr int kButtonCount = 4;  // Norvane's: 201 to 204, the table's first rows
constexpr int kButtonSize = 42;  // Norvane's button, the shared mask's frames

extern ButtonRecord buttonTable[kMaxButtons];
// Only its faceBitmap is used: the mask bitmap, the `maskBitmap` of the launcher.
extern ButtonRecord maskRecord;

// One enabled row per entry of `layout`, the rows past them empty. Holds no bitmaps.
void FillButtonTable(const Layout& layout);

// The row of button `id`, or null where no row has it.
ButtonRecord* ButtonRow(int id);

// The mask a row's face is drawn through: its own, else the shared one where the row's
// side is the shared mask's, else null (the row then shows the picture only).
HBITMAP MaskOf(const ButtonRecord& row);

// Deletes a record's face bitmap and palette and its own mask, and clears them; null
// handles are skipped.
void ReleaseBitmapPair(ButtonRecord& record);
