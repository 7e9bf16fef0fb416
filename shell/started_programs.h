#pragma once
// The programs the launcher started, where it watches whether its brand's product is
// installed: it keeps each one's process handle and waits on them in its message loop,
// never blocking it, so that the end of an installer switches the entries at once.
// Otherwise it keeps nothing, as it always has.
#include <windows.h>

// Keeps `process` (null is ignored) while the launcher watches and has room for it, up to
// MAXIMUM_WAIT_OBJECTS - 1; otherwise closes it.
void KeepStartedProgram(HANDLE process);

// Waits up to `milliseconds` for a message (one already queued counts) or the end of a kept
// program; where programs ended, closes their handles and decides the installed state again.
void AwaitMessageOrEndedProgram(DWORD milliseconds);

// Closes every kept handle.
void ReleaseStartedPrograms();
