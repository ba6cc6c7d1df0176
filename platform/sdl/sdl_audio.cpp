// Audio on SDL: the software mixer, driven by SDL's audio callback on its
// own thread. The buffer is short (512 frames, 11.6 ms at 44100 Hz), so an
// effect started in a frame is heard within the next one or two.
#include "platform/audio.h"
#include "platform/soft/soft_mixer.h"

#include <SDL.h>

#include <new>

namespace platform {

struct AudioDevice {
    SoftMixer mixer;
    SDL_AudioDeviceID id = 0;
};

struct AudioBuffer {
    SoftVoice voice;
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
AudioDevice* audio_open(Window*, int channels, int rate, int bits)
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

int audio_rate(const AudioDevice* device)
{
    return device ? device->mixer.rate : 0;
}

void audio_set_stream(AudioDevice* device, AudioStream stream, void* user)
{
    if (device) soft_mixer_set_stream(&device->mixer, stream, user);
}

void audio_lock(AudioDevice* device)
{
    if (device) soft_mixer_lock(&device->mixer);
}

void audio_unlock(AudioDevice* device)
{
    if (device) soft_mixer_unlock(&device->mixer);
}

AudioBuffer* audio_buffer_create(AudioDevice* device, const WaveFormat& format, uint32_t bytes)
{
    if (!device) return nullptr;
    auto* buffer = new (std::nothrow) AudioBuffer;
    if (buffer && soft_voice_init(&buffer->voice, format, bytes) && soft_mixer_add(&device->mixer, &buffer->voice)) {
        buffer->voice.owner = buffer;
        return buffer;
    }
    delete buffer;
    return nullptr;
}

int audio_buffer_lock(AudioBuffer* buffer, uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1,
                      void** part2, uint32_t* bytes2)
{
    return buffer ? soft_voice_lock(&buffer->voice, offset, bytes, part1, bytes1, part2, bytes2) : 0;
}

void audio_buffer_unlock(AudioBuffer*, void*, uint32_t, void*, uint32_t)
{
}

void audio_buffer_play(AudioBuffer* buffer)
{
    if (buffer) soft_voice_play(&buffer->voice);
}

void audio_buffer_stop(AudioBuffer* buffer)
{
    if (buffer) soft_voice_stop(&buffer->voice);
}

void audio_buffer_set_position(AudioBuffer* buffer, uint32_t byte_offset)
{
    if (buffer) soft_voice_set_position(&buffer->voice, byte_offset);
}

void audio_buffer_set_pan(AudioBuffer* buffer, int32_t pan)
{
    if (buffer) soft_voice_set_pan(&buffer->voice, pan);
}

void audio_buffer_release(AudioBuffer* buffer)
{
    if (!buffer) return;
    if (buffer->voice.mixer) soft_mixer_remove(buffer->voice.mixer, &buffer->voice);
    delete buffer;
}

} // namespace platform
