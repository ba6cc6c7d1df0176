// The music library's cost: one second of the tune at 44100 Hz, rendered
// through the sequencer in 512-frame buffers as the mixer asks for it. The
// time of one iteration is the time one second of music takes, in
// microseconds; the tune plays on (and loops) from one iteration to the next.
#include "res_files.h"
#include "sorvel/samples.h"
#include "sorvel/sequencer.h"
#include "sorvel/song.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int RATE = 44100;
constexpr int BUFFER = 512;

void TuneOneSecond(benchmark::State& state)
{
    std::string error;
    if (!songc::res_files_load(QUOBBIN_RES_DIR, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::span<const uint8_t> bytes = songc::res_files_find("QUOBBIN", "SNGPK");
    static sorvel::Song song;
    if (sorvel::song_parse(bytes, &song) != sorvel::SONG_OK || !sorvel::samples_load(song, songc::res_files_wave) ||
        !sorvel::sequencer_start(&song, RATE, 0)) {
        state.SkipWithError("res/quobbin.sng does not load");
        return;
    }
    std::vector<int32_t> mix(2 * BUFFER);
    for (auto _ : state) {
        for (int done = 0; done < RATE; done += BUFFER) {
            std::fill(mix.begin(), mix.end(), 0);
            sorvel::sequencer_render(mix.data(), std::min(BUFFER, RATE - done));
            benchmark::DoNotOptimize(mix.data());
        }
    }
    sorvel::sequencer_halt();
}
BENCHMARK(TuneOneSecond)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
