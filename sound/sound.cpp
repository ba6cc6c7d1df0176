// The effect slots: one static buffer each on the device the music library
// opened. Until a device is attached every load succeeds and loads nothing,
// so the game runs silently.
#include "sound/sound.h"

#include "sound/wave_read.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {

platform::AudioDevice* device = nullptr;
std::array<platform::AudioBuffer*, SOUND_SLOT_COUNT> sound_slots{};

constexpr int PAN_CENTRE = 256;
constexpr int64_t PAN_STEP = 10;

bool slot_valid(int id)
{
    return id >= 0 && id < SOUND_SLOT_COUNT;
}

// Copies the samples into the buffer's one or two locked parts; never more
// than the samples hold, whatever lengths the lock hands back.
bool fill_buffer(platform::AudioBuffer* buffer, const uint8_t* samples, uint32_t size)
{
    void* part1 = nullptr;
    void* part2 = nullptr;
    uint32_t bytes1 = 0;
    uint32_t bytes2 = 0;
    if (!platform::audio_buffer_lock(buffer, 0, size, &part1, &bytes1, &part2, &bytes2)) return false;
    const uint32_t first = std::min(bytes1, size);
    if (first) std::memcpy(part1, samples, first);
    const uint32_t second = std::min(bytes2, size - first);
    if (second) std::memcpy(part2, samples + first, second);
    platform::audio_buffer_unlock(buffer, part1, bytes1, part2, bytes2);
    return true;
}

} // namespace

void sound_attach_device(platform::AudioDevice* new_device)
{
    device = new_device;
}

int sound_load(const char* name, const char* type, int id)
{
    if (!device) return 1;
    if (!slot_valid(id)) return 0;
    // The game loads each slot once; a second load replaces the buffer
    // rather than losing the first one.
    if (sound_slots[size_t(id)]) {
        platform::audio_buffer_release(sound_slots[size_t(id)]);
        sound_slots[size_t(id)] = nullptr;
    }

    platform::WaveFormat format{};
    uint32_t size = 0;
    uint8_t* samples = nullptr;
    bool ok = wave_read(name, type, &format, &size, &samples) != 0;
    if (ok) {
        sound_slots[size_t(id)] = platform::audio_buffer_create(device, format, size);
        ok = sound_slots[size_t(id)] && fill_buffer(sound_slots[size_t(id)], samples, size);
    }
    // The buffer keeps its own copy, so no sample memory outlives the load.
    delete[] samples;
    if (!ok && sound_slots[size_t(id)]) {
        platform::audio_buffer_release(sound_slots[size_t(id)]);
        sound_slots[size_t(id)] = nullptr;
    }
    return ok ? 1 : 0;
}

int sound_load_wave(const char* name, int id)
{
    return sound_load(name, "WAVE", id);
}

void sound_release_all()
{
    if (!device) return;
    for (platform::AudioBuffer*& buffer : sound_slots) {
        if (!buffer) continue;
        platform::audio_buffer_release(buffer);
        buffer = nullptr;
    }
}

platform::AudioBuffer* sound_slot(int id)
{
    return slot_valid(id) ? sound_slots[size_t(id)] : nullptr;
}

void sound_play(int id)
{
    if (!device || !slot_valid(id) || !sound_slots[size_t(id)]) return;
    platform::AudioBuffer* buffer = sound_slots[size_t(id)];
    platform::audio_buffer_stop(buffer);
    platform::audio_buffer_set_position(buffer, 0);
    platform::audio_buffer_play(buffer);
}

void sound_set_pan(int id, int position)
{
    if (!device || !slot_valid(id) || !sound_slots[size_t(id)]) return;
    // Worked out wide so that no position overflows; a pan beyond the
    // device's range is refused there, as DirectSound refuses it.
    const int64_t pan = (int64_t(position) - PAN_CENTRE) * PAN_STEP;
    const int64_t limited =
        std::clamp<int64_t>(pan, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
    platform::audio_buffer_set_pan(sound_slots[size_t(id)], int32_t(limited));
}
