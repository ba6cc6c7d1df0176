// The library's entry points. The device is opened once and kept until the
// library is shut down; the song is copied out of the resource into a
// static buffer, so neither loading nor playing allocates, and whatever the
// resource's owner does later cannot pull bytes from under the player.
// Every call is harmless without a device or without a song: it does
// nothing and says so with 0 (Stop says 1: the tune is silent either way).
#include "sorvel/sorvel.h"

#include "platform/resource.h"
#include "sorvel/samples.h"
#include "sorvel/sequencer.h"
#include "sorvel/song.h"

#include <array>
#include <cstring>

namespace {

platform::AudioDevice* device = nullptr;
int requested_rate = 0;
std::array<uint8_t, sorvel::SONG_MAX_BYTES> song_bytes;
sorvel::Song song;
bool song_loaded = false;

// Runs on the mixer's thread with the device locked.
void stream(void*, int32_t* mix, int frames)
{
    sorvel::sequencer_render(mix, frames);
}

std::span<const uint8_t> find_wave(const char* name)
{
    return platform::resource_find(name, "WAVE");
}

// The player lets go of the song and its samples before either is
// overwritten or freed.
void let_go_of_song()
{
    if (device) platform::audio_lock(device);
    sorvel::sequencer_halt();
    if (device) platform::audio_unlock(device);
    song_loaded = false;
    sorvel::samples_clear();
}

int device_rate()
{
    const int rate = platform::audio_rate(device);
    return rate > 0 ? rate : requested_rate;
}

} // namespace

extern "C" {

// The buffer length and the two flags are for a device that needs them;
// the platform's device chooses its own buffering.
int sorvel_Ready(void* window, int channels, int rate, int bits, float, int, int)
{
    if (device) return 1;
    device = platform::audio_open(window, channels, rate, bits);
    if (!device) return 0;
    requested_rate = rate;
    platform::audio_set_stream(device, stream, nullptr);
    return 1;
}

platform::AudioDevice* sorvel_GetDirectSound()
{
    return device;
}

// There is one tune slot, number 0.
int sorvel_Tune_Load(int tune, const char* type, const char* name)
{
    if (tune != 0 || !type || !name) return 0;
    let_go_of_song();

    const std::span<const uint8_t> bytes = platform::resource_find(name, type);
    if (bytes.empty() || bytes.size() > song_bytes.size()) return 0;
    std::memcpy(song_bytes.data(), bytes.data(), bytes.size());
    if (sorvel::song_parse(std::span<const uint8_t>(song_bytes.data(), bytes.size()), &song) != sorvel::SONG_OK)
        return 0;
    if (!sorvel::samples_load(song, find_wave)) return 0;
    song_loaded = true;
    return 1;
}

// Plays from order entry `position` (0: the start), looping, until stopped.
int sorvel_Tune_Start(int tune, int position)
{
    if (tune != 0 || !device || !song_loaded) return 0;
    // Asked before locking: the device may take its own lock to answer.
    const int rate = device_rate();
    platform::audio_lock(device);
    const int started = sorvel::sequencer_start(&song, rate, position);
    platform::audio_unlock(device);
    return started;
}

int sorvel_Tune_Stop()
{
    if (!device) return 1;
    platform::audio_lock(device);
    sorvel::sequencer_stop();
    platform::audio_unlock(device);
    return 1;
}

void sorvel_Shutdown()
{
    let_go_of_song();
    if (!device) return;
    platform::audio_set_stream(device, nullptr, nullptr);
    platform::audio_close(device);
    device = nullptr;
    requested_rate = 0;
}
}
