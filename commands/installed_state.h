#pragma once
// Whether a brand's product is installed on this machine, by the rule its string 1023
// carries (installed_rule.h), and what its installed commands take from the machine. A
// launcher without the rule (Norvane's) never looks.
#include "commands/command_text.h"

// Reads the rule and decides `state.watchesInstalled` and `state.installed`; true when
// `state.installed` changed.
bool DecideInstalledState();

// Whether `rule` holds here: Windows Installer has its product (INSTALLSTATE_DEFAULT,
// asked through `platform.productState`), or its file (not a folder) is there.
bool RuleHolds(const wchar_t* rule);

// The string of the current state: `installedId`'s while installed where the brand gives
// one, else `ownId`'s; as LoadCheckedStringW loads it.
int LoadStateString(int ownId, int installedId, wchar_t* buffer, int size);

// The known folder as this machine has it, or empty: {ProgramFiles} is the 64-bit one
// wherever there is one (ProgramW6432 from a 32-bit process on 64-bit Windows).
void LookUpKnownFolder(KnownFolder folder, wchar_t (&path)[kDirectorySize]);

// The machine's side of the installed commands, and the buffers it points into: the known
// folders, the rule's product code, or else the expanded UninstallString of the Uninstall
// entry string 1024 names, from the first of HKLM's 64-bit and 32-bit views and HKCU's
// that has it.
struct MachineSources {
  wchar_t rule[kInstalledRuleSize];
  wchar_t uninstallString[kCommandLineSize];
  InstalledSources sources;
};
void ReadMachineSources(MachineSources& machine);
