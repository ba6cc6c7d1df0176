// Writes a Sound as the game's WAVE layout: 22050 Hz, unsigned 8-bit PCM,
// an 18-byte format block, a "fact" chunk, then the data.
#pragma once

#include "synth.h"

#include <string>

namespace sfx {

// Returns false if the file could not be written.
bool write_wave(const std::string& path, const Sound& sound);

} // namespace sfx
