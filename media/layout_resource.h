#pragma once
// A brand's own design: RCDATA 1011, carried in the default language and in each language
// that gives places of its own, looked up like every other resource (resource_language.h).
// Without it the launcher is Norvane's: a 360x360 round picture, buttons 201 to 204 at
// their fixed places, labels painted into the picture. The brand tool writes it
// (tools/branding/layout.py); both read the bytes below, little-endian.
//
//   offset  size  field
//   0       2     version, 1
//   2       2     flags: kLayoutOutline, kLayoutDrawnLabels, kLayoutOwnPlaces
//   4       2     picture width at 100 %, 200 to 720
//   6       2     picture height at 100 %, 200 to 720
//   8       2     label size at 100 %, in tenths of a point (110: 11 points)
//   10      2     entry count, 2 to 7: the entries in Tab order, exit last
//   12      4     label colour, 0x00RRGGBB
//   16      4     label shadow, 0x00RRGGBB, or kLayoutNoShadow
//   20      64    label font face, UTF-16, NUL-padded, at most 31 characters
//   84      12 x count entries:
//             2   control id: 201 install, 202 demo, 203 browse, 204 exit, 205 to 210
//                 a brand's own entries (its name and command strings below)
//             2,2 x, y of the button's top-left corner in the picture at 100 %
//             2   the button's side at 100 %: 24 to 96 (42: Norvane's round button)
//             2   kLabelNone, kLabelLeft (written right-aligned before the button) or
//                 kLabelRight (left-aligned after it)
//             2   0
// A resource of any other size, version or value is refused, and the launcher doesn't
// open (exit code 2, as for a picture it can't load).
#include <cstdint>

constexpr int kLayoutResourceId = 1011;

constexpr uint16_t kLayoutVersion = 1;
constexpr uint16_t kLayoutOutline = 1;      // the window is the picture's outline (bitmap 198)
constexpr uint16_t kLayoutDrawnLabels = 2;  // the launcher writes the entries' names
constexpr uint16_t kLayoutOwnPlaces = 4;    // this language's places: never mirrored
constexpr uint32_t kLayoutNoShadow = 0xFFFFFFFFu;

constexpr uint16_t kLabelNone = 0;
constexpr uint16_t kLabelLeft = 1;
constexpr uint16_t kLabelRight = 2;

constexpr int kLayoutHeaderSize = 84;
constexpr int kLayoutEntrySize = 12;
constexpr int kLayoutFontChars = 32;
constexpr int kMaxEntries = 6;                  // besides exit
constexpr int kMaxButtons = kMaxEntries + 1;    // exit included
constexpr int kFirstOwnEntryId = 205;           // a brand's own entries: 205 to 210
constexpr int kLastButtonId = 210;

// Resources of a brand's design, beside those of resource_ids.h:
constexpr int kOutlineId = 198;        // 1-bit: the window's outline (set bits are inside)
constexpr int kOutline2xId = 398;      // the same at twice the size
// Control id N's face is bitmap N (1x) and 200 + N (2x), as Norvane's 201 to 204; its own
// mask, where its face isn't 42x42, is bitmap N + 20 (1x) and N + 220 (2x); without one,
// the shared mask 200 (400 at 2x).
constexpr int kOwnMaskOffset = 20;
constexpr int kTwiceSizeOffset = 200;
// Names (what screen readers announce, and the drawn labels) and commands of 205 to 210.
constexpr int kFirstOwnNameStringId = 1011;     // 1011 to 1016
constexpr int kFirstOwnCommandStringId = 1017;  // 1017 to 1022
