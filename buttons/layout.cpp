#include "buttons/layout.h"

#include "media/resource_ids.h"

namespace {

constexpr int32_t kNorvaneSide = 360;
constexpr int32_t kNorvaneButtonSide = 42;
constexpr int32_t kSmallestPicture = 200, kLargestPicture = 720;
constexpr int32_t kSmallestButton = 24, kLargestButton = 96;
constexpr int32_t kFewestPointsTenths = 10, kMostPointsTenths = 720;
constexpr uint32_t kLargestColour = 0xFFFFFFu;
constexpr uint16_t kKnownFlags = kLayoutOutline | kLayoutDrawnLabels | kLayoutOwnPlaces;
constexpr int kFontOffset = 20;

// Primary languages (the low ten bits of a language id) that read right to left.
constexpr uint16_t kArabic = 0x01, kHebrew = 0x0D, kFarsi = 0x29;
constexpr uint16_t kPrimaryLanguageMask = 0x3FF;

uint16_t Word(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }
uint32_t DoubleWord(const uint8_t* at) {
  return static_cast<uint32_t>(Word(at)) | static_cast<uint32_t>(Word(at + 2)) << 16;
}

bool Within(int32_t value, int32_t lowest, int32_t highest) {
  return value >= lowest && value <= highest;
}

bool IsColour(uint32_t colour) { return colour <= kLargestColour; }

// The face name's characters up to its terminator, which must come within the field.
bool ReadFont(const uint8_t* at, wchar_t (&font)[kLayoutFontChars]) {
  for (int i = 0; i < kLayoutFontChars; ++i) {
    font[i] = static_cast<wchar_t>(Word(at + 2 * i));
    if (font[i] == L'\0') return true;
  }
  return false;
}

bool ReadHeader(const uint8_t* bytes, Layout& layout) {
  const uint16_t flags = Word(bytes + 2);
  if (Word(bytes) != kLayoutVersion || (flags & ~kKnownFlags) != 0) return false;
  layout.width = Word(bytes + 4);
  layout.height = Word(bytes + 6);
  layout.labels.pointsTenths = Word(bytes + 8);
  layout.entryCount = Word(bytes + 10);
  layout.labels.colour = DoubleWord(bytes + 12);
  layout.labels.shadow = DoubleWord(bytes + 16);
  layout.outline = (flags & kLayoutOutline) != 0;
  layout.drawnLabels = (flags & kLayoutDrawnLabels) != 0;
  layout.ownPlaces = (flags & kLayoutOwnPlaces) != 0;
  return Within(layout.width, kSmallestPicture, kLargestPicture) &&
         Within(layout.height, kSmallestPicture, kLargestPicture) &&
         Within(layout.labels.pointsTenths, kFewestPointsTenths, kMostPointsTenths) &&
         Within(layout.entryCount, 2, kMaxButtons) && IsColour(layout.labels.colour) &&
         (IsColour(layout.labels.shadow) || layout.labels.shadow == kLayoutNoShadow) &&
         ReadFont(bytes + kFontOffset, layout.labels.font);
}

bool ReadEntry(const uint8_t* at, const Layout& layout, LayoutEntry& entry) {
  entry = {Word(at), Word(at + 2), Word(at + 4), Word(at + 6), Word(at + 8)};
  return Within(entry.id, kFirstButtonId, kLastButtonId) &&
         Within(entry.size, kSmallestButton, kLargestButton) && entry.labelSide <= kLabelRight &&
         Word(at + 10) == 0 && entry.x + entry.size <= layout.width &&
         entry.y + entry.size <= layout.height;
}

// Each id at most once, and exit the last entry, so Tab ends on it.
bool IdsInOrder(const Layout& layout) {
  bool seen[kLastButtonId - kFirstButtonId + 1] = {};
  for (int i = 0; i < layout.entryCount; ++i) {
    const int32_t id = layout.entries[i].id;
    const bool last = i == layout.entryCount - 1;
    if (seen[id - kFirstButtonId] || (id == kExitButtonId) != last) return false;
    seen[id - kFirstButtonId] = true;
  }
  return true;
}

}  // namespace

Layout NorvaneLayout() {
  Layout layout = {kNorvaneSide, kNorvaneSide, false, false, false,
                   {L"", 0, 0, kLayoutNoShadow}, 0, {}};
#define BUTTON_PLACE(id, x, y) \
  layout.entries[layout.entryCount++] = {id, x, y, kNorvaneButtonSide, kLabelNone};
#include "buttons/button_places.def"
#undef BUTTON_PLACE
  return layout;
}

bool ParseLayout(const uint8_t* bytes, size_t size, Layout& layout) {
  if (bytes == nullptr || size < static_cast<size_t>(kLayoutHeaderSize)) return false;
  Layout read = {};
  if (!ReadHeader(bytes, read)) return false;
  if (size != static_cast<size_t>(kLayoutHeaderSize + kLayoutEntrySize * read.entryCount))
    return false;
  for (int i = 0; i < read.entryCount; ++i) {
    if (!ReadEntry(bytes + kLayoutHeaderSize + kLayoutEntrySize * i, read, read.entries[i]))
      return false;
  }
  if (!IdsInOrder(read)) return false;
  layout = read;
  return true;
}

Layout MirroredLayout(const Layout& layout) {
  Layout mirrored = layout;
  if (layout.ownPlaces) return mirrored;
  for (int i = 0; i < layout.entryCount; ++i) {
    LayoutEntry& entry = mirrored.entries[i];
    entry.x = layout.width - entry.x - entry.size;
    if (entry.labelSide != kLabelNone)
      entry.labelSide = entry.labelSide == kLabelLeft ? kLabelRight : kLabelLeft;
  }
  return mirrored;
}

bool ReadsRightToLeft(uint16_t language) {
  const uint16_t primary = language & kPrimaryLanguageMask;
  return primary == kArabic || primary == kHebrew || primary == kFarsi;
}

int InstalledNameStringIdOf(int id) { return kFirstInstalledNameStringId + id - kFirstButtonId; }

int NameStringIdOf(int id) {
  return id < kFirstOwnEntryId ? kFirstButtonNameStringId + id - kFirstButtonId
                               : kFirstOwnNameStringId + id - kFirstOwnEntryId;
}
