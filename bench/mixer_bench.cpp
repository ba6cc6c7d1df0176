// One second of 44100 Hz output through the software mixer, rendered in
// blocks of 1024 frames as an audio callback would ask for it, with the nine
// real effects kept playing (each restarted as soon as it ends) and a music
// stream that adds a sine.
#include "app/resource_list.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "sound/sound.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int RATE = 44100;
constexpr int CALLBACK_FRAMES = 1024;

struct Sine {
    double phase = 0;
};

void add_sine(void* user, int32_t* mix, int frames)
{
    auto* s = static_cast<Sine*>(user);
    for (int i = 0; i < frames; ++i) {
        const auto v = int32_t(6000 * std::sin(s->phase));
        mix[2 * i] += v;
        mix[2 * i + 1] += v;
        s->phase += 2 * M_PI * 220 / RATE;
    }
    s->phase = std::fmod(s->phase, 2 * M_PI);
}

void BM_MixOneSecondNineEffectsAndStream(benchmark::State& state)
{
    headless::reset();
    for (const platform::Resource& r : platform::embedded_resources())
        headless::register_resource(r.name, r.type, r.bytes);
    platform::AudioDevice* device = platform::audio_open(nullptr, 2, RATE, 16);
    sound_attach_device(device);
    std::vector<int> slots;
    for (const ResourceEntry& e : RESOURCE_LIST) {
        if (e.kind != ResourceKind::Wave) continue;
        if (!sound_load_wave(e.name, e.slot)) state.SkipWithError("an effect did not load");
        slots.push_back(e.slot);
        sound_set_pan(e.slot, e.slot * 60);
    }
    Sine sine;
    platform::audio_set_stream(device, add_sine, &sine);
    std::vector<int16_t> out(2 * CALLBACK_FRAMES);
    for (auto _ : state) {
        for (int done = 0; done < RATE; done += CALLBACK_FRAMES) {
            for (int slot : slots)
                if (!headless::audio_is_playing(sound_slot(slot))) sound_play(slot);
            headless::audio_render(out.data(), std::min(CALLBACK_FRAMES, RATE - done));
        }
        benchmark::DoNotOptimize(out.data());
    }
    platform::audio_set_stream(device, nullptr, nullptr);
    sound_release_all();
    sound_attach_device(nullptr);
    platform::audio_close(device);
}
BENCHMARK(BM_MixOneSecondNineEffectsAndStream)->Unit(benchmark::kMicrosecond);

} // namespace
