#include "media/sound_bank.h"

#include <windows.h>
#include <mmsystem.h>

#include "media/resource_ids.h"
#include "media/wave_image.h"
#include "shell/launcher_state.h"
#include "shell/platform_seam.h"

namespace {

// The player knows no size but those written inside the sound: one whose chunks don't lie
// inside the resource counts as missing.
HGLOBAL LoadPlayableSound(int id) {
  HRSRC found = FindResourceA(state.instance, MAKEINTRESOURCEA(id), "WAVE");
  if (found == nullptr) return nullptr;
  HGLOBAL loaded = LoadResource(state.instance, found);
  if (loaded == nullptr) return nullptr;
  const auto* image = static_cast<const uint8_t*>(LockResource(loaded));
  if (image != nullptr && WaveImagePlayable(image, SizeofResource(state.instance, found)))
    return loaded;
  FreeResource(loaded);
  return nullptr;
}

}  // namespace

void LoadSounds() {
  for (int i = 0; i < kSoundCount; ++i) state.sounds[i] = LoadPlayableSound(kFirstSoundId + i);
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
