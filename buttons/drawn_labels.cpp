#include "buttons/drawn_labels.h"

#include <windows.h>

#include "buttons/current_layout.h"
#include "buttons/label_room.h"
#include "commands/installed_state.h"
#include "media/outline_region.h"
#include "media/resource_ids.h"
#include "media/resource_strings.h"
#include "shell/launcher_state.h"
#include "shell/screen_scale.h"

namespace {

constexpr int32_t kLabelGap = 6;  // between a button and its label, at 100 %

struct Labels {
  HDC dc;
  const Layout& layout;
  PictureShape shape;
  LabelBox buttons[kMaxButtons];
  int32_t shadow;  // the shadow's offset down and right, or 0 for none
  UINT format;
};

UINT ReadingOrder() { return ReadsRightToLeft(state.language) ? DT_RTLREADING : 0; }

// On a 256-colour screen, the picture's own palette entry nearest the colour.
COLORREF ColourOf(uint32_t rrggbb) {
  const COLORREF rgb = RGB(rrggbb >> 16 & 0xFF, rrggbb >> 8 & 0xFF, rrggbb & 0xFF);
  if (state.palette == nullptr) return rgb;
  return PALETTEINDEX(GetNearestPaletteIndex(state.palette, rgb));
}

// Made at the screen's scale, never stretched: 11 points are 16.5 on a 150 % screen.
HFONT LabelFont(const LabelStyle& style, int32_t percent) {
  const int height = -MulDiv(style.pointsTenths * percent, state.dpi, 720 * 100);
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                     style.font);
}

void DrawInRoom(const Labels& labels, const wchar_t* name, const LabelBox& room, UINT align) {
  RECT text = {room.left, room.top, room.right - labels.shadow, room.bottom - labels.shadow};
  if (labels.shadow != 0) {
    RECT shadow = {text.left + labels.shadow, text.top + labels.shadow, room.right, room.bottom};
    SetTextColor(labels.dc, ColourOf(labels.layout.labels.shadow));
    DrawTextW(labels.dc, name, -1, &shadow, labels.format | align);
  }
  SetTextColor(labels.dc, ColourOf(labels.layout.labels.colour));
  DrawTextW(labels.dc, name, -1, &text, labels.format | align);
}

// Too wide for its room, a label is drawn smaller, then cut with an ellipsis; the room
// clips it either way.
void WriteLabel(const Labels& labels, int index) {
  const LayoutEntry& entry = labels.layout.entries[index];
  wchar_t name[kButtonNameSize];
  if (entry.labelSide == kLabelNone ||
      LoadStateString(NameStringIdOf(entry.id), InstalledNameStringIdOf(entry.id), name,
                      kButtonNameSize) == 0)
    return;
  HFONT font = LabelFont(labels.layout.labels, 100);
  if (font == nullptr) return;
  const HGDIOBJ kept = SelectObject(labels.dc, font);
  TEXTMETRICW metrics = {};
  SIZE extent = {};
  GetTextMetricsW(labels.dc, &metrics);
  GetTextExtentPoint32W(labels.dc, name, lstrlenW(name), &extent);
  const LabelBox room = LabelRoom(labels.shape, labels.buttons, labels.layout.entryCount, index,
                                  entry.labelSide, metrics.tmHeight + labels.shadow,
                                  ScaleToDpi(kLabelGap, state.dpi));
  const int32_t percent = LabelPercent(extent.cx, room.right - room.left - labels.shadow);
  HFONT smaller = percent < 100 ? LabelFont(labels.layout.labels, percent) : nullptr;
  if (smaller != nullptr) SelectObject(labels.dc, smaller);
  if (room.right - room.left > labels.shadow)
    DrawInRoom(labels, name, room, entry.labelSide == kLabelLeft ? DT_RIGHT : DT_LEFT);
  SelectObject(labels.dc, kept);
  DeleteObject(font);
  if (smaller != nullptr) DeleteObject(smaller);
}

LabelBox ButtonBox(const LayoutEntry& entry) {
  const int32_t x = ScaleToDpi(entry.x, state.dpi), y = ScaleToDpi(entry.y, state.dpi);
  const int32_t side = ScaleToDpi(entry.size, state.dpi);
  return LabelBox{x, y, x + side, y + side};
}

}  // namespace

void WriteDrawnLabels() {
  const Layout& layout = CurrentLayout();
  if (!layout.drawnLabels || state.background == nullptr) return;
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return;
  HPALETTE keptPalette = nullptr;
  if (state.palette != nullptr) {
    keptPalette = SelectPalette(dc, state.palette, FALSE);
    RealizePalette(dc);
  }
  const HGDIOBJ keptBitmap = SelectObject(dc, state.background);
  SetBkMode(dc, TRANSPARENT);
  const int32_t w = state.backgroundWidth, h = state.backgroundHeight;
  size_t count = 0;
  const OutlineRect* outline = OutlineAt(w, h, &count);
  Labels labels = {dc, layout, PictureShape{outline, count, w, h}, {},
                   layout.labels.shadow == kLayoutNoShadow ? 0 : ScaleToDpi(1, state.dpi),
                   DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | ReadingOrder()};
  for (int i = 0; i < layout.entryCount; ++i) labels.buttons[i] = ButtonBox(layout.entries[i]);
  for (int i = 0; i < layout.entryCount; ++i) WriteLabel(labels, i);
  SelectObject(dc, keptBitmap);
  if (state.palette != nullptr) SelectPalette(dc, keptPalette, FALSE);
  DeleteDC(dc);
}
