#include "buttons/current_layout.h"

#include <windows.h>

#include "buttons/button_table.h"
#include "media/resource_language.h"
#include "shell/launcher_state.h"

namespace {

constexpr int kRcdataType = 10;

Layout current = NorvaneLayout();

// The resource's layout in `layout`; true too where there is none (Norvane's stays).
bool ReadLayoutResource(Layout& layout) {
  HRSRC found = FindLauncherResource(kLayoutResourceId, kRcdataType);
  if (found == nullptr) return true;
  HGLOBAL loaded = LoadResource(state.instance, found);
  if (loaded == nullptr) return false;
  const bool read = ParseLayout(static_cast<const uint8_t*>(LockResource(loaded)),
                                SizeofResource(state.instance, found), layout);
  FreeResource(loaded);
  return read;
}

}  // namespace

const Layout& CurrentLayout() { return current; }

bool ChooseLayout() {
  Layout layout = NorvaneLayout();
  if (!ReadLayoutResource(layout)) return false;
  UseLayout(ReadsRightToLeft(state.language) ? MirroredLayout(layout) : layout);
  return true;
}

void UseLayout(const Layout& layout) {
  current = layout;
  FillButtonTable(layout);
}
