#pragma once
#include <windows.h>

// WM_DEVICECHANGE at a launcher window: when the volume or medium removed is the drive the
// launcher runs from, the launcher closes at once, as Alt+F4 closes it; its buttons would
// otherwise start the programs of whatever disc comes next. Any other notice changes
// nothing. Returns TRUE, as every notice asks.
LRESULT OnDeviceChange(WPARAM event, LPARAM data);
