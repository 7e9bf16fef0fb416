#pragma once
// The buttons' commands, run from the launcher window's WM_COMMAND. Each builds
// what it starts, hands it to the platform, and reports a start that failed in a message
// box owned by the launcher window; the launcher stays open either way and keeps nothing
// between calls.

// The commands' ids, sent by the buttons of the same control ids.
constexpr int kRunSetupId = 201;
constexpr int kRunDemoSetupId = 202;
constexpr int kExploreDiscId = 203;

// The command of button `id` (201 to 203, 205 to 210): the brand's from its string table
// (strings 1008 to 1010, and 1017 to 1022 for 205 to 210; see command_text.h), or else for
// 201 to 203 the button's own, Norvane's: the product installer SETUP.EXE beside the
// launcher, the demo installer at the root of the launcher's disc (string 1007), Explorer
// showing the disc's root. Both are carried out alike. An entry 205 to 210 without a
// command, like a malformed command, is reported in the failure box.
void RunButtonCommand(int id);

// Disables the row of every button whose command is `none`: it gets no window, face or
// place in the Tab order. Run before the buttons are made.
void LeaveOutAbsentButtons();
