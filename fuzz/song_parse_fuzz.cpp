// libFuzzer target: any bytes through the song parser, and every song it
// accepts played for a moment, since acceptance is the player's only guard.
// Sample instruments find no recordings here, so songs that name them fail
// to load in the library and are played with those instruments silent.
#include "sorvel/samples.h"
#include "sorvel/sequencer.h"
#include "sorvel/song.h"

#include <array>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static sorvel::Song song;
    static std::array<int32_t, 2 * 4096> mix;
    sorvel::sequencer_halt();
    if (sorvel::song_parse(std::span<const uint8_t>(data, size), &song) != sorvel::SONG_OK) return 0;
    sorvel::samples_clear();
    if (!sorvel::sequencer_start(&song, 44100, 0)) __builtin_trap();
    // Long enough for a few rows of the fastest songs and a tick of the slowest.
    for (int k = 0; k < 4; ++k) sorvel::sequencer_render(mix.data(), 4096);
    sorvel::sequencer_halt();
    return 0;
}
