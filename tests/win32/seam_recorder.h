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
// "exec LINE show N" for every program start and "box OWNER ICON CAPTION: TEXT" for every
// message box (OWNER is "launcher" for the launcher window, ICON the type in hex), in
// order. A box answers IDOK at once.
extern std::vector<std::string> launchLog;
extern UINT execResult;        // what a start answers (above 31: started)...
extern bool execForReal;       // ...unless the line goes to the real WinExec
extern bool windowsDirectoryFails;  // the Windows directory can't be had

// Installs the test doubles above in `platform`; the rest stays real.
void Install();

}  // namespace seam
