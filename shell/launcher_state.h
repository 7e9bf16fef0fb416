#pragma once
// The program-wide state: single static variables that live for the whole run and are
// touched only by the one thread. The button table and the mask live with the buttons.
#include <windows.h>

#include "media/resource_strings.h"
#include "shell/launcher_limits.h"

constexpr int kSoundCount = 6;

struct LauncherState {
  HINSTANCE instance;
  ATOM classAtom;
  // No trailing backslash, except for a drive root (D:\). Where the platform couldn't give
  // the module's path whole, it holds the path as far as it went, and nothing is started.
  wchar_t moduleDirectory[MAX_PATH];
  bool moduleDirectoryWhole;
  wchar_t windowTitle[kWindowTitleSize];  // string 1006, or Norvane's title where it can't be read
  // A brand's languages (see media/resource_language.h): the one spoken and the default;
  // both 0 where the launcher carries no list of them.
  WORD language;
  WORD defaultLanguage;

  int screenWidth;
  int screenHeight;
  int displayColours;  // palettes are made only when this is exactly 256
  int dpi;             // the scale everything is laid out at: 96 is 100 %

  HGLOBAL sounds[kSoundCount];  // sounds 300 to 305; null where missing

  HBITMAP background;
  int backgroundWidth;
  int backgroundHeight;
  HPALETTE palette;  // picture 199's palette, only on 256-colour displays

  HWND pieceWindows[kMaxPieceCount];  // piece 0 is the launcher window
  int creatingPiece;              // read by WM_CREATE of the window being made

  int hotButtonId;
  int lastButtonId;
  int launcherActive;
  WNDPROC buttonOriginalProc;

  // Where the brand carries an installed rule: watched, and whether it holds.
  bool watchesInstalled;
  bool installed;
};

extern LauncherState state;
