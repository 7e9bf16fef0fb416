#pragma once
// Takes over the platform seam for one test: a clock that only moves when told, the
// slow-machine flag, a display that can fail, a log of every sound started or stopped,
// and a log of program starts and message boxes (no box is ever shown).
#include <windows.h>

#include <string>
#include <vector>

namespace seam {

extern DWORD tick;          // what GetTickCount reports
extern DWORD tickAdvance;   // added after every reading
extern int slowMachine;     // what SM_SLOWMACHINE reports
extern bool displayFails;   // the display's information context can't be had
// "play N" for every sound started (N its id, from the image's place in the bank) and
// "stop" for every purge, in order.
extern std::vector<std::string> soundLog;
// In order: "exec LINE in FOLDER show N" for every process created; "shell VERB PROGRAM
// [with PARAMETERS] in FOLDER show N" for every start through the shell (wide texts in the
// ANSI code page), "box OWNER ICON CAPTION: TEXT"
// for every message box (OWNER is "launcher" for the launcher window, ICON the type in
// hex). A call made otherwise than the launcher always makes it gets " with wrong
// arguments" added. A box answers IDOK at once.
extern std::vector<std::string> launchLog;
extern DWORD execError;         // what a process creation fails with (0: it starts)...
extern bool execForReal;        // ...unless the line goes to the real CreateProcessW
extern DWORD shellError;        // what the shell's start fails with (0: it starts)...
extern bool shellForReal;       // ...unless it goes to the launcher's real one
// How many of the handles that started processes came with are still open.
int StartHandlesOpen();
extern bool windowsDirectoryFails;  // the Windows directory can't be had
extern LANGID userLanguage;         // the user's interface language (0: the real one)

// Installs the test doubles above in `platform`; the rest stays real.
void Install();

// Puts every variable above back to its value at process start, and empties the logs.
void Reset();

}  // namespace seam
