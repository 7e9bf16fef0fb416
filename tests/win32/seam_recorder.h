#pragma once
// Takes over the platform seam for one test: a clock that only moves when told, the
// slow-machine flag, a display that can fail, and a log of every sound started or stopped.
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

// Installs the test doubles above in `platform`; the rest stays real.
void Install();

}  // namespace seam
