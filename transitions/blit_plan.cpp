#include "transitions/blit_plan.h"

namespace {
int32_t Smaller(int32_t a, int32_t b) { return a < b ? a : b; }
int32_t NotBelowZero(int32_t a) { return a < 0 ? 0 : a; }
}  // namespace

BlitPlan PlanCenteredBlit(PieceRect rect, int32_t bitmapWidth, int32_t bitmapHeight,
                          int32_t srcX, int32_t srcY) {
  const int32_t rw = rect.right - rect.left;
  const int32_t rh = rect.bottom - rect.top;
  const int32_t w = Smaller(rw, bitmapWidth);
  const int32_t h = Smaller(rh, bitmapHeight);
  BlitPlan plan;
  plan.centredWidth = w;
  plan.centredHeight = h;
  plan.destX = rect.left + (rw - w) / 2;
  plan.destY = rect.top + (rh - h) / 2;
  plan.width = NotBelowZero(Smaller(w, bitmapWidth - srcX));
  plan.height = NotBelowZero(Smaller(h, bitmapHeight - srcY));
  return plan;
}
