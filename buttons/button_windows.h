#pragma once
// The buttons as windows: owner-drawn push buttons of the platform's button
// class, children of the launcher window, each subclassed so that Tab and the mouse move
// the highlight.
#include <windows.h>

#include "buttons/button_table.h"

// Creates the button of every enabled row as a child of `parent`, subclasses it and gives
// the first enabled one (the first entry, unless it is left out) the focus. Returns 0 when any enabled
// row's window couldn't be created (the others are still made), non-zero otherwise.
int CreateButtons(HWND parent);

// A button's side at the screen's scale: its size at 96 dpi (Norvane's: 42).
int ButtonSide(const ButtonRecord& button);

// Puts every button at its place and size at the screen's scale, after a change of scale.
void PlaceButtons(HWND parent);

// The window procedure installed on every button: Tab, the arrows and mouse moves feed
// the highlight, Esc leaves, Enter counts as Space; everything else goes to the button class.
LRESULT CALLBACK ButtonSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
