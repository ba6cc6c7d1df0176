// Audio on the web: the software mixer, run on the game's thread whenever
// the game sleeps, feeds a queue that an AudioWorklet plays at the audio
// context's own rate. The page keeps the queue a few milliseconds long
// (web_library.js), so an effect started in a frame is heard within the
// next two or three. While the context is not running (before the
// player's first key or tap, or while the tab is hidden) the queue takes
// nothing, so the mixer stands still and no effect asked for meanwhile is
// lost.
#include "platform/audio.h"
#include "platform/soft/soft_audio.h"
#include "platform/web/web_platform.h"

#include <array>
#include <new>

namespace platform {

struct AudioDevice {
    SoftMixer mixer;
};

} // namespace platform

namespace {

constexpr int PUMP_FRAMES = 256;

platform::AudioDevice* open_device = nullptr;
std::array<int16_t, 2 * PUMP_FRAMES> pump_block{};

} // namespace

void web_audio_pump()
{
    if (!open_device) return;
    for (int room = web_audio_room(); room >= PUMP_FRAMES; room -= PUMP_FRAMES) {
        soft_mixer_render(&open_device->mixer, pump_block.data(), PUMP_FRAMES);
        web_audio_send(pump_block.data(), PUMP_FRAMES);
    }
}

namespace platform {

// The mixer renders 16-bit stereo at the rate the browser's context runs
// at, whatever rate the game asks for.
AudioDevice* audio_open(void*, int channels, int, int bits)
{
    if (channels != 2 || bits != 16 || open_device) return nullptr;
    auto* device = new (std::nothrow) AudioDevice;
    if (!device) return nullptr;
    const int rate = web_audio_start();
    if (!soft_mixer_init(&device->mixer, rate)) {
        web_audio_stop();
        delete device;
        return nullptr;
    }
    open_device = device;
    return device;
}

void audio_close(AudioDevice* device)
{
    if (!device) return;
    if (open_device == device) {
        open_device = nullptr;
        web_audio_stop();
    }
    soft_mixer_detach_all(&device->mixer);
    delete device;
}

} // namespace platform

SoftMixer* soft_audio_mixer(platform::AudioDevice* device)
{
    return &device->mixer;
}
