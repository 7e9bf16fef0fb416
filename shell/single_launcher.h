#pragma once
#include <windows.h>

// One launcher at a time: AutoPlay starts it when the disc goes in, and Windows again when
// the user opens the drive. True when this product's launcher is open already in this
// session (or still opening); it is brought to the front, and this one should end at once,
// having shown and played nothing. False for the first launcher, which from then on holds
// the claim until its process ends, however it ends.
bool AnotherLauncherIsOpen(HINSTANCE instance);
