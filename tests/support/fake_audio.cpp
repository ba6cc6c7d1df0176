#include "support/fake_audio.h"

#include "platform/resource_table.h"
#include "sorvel/sequencer.h"

namespace platform {
struct AudioDevice {
    int unused;
};
} // namespace platform

namespace {

FakeAudio state;
platform::AudioDevice device{0};
platform::ResourceStore resources;

} // namespace

FakeAudio& fake_audio()
{
    return state;
}

void fake_audio_reset()
{
    state.fail_open = false;
    state.device_rate = 0;
    state.opens = state.locks = state.unlocks = 0;
    resources = platform::ResourceStore{};
}

void fake_audio_add_resource(const std::string& name, const std::string& type, std::span<const uint8_t> bytes)
{
    platform::resource_store_put(&resources, name, type, bytes);
}

void fake_audio_render(int32_t* mix, int frames)
{
    if (!state.stream) return;
    platform::audio_lock(&device);
    state.stream(state.stream_user, mix, frames);
    platform::audio_unlock(&device);
}

namespace platform {

AudioDevice* audio_open(void*, int channels, int rate, int bits)
{
    ++state.opens;
    if (state.fail_open) return nullptr;
    state.channels = channels;
    state.rate = rate;
    state.bits = bits;
    return &device;
}

void audio_close(AudioDevice*)
{
}

int audio_rate(const AudioDevice*)
{
    return state.device_rate ? state.device_rate : state.rate;
}

void audio_set_stream(AudioDevice*, AudioStream stream, void* user)
{
    state.stream = stream;
    state.stream_user = user;
}

void audio_lock(AudioDevice*)
{
    ++state.locks;
    state.playing_at_lock = sorvel::sequencer_playing();
}

void audio_unlock(AudioDevice*)
{
    ++state.unlocks;
    state.playing_at_unlock = sorvel::sequencer_playing();
}

std::span<const uint8_t> resource_find(const char* name, const char* type)
{
    return resource_table_find(resources.table, name, type);
}

} // namespace platform
