// The control for the planted-DLL test: a program that imports winmm.dll statically, as
// the launcher once did. Started beside a planted winmm.dll, it loads that one.
#include <windows.h>
#include <mmsystem.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  sndPlaySoundA(nullptr, 0);  // stops nothing; the import is what matters
  return 0;
}
