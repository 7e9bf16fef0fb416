#pragma once
// The switch of the open launcher between its brand's entries before and after its product
// is installed.

// Decides the installed state again, where the brand carries a rule; where it changed,
// shows it in place, without the open transition: the buttons' names (their window
// texts), the picture of the state at the current scale with the faces and drawn labels in
// it, repainted without an erase. The commands follow at each press.
void RecheckInstalledState();
