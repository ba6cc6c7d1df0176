// Playing a song offline through the library's own sequencer, and looking
// at what comes out: for the compiler's --render mode, the tests and the
// benchmark.
#pragma once

#include "sorvel/song.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace songc {

// Ticks before the loop point, and in one pass of the loop.
uint64_t song_intro_ticks(const sorvel::Song& song);
uint64_t song_loop_ticks(const sorvel::Song& song);
// The frame at which tick `tick` (counted from the start) begins.
uint64_t song_tick_frame(const sorvel::Song& song, int rate, uint64_t tick);

// Starts the song (its samples already loaded) and renders `frames` stereo
// frames, asking for `chunk` frames at a time like an audio callback.
std::vector<int32_t> song_render(const sorvel::Song& song, int rate, uint64_t frames, int chunk);

struct Levels {
    int32_t peak;         // largest absolute sample
    double mean[2];       // left and right: the DC
    int32_t largest_step; // largest change between neighbouring frames of one channel
    uint64_t largest_step_frame;
};
// Over frames [from, to) of interleaved stereo.
Levels song_levels(std::span<const int32_t> stereo, uint64_t from, uint64_t to);

// 16-bit stereo PCM; samples beyond 16 bits are clamped. Returns 1 or 0.
int wav_write_16(const std::string& path, std::span<const int32_t> stereo, int rate);

} // namespace songc
