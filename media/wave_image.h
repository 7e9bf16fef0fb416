#pragma once
// The bytes of a sound resource: a RIFF WAVE image, which the platform's in-memory player
// reads by the sizes written inside it and nothing else, so an image whose chunk sizes
// run past the resource sends it reading whatever lies behind. Plain code over bytes, no
// platform.
#include <cstddef>
#include <cstdint>

// True when the image in `size` bytes can be handed to the player: the RIFF chunk lies
// inside it, the "fmt " chunk and then the "data" chunk are found within the RIFF chunk,
// every chunk up to the end of "data" lies inside it as well, "fmt " describes plain PCM
// (1 or 2 channels, 8 or 16 bits, a rate of 1000 to 192000 Hz, the block alignment those
// make) and "data" holds a whole number of blocks.
bool WaveImagePlayable(const uint8_t* image, size_t size);
