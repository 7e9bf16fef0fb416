#include "shell/started_programs.h"

#include "shell/installed_switch.h"
#include "shell/launcher_state.h"

namespace {

// One wait takes MAXIMUM_WAIT_OBJECTS handles, the message queue's among them.
constexpr DWORD kMostKept = MAXIMUM_WAIT_OBJECTS - 1;
HANDLE kept[kMostKept];
DWORD keptCount = 0;

void Forget(DWORD index) {
  CloseHandle(kept[index]);
  kept[index] = kept[--keptCount];
}

// Every kept program that has ended, not only the one that woke the wait.
bool ForgetEnded() {
  bool ended = false;
  for (DWORD i = keptCount; i-- > 0;) {
    if (WaitForSingleObject(kept[i], 0) == WAIT_TIMEOUT) continue;
    Forget(i);
    ended = true;
  }
  return ended;
}

}  // namespace

void KeepStartedProgram(HANDLE process) {
  if (process == nullptr) return;
  if (state.watchesInstalled && keptCount < kMostKept) {
    kept[keptCount++] = process;
    return;
  }
  CloseHandle(process);
}

void AwaitMessageOrEndedProgram(DWORD milliseconds) {
  const DWORD woken = MsgWaitForMultipleObjectsEx(keptCount, kept, milliseconds, QS_ALLINPUT,
                                                  MWMO_INPUTAVAILABLE);
  // A handle that can't be waited on (WAIT_FAILED) is forgotten too, or the wait would
  // fail at once for ever.
  if (woken == WAIT_FAILED) ReleaseStartedPrograms();
  if (woken < WAIT_OBJECT_0 + keptCount && ForgetEnded()) RecheckInstalledState();
}

void ReleaseStartedPrograms() {
  while (keptCount > 0) Forget(keptCount - 1);
}
