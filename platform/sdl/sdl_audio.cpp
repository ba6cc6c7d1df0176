// Audio on SDL: the software mixer, driven by SDL's audio callback on its
// own thread. The buffer is short (512 frames, 11.6 ms at 44100 Hz), so an
// effect started in a frame is heard within the next one or two.
#include "platform/audio.h"
#include "platform/soft/soft_audio.h"

#include <SDL.h>

#include <new>

namespace platform {

struct AudioDevice {
    SoftMixer mixer;
    SDL_AudioDeviceID id = 0;
};

} // namespace platform

namespace {

constexpr Uint16 DEVICE_FRAMES = 512;

void callback(void* user, Uint8* stream, int bytes)
{
    auto* device = static_cast<platform::AudioDevice*>(user);
    soft_mixer_render(&device->mixer, reinterpret_cast<int16_t*>(stream), bytes / 4);
}

} // namespace

namespace platform {

// The mixer renders 16-bit stereo; SDL converts if the device wants else.
AudioDevice* audio_open(void*, int channels, int rate, int bits)
{
    if (channels != 2 || bits != 16) return nullptr;
    if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    auto* device = new (std::nothrow) AudioDevice;
    if (!device) return nullptr;
    if (!soft_mixer_init(&device->mixer, rate)) {
        delete device;
        return nullptr;
    }
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = DEVICE_FRAMES;
    want.callback = callback;
    want.userdata = device;
    device->id = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (!device->id) {
        delete device;
        return nullptr;
    }
    SDL_PauseAudioDevice(device->id, 0);
    return device;
}

void audio_close(AudioDevice* device)
{
    if (!device) return;
    SDL_CloseAudioDevice(device->id); // waits for the callback to finish
    soft_mixer_detach_all(&device->mixer);
    delete device;
}

} // namespace platform

SoftMixer* soft_audio_mixer(platform::AudioDevice* device)
{
    return &device->mixer;
}
