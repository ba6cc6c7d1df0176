// Feeds arbitrary bytes to the WAVE parser as a resource, and whatever it
// accepts to the mixer: no input may read or allocate out of bounds, hang,
// or hand back more samples than it holds.
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "sound/wave_read.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    static platform::AudioDevice* device = platform::audio_open(nullptr, 2, 44100, 16);
    headless::register_resource("FUZZ", "WAVE", std::span<const uint8_t>(bytes, size));
    headless::audio_clear_events();

    platform::WaveFormat format{};
    uint32_t samples = 0;
    uint8_t* data = nullptr;
    if (!wave_read("FUZZ", "WAVE", &format, &samples, &data)) {
        if (data) std::abort();
        return 0;
    }
    if (!data || samples > size) std::abort();
    uint32_t sum = 0;
    for (uint32_t i = 0; i < samples; ++i) sum += data[i];

    if (platform::AudioBuffer* buffer = platform::audio_buffer_create(device, format, samples)) {
        void* part1 = nullptr;
        void* part2 = nullptr;
        uint32_t bytes1 = 0;
        uint32_t bytes2 = 0;
        if (platform::audio_buffer_lock(buffer, 0, samples, &part1, &bytes1, &part2, &bytes2)) {
            for (uint32_t i = 0; i < bytes1; ++i) static_cast<uint8_t*>(part1)[i] = data[i];
            platform::audio_buffer_unlock(buffer, part1, bytes1, part2, bytes2);
        }
        platform::audio_buffer_set_pan(buffer, int32_t(sum % 20001) - 10000);
        platform::audio_buffer_set_position(buffer, samples ? sum % samples : 0);
        platform::audio_buffer_play(buffer);
        int16_t out[2 * 300];
        headless::audio_render(out, 300);
        platform::audio_buffer_release(buffer);
    }
    delete[] data;
    return 0;
}
