#include "media/sound_bank.h"
#include "shell/launcher_state.h"
#include "shell/launcher_wndproc.h"
#include "transitions/transition_table.h"

void ExitLauncher() {
  SelectedTransition().animate(0);
  StopSounds();
  PostMessageA(state.pieceWindows[0], WM_CLOSE, 0, 0);
}
