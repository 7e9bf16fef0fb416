#pragma once
// The upper half of the picture comes down from the top edge of the screen while the
// lower half comes up from the bottom edge; the close sends them back out.
#include "transitions/effect_geometry.h"

extern const EffectGeometry verticalHalvesGeometry;
