// A stand-in for the platform's audio device and resources, for the music
// library's own test program: it opens a device that plays nothing, keeps
// the stream the library installs so a test can pull frames through it the
// way a mixer would (locked), counts locks, and serves resources a test
// registers. The real mixer's tests live with the mixer.
#pragma once

#include "platform/audio.h"

#include <cstdint>
#include <span>
#include <string>

struct FakeAudio {
    bool fail_open = false;
    int device_rate = 0; // what audio_rate answers; 0: the rate asked for at open
    int opens = 0;
    int channels = 0; // as asked for at the last successful open
    int rate = 0;
    int bits = 0;
    platform::AudioStream stream = nullptr;
    void* stream_user = nullptr;
    int locks = 0;
    int unlocks = 0;
    bool playing_at_lock = false;   // the player's state when the lock was last taken
    bool playing_at_unlock = false; // and when it was last let go
};

// The fake's state, for a test to set and read.
FakeAudio& fake_audio();
// Back to no resources, opening allowed, counts at zero. Like the
// real device, an open device and its stream stay for the whole process.
void fake_audio_reset();
void fake_audio_add_resource(const std::string& name, const std::string& type, std::span<const uint8_t> bytes);
// Pulls `frames` stereo frames from the installed stream, under the lock.
void fake_audio_render(int32_t* mix, int frames);
