// The software mixer behind the platform audio API, shared by the SDL audio
// callback and the headless backend: one voice per static buffer, played
// once from its position to its end, placed by DirectSound's pan law,
// resampled to the device rate, with the music stream added into the same
// accumulators and the sum clamped once to 16-bit stereo.
//
// A mutex guards the voices, so the audio thread can render while the game
// thread plays and stops them; the music stream runs with it held.
// Rendering allocates nothing: it works through a fixed scratch block.
#pragma once

#include "platform/audio.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>

inline constexpr int SOFT_MIXER_VOICES = 256;
inline constexpr int SOFT_MIXER_BLOCK = 512; // frames mixed per pass
inline constexpr int SOFT_MIXER_MIN_RATE = 8000;
inline constexpr int SOFT_MIXER_MAX_RATE = 192000;
// DirectSound's limits for a static buffer, so every backend refuses alike.
inline constexpr uint32_t SOFT_VOICE_MIN_BYTES = 4;
inline constexpr uint32_t SOFT_VOICE_MAX_BYTES = 0x0FFFFFFF;
inline constexpr uint32_t SOFT_VOICE_MIN_RATE = 100;
inline constexpr uint32_t SOFT_VOICE_MAX_RATE = 200000;
inline constexpr int32_t SOFT_PAN_LIMIT = 10000;

struct SoftMixer;

struct SoftVoice {
    SoftMixer* mixer = nullptr; // null until added, and again once the mixer is gone
    void* owner = nullptr;      // the backend's handle for this voice
    std::unique_ptr<uint8_t[]> bytes;
    uint32_t size = 0;   // bytes
    uint32_t frames = 0; // whole frames in those bytes
    uint32_t frame_bytes = 1;
    uint16_t channels = 1;
    uint16_t bits = 8;
    uint32_t rate = 0;
    uint64_t step = 0;   // source frames per output frame, 32.32 fixed point
    uint64_t cursor = 0; // source position in frames, 32.32 fixed point
    int32_t pan = 0;
    int32_t gain_left = 0; // 1.15 fixed point, full scale at centre
    int32_t gain_right = 0;
    bool playing = false;
};

struct SoftMixer {
    std::mutex lock;
    int rate = 0;
    std::array<SoftVoice*, SOFT_MIXER_VOICES> voices{};
    int voice_count = 0;
    platform::AudioStream stream = nullptr;
    void* stream_user = nullptr;
    std::array<int32_t, 2 * SOFT_MIXER_BLOCK> mix{};
};

// False when the rate lies outside what the mixer renders.
bool soft_mixer_init(SoftMixer* mixer, int rate);
// Forgets every voice, which stays valid but silent; for closing the device
// while buffers are still held.
void soft_mixer_detach_all(SoftMixer* mixer);
void soft_mixer_set_stream(SoftMixer* mixer, platform::AudioStream stream, void* user);
void soft_mixer_lock(SoftMixer* mixer);
void soft_mixer_unlock(SoftMixer* mixer);
// Adds frames of 16-bit stereo (left, right) to out at the mixer's rate.
// Out-of-range arguments render nothing.
void soft_mixer_render(SoftMixer* mixer, int16_t* out, int frames);

// Allocates the zero-filled bytes of a voice in `format`. False, allocating
// nothing, for formats and sizes a DirectSound static buffer refuses.
bool soft_voice_init(SoftVoice* voice, const platform::WaveFormat& format, uint32_t bytes);
// False when the mixer holds SOFT_MIXER_VOICES voices already.
bool soft_mixer_add(SoftMixer* mixer, SoftVoice* voice);
void soft_mixer_remove(SoftMixer* mixer, SoftVoice* voice);

// DirectSound's lock: from offset, bytes long, wrapping to the start.
int soft_voice_lock(SoftVoice* voice, uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
                    uint32_t* bytes2);
// Playing a voice that plays already changes nothing.
void soft_voice_play(SoftVoice* voice);
// Stops where it is; the next play goes on from there.
void soft_voice_stop(SoftVoice* voice);
// Byte offset, rounded down to a whole frame; an offset past the end is refused.
void soft_voice_set_position(SoftVoice* voice, uint32_t byte_offset);
// Hundredths of a decibel; a positive pan attenuates the left channel, a
// negative one the right. Outside -10000 to 10000 it is refused.
void soft_voice_set_pan(SoftVoice* voice, int32_t pan);
bool soft_voice_playing(const SoftVoice* voice);
