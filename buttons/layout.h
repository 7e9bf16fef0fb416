#pragma once
// The launcher's design as plain numbers: the picture's size at 100 %, whether the window
// takes the picture's outline, whether the launcher writes the labels, and each entry's
// button (control id, place, side, label side) in Tab order, exit last. Norvane's is the
// default; a brand's comes from its layout resource (media/layout_resource.h). Plain
// code, no platform.
#include <cstddef>
#include <cstdint>

#include "media/layout_resource.h"

constexpr int kFirstButtonId = 201;
constexpr int kExitButtonId = 204;

struct LayoutEntry {
  int32_t id;    // control id, command id and face id: 201 to 210
  int32_t x, y;  // top-left corner in the picture at 100 %
  int32_t size;  // the button's side at 100 %
  uint16_t labelSide;  // kLabelNone, kLabelLeft or kLabelRight
};

struct LabelStyle {
  wchar_t font[kLayoutFontChars];
  int32_t pointsTenths;
  uint32_t colour;  // 0x00RRGGBB
  uint32_t shadow;  // 0x00RRGGBB, or kLayoutNoShadow
};

struct Layout {
  int32_t width, height;  // the picture at 100 %
  bool outline;           // the window is the picture's outline, not its inscribed ellipse
  bool drawnLabels;
  bool ownPlaces;         // a language's own places: never mirrored
  LabelStyle labels;
  int32_t entryCount;     // exit included, last
  LayoutEntry entries[kMaxButtons];
};

// Norvane's design: 360x360, round, painted labels, 201 to 204 at their places.
Layout NorvaneLayout();

// Reads a layout resource's bytes; false (and `layout` untouched) for anything but a
// well-formed one: its size, version, flags, sizes, ids (each once, exit last), places
// inside the picture.
bool ParseLayout(const uint8_t* bytes, size_t size, Layout& layout);

// A right-to-left language's layout: each button at width - x - size, its label on the
// other side. A layout with the language's own places stays as it is.
Layout MirroredLayout(const Layout& layout);

// Whether the language (a Windows language id) reads right to left: Arabic, Hebrew, Farsi.
bool ReadsRightToLeft(uint16_t language);

// The string that names button `id` (201 to 210): what screen readers announce, and its
// drawn label. 1002 to 1005 for 201 to 204, 1011 to 1016 for 205 to 210.
int NameStringIdOf(int id);
// Its name while the brand's product is installed: 1030 to 1039.
int InstalledNameStringIdOf(int id);
