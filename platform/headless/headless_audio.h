// The headless audio device for tests: every platform audio operation runs
// on the software mixer with no thread, each call is recorded in order with
// a stable id for its buffer, and the mix renders offline on request.
#pragma once

#include "platform/audio.h"

#include <cstdint>
#include <string>
#include <vector>

namespace headless {

enum class AudioCall : uint8_t {
    Open, // value: the rate asked for; ok: whether a device came back
    Close,
    SetStream,  // value: 1 when a stream was set, 0 when removed
    Lock,       // audio_lock
    Unlock,     // audio_unlock
    Create,     // value: bytes; format; ok: whether a buffer came back
    BufferLock, // value: bytes asked for; ok
    BufferUnlock,
    Play,
    Stop,
    SetPosition, // value: byte offset
    SetPan,      // value: pan in hundredths of a dB
    Release,
};

struct AudioEvent {
    AudioCall call;
    int buffer; // the buffer's id; 0 for device calls and refused creates
    int64_t value;
    platform::WaveFormat format; // Create only
    bool ok;
};

// Forgets the record and the failure switches. Devices and buffers the game
// still holds stay valid, and keep their ids.
void audio_reset();

// Failure switches.
void audio_fail_buffer_create_after(int successes); // -1: never fail
void audio_fail_buffer_lock(bool fail);

// The record, oldest first; the latest 8192 calls are kept.
int audio_event_count();
const AudioEvent& audio_event(int index);
void audio_clear_events();
// Every call as text, for readable assertions: "pan #3 -2000", "play #3",
// "create #3 1ch 8bit 22050Hz 1520B", "create refused 0B", "open 44100".
std::vector<std::string> audio_log();

// A buffer's id, counted from 1 in order of creation and never reused;
// 0 for null.
int audio_buffer_id(const platform::AudioBuffer* buffer);
bool audio_is_playing(const platform::AudioBuffer* buffer);
// The ids of the buffers playing now on the open device, ascending.
std::vector<int> audio_playing();
int audio_live_buffers();

// Renders frames of 16-bit stereo from the device most recently opened
// and not closed; silence without one.
// Not while the caller holds audio_lock.
void audio_render(int16_t* out, int frames);

} // namespace headless
