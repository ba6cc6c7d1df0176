// The audio device the music library opens and the effects borrow: static
// sound buffers, one voice each, and one music stream that the library fills.
// The operations mirror what a DirectSound device offers, so the Win32
// backend maps them one to one; the SDL and headless backends share the
// software mixer in platform/soft/.
#pragma once

#include <cstdint>

namespace platform {

struct AudioDevice;
struct AudioBuffer;

// The 18 bytes of a WAVE format chunk (WAVEFORMATEX), field by field.
struct WaveFormat {
    uint16_t format_tag;
    uint16_t channels;
    uint32_t samples_per_second;
    uint32_t average_bytes_per_second;
    uint16_t block_align;
    uint16_t bits_per_sample;
    uint16_t extra_size;
};
inline constexpr int WAVE_FORMAT_SIZE = 18;

// The music stream adds `frames` stereo frames (left, right interleaved) at
// the device's rate into `mix`. The accumulators are 32-bit so the mixer
// clamps once, after everything has been added. It runs on the mixer's
// thread, with the device locked.
using AudioStream = void (*)(void* user, int32_t* mix, int frames);

// Opens the output for the window, named by the system's own handle
// (window_system_handle: on Windows the HWND, which DirectSound's
// cooperative level needs; the other backends never look at it). Null when
// there is no audio.
AudioDevice* audio_open(void* window, int channels, int rate, int bits);
void audio_close(AudioDevice* device);
int audio_rate(const AudioDevice* device);
// The one music stream; a null stream removes it.
void audio_set_stream(AudioDevice* device, AudioStream stream, void* user);
// Keeps the mixer out while the caller changes what the stream reads.
void audio_lock(AudioDevice* device);
void audio_unlock(AudioDevice* device);

// A static buffer of `bytes` bytes of PCM in `format` (8 or 16 bits, 1 or 2
// channels, any rate). Null when refused, as for 0 bytes.
AudioBuffer* audio_buffer_create(AudioDevice* device, const WaveFormat& format, uint32_t bytes);
// Returns 1 and up to two parts (the second when the range wraps), or 0.
int audio_buffer_lock(AudioBuffer* buffer, uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1,
                      void** part2, uint32_t* bytes2);
void audio_buffer_unlock(AudioBuffer* buffer, void* part1, uint32_t bytes1, void* part2, uint32_t bytes2);
// Plays once from the current position to the end.
void audio_buffer_play(AudioBuffer* buffer);
void audio_buffer_stop(AudioBuffer* buffer);
void audio_buffer_set_position(AudioBuffer* buffer, uint32_t byte_offset);
// Hundredths of a decibel, -10000 (left only) to 10000 (right only); a
// positive pan attenuates the left channel.
void audio_buffer_set_pan(AudioBuffer* buffer, int32_t pan);
void audio_buffer_release(AudioBuffer* buffer);

} // namespace platform
