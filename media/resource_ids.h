#pragma once
// Resource ids carried in LAUNCH.EXE.

constexpr int kSoundPress = 300;      // a button is pressed
constexpr int kSoundRelease = 301;    // a button is released
constexpr int kSoundHighlight = 302;  // the highlight moved
constexpr int kSoundOpen = 303;       // the opening transition starts
constexpr int kSoundReady = 304;      // the launcher stands in its place
constexpr int kSoundClose = 305;      // the closing transition starts
constexpr int kFirstSoundId = kSoundPress;

constexpr int kPictureId = 199;  // the round picture
constexpr int kMaskId = 200;     // the button mask, three frames
constexpr int kFirstFaceId = 201;  // faces 201 to 204, one per button

constexpr int kButtonClassStringId = 1000;    // "BUTTON"
constexpr int kLaunchFailureStringId = 1001;  // "Unable to execute %s"
// The buttons' names, 1002 to 1005 for buttons 201 to 204: what screen readers announce.
constexpr int kFirstButtonNameStringId = 1002;
constexpr int kWindowTitleStringId = 1006;  // the window title, every message box's caption
constexpr int kDemoPathStringId = 1007;     // the demo installer, from the disc's root
constexpr int kIconGroupId = 1;

// A brand whose entries change once its product is installed (commands/installed_state.h).
constexpr int kInstalledPictureId = 197;       // the picture while installed; else 199
constexpr int kInstalledRuleStringId = 1023;   // `msi {CODE}` or `file {Folder}\path`
constexpr int kUninstallNameStringId = 1024;   // a `file` product's Uninstall entry
constexpr int kFirstInstalledNameStringId = 1030;     // 1030 + (id - 201): names while installed
constexpr int kFirstInstalledCommandStringId = 1040;  // 1040 + (id - 201): commands
