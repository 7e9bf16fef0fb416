#pragma once
// Six sounds, loaded once at start-up and played asynchronously from memory by id.

void LoadSounds();
void FreeSounds();

// Cuts off whatever sound is playing and starts sound `id` (300 to 305) from the start.
// A missing sound plays nothing and leaves a playing one alone.
void PlaySoundId(int id);

// Stops any sound that is playing.
void StopSounds();
