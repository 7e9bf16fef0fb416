#include "media/sound_bank.h"

#include <windows.h>
#include <mmsystem.h>

#include "media/resource_ids.h"
#include "shell/launcher_state.h"
#include "shell/platform_seam.h"

void LoadSounds() {
  for (int i = 0; i < kSoundCount; ++i) {
    HRSRC found = FindResourceA(state.instance, MAKEINTRESOURCEA(kFirstSoundId + i), "WAVE");
    if (found != nullptr) state.sounds[i] = LoadResource(state.instance, found);
  }
}

void FreeSounds() {
  for (HGLOBAL sound : state.sounds) {
    if (sound != nullptr) FreeResource(sound);
  }
}

void PlaySoundId(int id) {
  HGLOBAL image = state.sounds[id - kFirstSoundId];
  if (image == nullptr) return;
  StopSounds();
  platform.sndPlaySound(static_cast<LPCSTR>(image), SND_ASYNC | SND_NODEFAULT | SND_MEMORY);
}

void StopSounds() { platform.stopSounds(nullptr, nullptr, SND_PURGE); }
