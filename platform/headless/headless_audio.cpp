// The headless audio device: the software mixer with no thread, and a record
// of every call a test can read back.
#include "platform/headless/headless_audio.h"

#include "platform/soft/soft_mixer.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <new>
#include <string_view>

namespace platform {

struct AudioDevice {
    SoftMixer mixer;
};

struct AudioBuffer {
    SoftVoice voice;
    int id = 0;
};

} // namespace platform

namespace {

constexpr size_t AUDIO_LOG = 8192;

using headless::AudioCall;
using headless::AudioEvent;

// A fixed ring, so that recording a play inside a frame allocates nothing.
struct AudioState {
    std::array<AudioEvent, AUDIO_LOG> events{};
    size_t first = 0;
    size_t count = 0;
    int create_successes_left = -1;
    bool fail_lock = false;
};

AudioState& audio_state()
{
    static AudioState s;
    return s;
}

// Survive a reset: the game may still hold the device and its buffers.
platform::AudioDevice* open_device = nullptr;
int next_buffer_id = 1;
int live_buffers = 0;

void record(AudioCall call, int buffer, int64_t value = 0, bool ok = true, platform::WaveFormat format = {})
{
    AudioState& s = audio_state();
    const AudioEvent event{call, buffer, value, format, ok};
    if (s.count < AUDIO_LOG) {
        s.events[(s.first + s.count) % AUDIO_LOG] = event;
        ++s.count;
    } else {
        s.events[s.first] = event;
        s.first = (s.first + 1) % AUDIO_LOG;
    }
}

// Appending rather than chaining operator+, which GCC 12 at -O3 mistakes
// for an overlapping copy.
std::string join(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (std::string_view part : parts) text.append(part);
    return text;
}

int id_of(const platform::AudioBuffer* buffer)
{
    return buffer ? buffer->id : 0;
}

} // namespace

namespace platform {

AudioDevice* audio_open(void*, int channels, int rate, int bits)
{
    AudioDevice* device = nullptr;
    // The mixer always renders 16-bit stereo; other output formats are the
    // backend's conversion, so any sensible request is taken.
    const bool format_ok = (channels == 1 || channels == 2) && (bits == 8 || bits == 16);
    if (format_ok) {
        device = new (std::nothrow) AudioDevice;
        if (device && !soft_mixer_init(&device->mixer, rate)) {
            delete device;
            device = nullptr;
        }
    }
    record(AudioCall::Open, 0, rate, device != nullptr);
    if (device) open_device = device;
    return device;
}

void audio_close(AudioDevice* device)
{
    if (!device) return;
    record(AudioCall::Close, 0);
    soft_mixer_detach_all(&device->mixer);
    if (open_device == device) open_device = nullptr;
    delete device;
}

int audio_rate(const AudioDevice* device)
{
    return device ? device->mixer.rate : 0;
}

void audio_set_stream(AudioDevice* device, AudioStream stream, void* user)
{
    if (!device) return;
    record(AudioCall::SetStream, 0, stream ? 1 : 0);
    soft_mixer_set_stream(&device->mixer, stream, user);
}

void audio_lock(AudioDevice* device)
{
    if (!device) return;
    record(AudioCall::Lock, 0);
    soft_mixer_lock(&device->mixer);
}

void audio_unlock(AudioDevice* device)
{
    if (!device) return;
    record(AudioCall::Unlock, 0);
    soft_mixer_unlock(&device->mixer);
}

AudioBuffer* audio_buffer_create(AudioDevice* device, const WaveFormat& format, uint32_t bytes)
{
    AudioState& s = audio_state();
    AudioBuffer* buffer = nullptr;
    if (device && s.create_successes_left != 0) {
        buffer = new (std::nothrow) AudioBuffer;
        if (buffer &&
            !(soft_voice_init(&buffer->voice, format, bytes) && soft_mixer_add(&device->mixer, &buffer->voice))) {
            delete buffer;
            buffer = nullptr;
        }
    }
    if (buffer) {
        if (s.create_successes_left > 0) --s.create_successes_left;
        buffer->id = next_buffer_id++;
        buffer->voice.owner = buffer;
        ++live_buffers;
    }
    record(AudioCall::Create, id_of(buffer), bytes, buffer != nullptr, format);
    return buffer;
}

int audio_buffer_lock(AudioBuffer* buffer, uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1,
                      void** part2, uint32_t* bytes2)
{
    if (!buffer) return 0;
    const int ok =
        !audio_state().fail_lock && soft_voice_lock(&buffer->voice, offset, bytes, part1, bytes1, part2, bytes2);
    record(AudioCall::BufferLock, buffer->id, bytes, ok != 0);
    return ok;
}

void audio_buffer_unlock(AudioBuffer* buffer, void*, uint32_t, void*, uint32_t)
{
    if (buffer) record(AudioCall::BufferUnlock, buffer->id);
}

void audio_buffer_play(AudioBuffer* buffer)
{
    if (!buffer) return;
    record(AudioCall::Play, buffer->id);
    soft_voice_play(&buffer->voice);
}

void audio_buffer_stop(AudioBuffer* buffer)
{
    if (!buffer) return;
    record(AudioCall::Stop, buffer->id);
    soft_voice_stop(&buffer->voice);
}

void audio_buffer_set_position(AudioBuffer* buffer, uint32_t byte_offset)
{
    if (!buffer) return;
    record(AudioCall::SetPosition, buffer->id, byte_offset);
    soft_voice_set_position(&buffer->voice, byte_offset);
}

void audio_buffer_set_pan(AudioBuffer* buffer, int32_t pan)
{
    if (!buffer) return;
    record(AudioCall::SetPan, buffer->id, pan);
    soft_voice_set_pan(&buffer->voice, pan);
}

void audio_buffer_release(AudioBuffer* buffer)
{
    if (!buffer) return;
    record(AudioCall::Release, buffer->id);
    if (buffer->voice.mixer) soft_mixer_remove(buffer->voice.mixer, &buffer->voice);
    --live_buffers;
    delete buffer;
}

} // namespace platform

