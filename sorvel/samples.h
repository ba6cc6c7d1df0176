// The recordings a song's sample instruments play: WAVE resources decoded
// once, at load time, into a static pool of mono float frames, so playing
// them never allocates and never reads the resource again.
#pragma once

#include "sorvel/song.h"

#include <cstdint>
#include <span>

namespace sorvel {

inline constexpr uint32_t SAMPLE_POOL_FRAMES = 1u << 17;

struct Sample {
    const float* data; // -1..1
    uint32_t frames;   // at least 2
    uint32_t rate;     // frames per second of the recording
};

// Finds the bytes of the WAVE resource with this name; empty if none.
using WaveLookup = std::span<const uint8_t> (*)(const char* name);

// Decodes PCM WAVE bytes (8-bit unsigned or 16-bit signed, mono or stereo,
// mixed down to mono) into at most `capacity` frames of `out`. Returns 1
// with the frame count and rate, or 0 when the bytes are not such a wave, it
// has fewer than 2 frames, or it does not fit.
int sample_wave_decode(std::span<const uint8_t> bytes, float* out, uint32_t capacity, uint32_t* frames, uint32_t* rate);

// Looks up and decodes the recording of every sample instrument of `song`.
// Returns 1, or 0 (and holds no samples) when one is missing or bad.
int samples_load(const Song& song, WaveLookup lookup);
void samples_clear();
// The recording of instrument `index` (0-based), or null for oscillators.
const Sample* samples_of(int index);

} // namespace sorvel
