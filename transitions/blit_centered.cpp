#include "transitions/blit_centered.h"

#include "transitions/blit_plan.h"

void BlitCentered(HDC dc, HBITMAP bitmap, const RECT& rect, int srcX, int srcY,
                  HPALETTE palette, DWORD rop) {
  HDC memory = CreateCompatibleDC(dc);
  if (memory == nullptr) return;
  HPALETTE previousPalette = nullptr;
  if (palette != nullptr) {
    previousPalette = SelectPalette(memory, palette, FALSE);
    RealizePalette(memory);
  }
  HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
  SetMapMode(memory, GetMapMode(dc));

  BITMAP info = {};
  GetObjectA(bitmap, sizeof info, &info);
  const BlitPlan plan = PlanCenteredBlit(PieceRect{rect.left, rect.top, rect.right, rect.bottom},
                                         info.bmWidth, info.bmHeight, srcX, srcY);
  POINT size = {plan.width, plan.height};
  DPtoLP(dc, &size, 1);
  POINT dest = {plan.destX, plan.destY};
  DPtoLP(memory, &dest, 1);
  if (plan.width > 0 && plan.height > 0)
    BitBlt(dc, dest.x, dest.y, size.x, size.y, memory, srcX, srcY, rop);

  SelectObject(memory, previousBitmap);
  if (previousPalette != nullptr) SelectPalette(memory, previousPalette, FALSE);
  DeleteDC(memory);
}
