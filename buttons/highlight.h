#pragma once
// The highlight: the button lit by the mouse or the Tab key (`hotButtonId`), the one to
// come back to (`lastButtonId`), and whether the launcher is active. Moving the focus
// between buttons makes both draw at once, reading `hotButtonId` as it is at that moment,
// so each event changes it on a fixed side of its focus call.
#include <windows.h>

// WM_ACTIVATE at a launcher window: an activation other than by a click brings the focus
// back to the last button; any other change drops the highlight. Returns 0.
LRESULT OnLauncherActivate(HWND hwnd, WPARAM wParam);

// WM_NCACTIVATE at a launcher window: records whether it is active, then the default.
LRESULT OnLauncherNcActivate(HWND hwnd, WPARAM wParam, LPARAM lParam);

// WM_KEYDOWN at a launcher window: Tab and the arrows give the last button the focus (0);
// any other key gets the default handling.
LRESULT OnLauncherKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam);

// WM_MOUSEMOVE at a launcher window: the pointer is on the picture, off every button, so
// the highlight is dropped silently; then the default handling.
LRESULT OnLauncherMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam);

// A key pressed at a button: Tab, Down and Right move the highlight and the focus to the
// next button, Shift+Tab, Up and Left to the one before it, with the highlight sound, and
// return true; any other key returns false.
bool OnButtonMoveKey(HWND button, WPARAM key);

// A mouse move at a button: the highlight moves onto it, with the highlight sound, unless
// it is already there or the launcher isn't active.
void OnButtonMouseMove(HWND button);
