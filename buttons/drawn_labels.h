#pragma once
// A brand's drawn labels: each entry's name, in the chosen language, written into the
// picture itself (so that the transitions carry it) at the screen's scale.

// Writes the labels into `state.background` where the layout asks for drawn labels, else
// does nothing. Called once the picture is loaded, at start-up and at a new scale.
void WriteDrawnLabels();