namespace headless {

void audio_reset()
{
    audio_state() = AudioState{};
}

void audio_fail_buffer_create_after(int successes)
{
    audio_state().create_successes_left = successes;
}

void audio_fail_buffer_lock(bool fail)
{
    audio_state().fail_lock = fail;
}

int audio_event_count()
{
    return int(audio_state().count);
}

const AudioEvent& audio_event(int index)
{
    static const AudioEvent none{};
    const AudioState& s = audio_state();
    if (index < 0 || size_t(index) >= s.count) return none;
    return s.events[(s.first + size_t(index)) % AUDIO_LOG];
}

void audio_clear_events()
{
    audio_state().first = 0;
    audio_state().count = 0;
}

namespace {

// One call as text, for readable assertions: "pan #3 -2000", "play #3",
// "create #3 1ch 8bit 22050Hz 1520B", "create refused 0B", "open 44100".
std::string audio_event_text(const AudioEvent& e)
{
    const std::string id = join({"#", std::to_string(e.buffer)});
    const std::string value = std::to_string(e.value);
    switch (e.call) {
    case AudioCall::Open:
        return join({e.ok ? "open " : "open refused ", value});
    case AudioCall::Close:
        return "close";
    case AudioCall::SetStream:
        return e.value ? "stream set" : "stream removed";
    case AudioCall::Lock:
        return "lock";
    case AudioCall::Unlock:
        return "unlock";
    case AudioCall::Create:
        if (!e.ok) return join({"create refused ", value, "B"});
        return join({"create ", id, " ", std::to_string(e.format.channels), "ch ",
                     std::to_string(e.format.bits_per_sample), "bit ", std::to_string(e.format.samples_per_second),
                     "Hz ", value, "B"});
    case AudioCall::BufferLock:
        return join({e.ok ? "buffer lock " : "buffer lock refused ", id, " ", value, "B"});
    case AudioCall::BufferUnlock:
        return join({"buffer unlock ", id});
    case AudioCall::Play:
        return join({"play ", id});
    case AudioCall::Stop:
        return join({"stop ", id});
    case AudioCall::SetPosition:
        return join({"position ", id, " ", value});
    case AudioCall::SetPan:
        return join({"pan ", id, " ", value});
    case AudioCall::Release:
        return join({"release ", id});
    }
    return "?";
}

} // namespace

std::vector<std::string> audio_log()
{
    std::vector<std::string> log;
    for (int i = 0; i < audio_event_count(); ++i) log.push_back(audio_event_text(audio_event(i)));
    return log;
}

int audio_buffer_id(const platform::AudioBuffer* buffer)
{
    return id_of(buffer);
}

bool audio_is_playing(const platform::AudioBuffer* buffer)
{
    return buffer && soft_voice_playing(&buffer->voice);
}

std::vector<int> audio_playing()
{
    std::vector<int> ids;
    if (!open_device) return ids;
    SoftMixer& mixer = open_device->mixer;
    {
        std::lock_guard<std::mutex> guard(mixer.lock);
        for (int i = 0; i < mixer.voice_count; ++i) {
            const SoftVoice* voice = mixer.voices[size_t(i)];
            if (voice->playing) ids.push_back(static_cast<const platform::AudioBuffer*>(voice->owner)->id);
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

int audio_live_buffers()
{
    return live_buffers;
}

void audio_render(int16_t* out, int frames)
{
    if (!out || frames <= 0) return;
    if (open_device) {
        soft_mixer_render(&open_device->mixer, out, frames);
    } else {
        std::fill_n(out, size_t(frames) * 2, int16_t(0));
    }
}

} // namespace headless
