#pragma once
#include <windows.h>

constexpr UINT kDpiChangedMessage = 0x02E0;  // WM_DPICHANGED, missing from older headers

// WM_DPICHANGED at a launcher window: moved to a monitor of another scale (or the scale
// changed under it), the launcher window lays itself out again at the new scale, at the
// place the system suggests, with its art reloaded for that scale. Other pieces ignore
// it. Returns 0.
LRESULT OnDpiChanged(HWND hwnd, WPARAM wParam, LPARAM lParam);
