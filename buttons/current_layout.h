#pragma once
// The design the running launcher lays itself out by: the brand's layout in the chosen
// language, or Norvane's.
#include "buttons/layout.h"

const Layout& CurrentLayout();

// Tests only: the layout CurrentLayout returns from now on.
void SetCurrentLayoutForTest(const Layout& layout);
