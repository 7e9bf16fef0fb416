#include "buttons/button_table.h"

#include "media/gdi_handles.h"

ButtonRecord buttonTable[kMaxButtons] = {
#define BUTTON_PLACE(id, x, y) {1, nullptr, nullptr, x, y, id, kButtonSize, nullptr},
#include "buttons/button_places.def"
#undef BUTTON_PLACE
};

ButtonRecord maskRecord = {0, nullptr, nullptr, 0, 0};

void FillButtonTable(const Layout& layout) {
  for (int row = 0; row < kMaxButtons; ++row) {
    const LayoutEntry& entry = layout.entries[row];
    buttonTable[row] = row < layout.entryCount
                           ? ButtonRecord{1, nullptr, nullptr, entry.x, entry.y, entry.id,
                                          entry.size, nullptr}
                           : ButtonRecord{0, nullptr, nullptr, 0, 0};
  }
}

ButtonRecord* ButtonRow(int id) {
  for (ButtonRecord& row : buttonTable) {
    if (row.id == id && id != 0) return &row;
  }
  return nullptr;
}

HBITMAP MaskOf(const ButtonRecord& row) {
  if (row.ownMask != nullptr) return row.ownMask;
  return row.size == kButtonSize ? maskRecord.faceBitmap : nullptr;
}

void ReleaseBitmapPair(ButtonRecord& record) {
  DeleteAndClear(record.faceBitmap);
  DeleteAndClear(record.facePalette);
  DeleteAndClear(record.ownMask);
}
