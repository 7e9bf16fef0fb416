#pragma once

// Cuts a full file name back to its directory, in place: D:\SETUP\LAUNCH.EXE becomes
// D:\SETUP, D:\LAUNCH.EXE becomes D:\ and D:LAUNCH.EXE becomes D:. A name without any
// separator becomes empty. Wide characters: no character of a path in any code page
// looks like a separator unless it is one.
void StripFileName(wchar_t* path);
