#include "buttons/button_table.h"

#include "media/gdi_handles.h"

ButtonRecord buttonTable[kButtonCount] = {
    {1, nullptr, nullptr, 217, 109},  // 201: run the product installer
    {1, nullptr, nullptr, 242, 162},  // 202: run the demo installer
    {1, nullptr, nullptr, 193, 203},  // 203: open Explorer on the disc's root
    {1, nullptr, nullptr, 248, 42},   // 204: leave
};

ButtonRecord maskRecord = {0, nullptr, nullptr, 0, 0};

void ReleaseBitmapPair(ButtonRecord& record) {
  DeleteAndClear(record.faceBitmap);
  DeleteAndClear(record.facePalette);
}
