// A stand-in until the layout is read from the brand's resource: Norvane's flags (round,
// painted labels), or whatever a test sets.
#include "buttons/current_layout.h"

namespace {
Layout current = {360, 360, false, false, false, {}, 0, {}};
}  // namespace

const Layout& CurrentLayout() { return current; }

void SetCurrentLayoutForTest(const Layout& layout) { current = layout; }
