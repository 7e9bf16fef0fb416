#pragma once
// A brand's command for one of the three launch buttons, as its string table carries it,
// and what it starts. Exactly one of:
//   run PATH      a program (.exe) or a Windows Installer package (.msi)
//   open PATH     a document, opened with the user's program for its type
//   web URL       an https:// address with a host, in the user's browser
//   browse        Explorer on the disc's root; browse PATH: on a folder of the disc
//   none          the button isn't there
// and, only as the command of an entry while its product is installed (never `none`):
//   start {Folder}\PATH\NAME.exe   a program under a known folder (installed_rule.h)
//   remove        the product's own removal
// with one space after the keyword. A PATH lies on the disc: a leading backslash means
// from the disc's root, otherwise from the launcher's directory; it has no drive, no
// "..", no slash. An empty text means the button's own command, as Norvane's disc has it.
// The text is checked again here, whatever built it: a malformed one starts nothing.
// Nothing here needs the platform.
#include <cstddef>

#include "commands/command_lines.h"
#include "commands/installed_rule.h"

// The longest command text taken whole; its buffer holds one more character, so that a
// longer text (cut by its loading) is seen to be too long.
constexpr size_t kLongestCommandText = 259;
constexpr size_t kCommandTextSize = kLongestCommandText + 2;

enum class CommandKind {
  Today, Run, RunPackage, Open, Web, Browse, None, Malformed, Start, Remove
};

// An entry's own command, or its command while the product is installed.
enum class CommandSet { Entry, Installed };

// The kind of command `text` (read no further than kCommandTextSize characters) holds.
CommandKind CommandKindOf(const wchar_t* text, CommandSet set = CommandSet::Entry);

// What the installed commands take from the machine.
struct InstalledSources {
  // Fills `path` with the known folder's path; empty where the machine has none.
  void (*knownFolder)(KnownFolder folder, wchar_t (&path)[kDirectorySize]);
  const wchar_t* productCode;      // the `msi` rule's code, else null
  const wchar_t* uninstallString;  // the product's UninstallString, expanded, else null
};

// What a command hands to the platform. For a program, a package and Explorer: the
// command line and the folder it starts in. For a document: its full path and its folder.
// For an address: the address, no folder. For a malformed command: its text, for the
// failure box.
struct CommandTarget {
  CommandKind kind;
  CommandLine line;
  StartFolder folder;
};

// Builds the target of `text` from the launcher's directory, the Windows directory
// (Explorer's) and the system directory (msiexec.exe's), each in a kDirectorySize buffer;
// an installed command's also from `installed`, without which `start` and `remove` are
// malformed. A program under a known folder starts in its own folder; the removal, msiexec's
// `/x CODE` or else the UninstallString as its line, in the system directory.
// True when it is whole and can be handed over; false for a malformed command, a target
// that didn't fit, or an empty directory it needed, with `target.line` then naming it as
// far as it went. Not for Today and None, which start nothing of their own.
bool BuildCommandTarget(CommandTarget& target, const wchar_t* text,
                        const wchar_t* moduleDirectory, const wchar_t* windowsDirectory,
                        const wchar_t* systemDirectory,
                        const InstalledSources* installed = nullptr);

// The buttons' own commands, Norvane's: SETUP.EXE beside the launcher, the demo installer at
// `demoPath` (see BuildDemoSetupLine) and Explorer on the disc's root. Built by the same
// builders as a brand's `run SETUP.EXE`, `run \DEMO PATH` and `browse`, so they start alike;
// only the demo path is taken as its string gives it, whatever its name.
enum class TodaysCommand { Setup, DemoSetup, ExploreDisc };
bool BuildTodaysTarget(CommandTarget& target, TodaysCommand command, const wchar_t* demoPath,
                       const wchar_t* moduleDirectory, const wchar_t* windowsDirectory);
