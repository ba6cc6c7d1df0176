#include "support/fake_audio.h"

#include "platform/resource.h"

#include <strings.h>
#include <vector>

namespace platform {
struct AudioDevice {
    int unused;
};
} // namespace platform

namespace {

struct Resource {
    std::string name;
    std::string type;
    std::vector<uint8_t> bytes;
};

FakeAudio state;
platform::AudioDevice device{0};
std::vector<Resource> resources;

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
    state.lock_hook = nullptr;
    resources.clear();
}

void fake_audio_add_resource(const std::string& name, const std::string& type, std::span<const uint8_t> bytes)
{
    resources.push_back(Resource{name, type, std::vector<uint8_t>(bytes.begin(), bytes.end())});
}

void fake_audio_render(int32_t* mix, int frames)
{
    if (!state.stream) return;
    platform::audio_lock(&device);
    state.stream(state.stream_user, mix, frames);
    platform::audio_unlock(&device);
}

namespace platform {

AudioDevice* audio_open(Window*, int channels, int rate, int bits)
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
    if (state.lock_hook) state.lock_hook(true);
}

void audio_unlock(AudioDevice*)
{
    ++state.unlocks;
    if (state.lock_hook) state.lock_hook(false);
}

std::span<const uint8_t> resource_find(const char* name, const char* type)
{
    if (!name || !type) return {};
    for (const Resource& r : resources)
        if (strcasecmp(r.name.c_str(), name) == 0 && strcasecmp(r.type.c_str(), type) == 0) return r.bytes;
    return {};
}

} // namespace platform
