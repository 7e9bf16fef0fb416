#pragma once
#include <windows.h>

// The window procedure every piece window shares; routes each message to its handler.
LRESULT CALLBACK LauncherWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Realizes the picture's palette in `hwnd` and repaints it; entries realized, or 0.
LRESULT RealizeLauncherPalette(HWND hwnd);

// The exit sequence: the closing transition, silence, then close the launcher window.
void ExitLauncher();
