#pragma once
// The layout the launcher stands in: chosen once at start-up, after the language, from the
// brand's layout resource in that language (else the default's), mirrored in a
// right-to-left language unless it gives its own places; Norvane's without one.
#include "buttons/layout.h"

// The launcher's layout: Norvane's until ChooseLayout has read another.
const Layout& CurrentLayout();

// Reads the layout resource in `state.language` and lays the button table out by it; false
// (and nothing changed) when the resource is there but malformed: the launcher then
// doesn't open.
bool ChooseLayout();

// Makes `layout` the current one and lays the button table out by it.
void UseLayout(const Layout& layout);
