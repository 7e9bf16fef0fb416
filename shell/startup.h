#pragma once
#include <windows.h>

// Exit codes of the launcher process.
constexpr int kExitNormal = 0;
constexpr int kExitNoWindowClass = 1;
constexpr int kExitNoWindow = 2;  // the layout or picture can't be read, or the windows made
constexpr int kExitNoDisplay = 3;

// The start-up sequence and the message loop; returns the exit code.
int RunLauncher(HINSTANCE instance);

// The start-up sequence up to the end of the opening transition: kExitNormal with the
// launcher open, else the exit code it ends with.
int OpenLauncher(HINSTANCE instance);

// Records the directory of the running executable in `moduleDirectory`.
void RecordModuleDirectory();

// Reads the screen size and the display's colour capability; 0 when the display's
// information context can't be had.
int SurveyDisplay();

// Registers "NorvaneCDSetupClass" once; non-zero on success.
int RegisterLauncherClass();

// Loads the faces, the mask and the picture at the screen's scale (`dpi`); false when the
// picture can't be had.
bool LoadArt();

// Deletes every bitmap and palette LoadArt made.
void ReleaseArt();

// Loads the art, then creates and opens the selected transition; the launcher window, or
// null.
HWND LoadArtAndOpen();
