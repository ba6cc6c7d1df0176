#include "platform/soft/soft_mixer.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

constexpr int32_t UNITY_GAIN = 1 << 15;
constexpr int FRACTION_BITS = 15; // of the 32-bit fraction, for interpolating
constexpr uint16_t FORMAT_PCM = 1;

// The lock of the voice's mixer, or none once the voice has no mixer (no
// renderer can reach it then).
std::unique_lock<std::mutex> hold(const SoftVoice* voice)
{
    return voice->mixer ? std::unique_lock<std::mutex>(voice->mixer->lock) : std::unique_lock<std::mutex>();
}

// Attenuation by pan / 100 dB on one side, full level on the other; the
// ends of the range are silence, as DirectSound treats them.
int32_t gain_for(int32_t attenuation)
{
    if (attenuation <= 0) return UNITY_GAIN;
    if (attenuation >= SOFT_PAN_LIMIT) return 0;
    return int32_t(std::lround(double(UNITY_GAIN) * std::pow(10.0, -double(attenuation) / 2000.0)));
}

template <int BITS> int32_t sample_at(const uint8_t* p)
{
    if constexpr (BITS == 8) {
        return (int32_t(p[0]) - 128) * 256;
    } else {
        return int32_t(int16_t(uint16_t(p[0] | (p[1] << 8))));
    }
}

int32_t lerp(int32_t a, int32_t b, int32_t fraction)
{
    return a + (((b - a) * fraction) >> FRACTION_BITS);
}

// Adds up to `frames` output frames of one voice, stepping through the
// source at its own rate and interpolating between neighbouring frames; the
// last frame is held rather than read past. Stops the voice at its end and
// rewinds it, as a static buffer that played out does.
template <int BITS, int CHANNELS> void mix_voice(SoftVoice* voice, int32_t* mix, int frames)
{
    constexpr size_t FRAME = size_t(CHANNELS) * BITS / 8;
    constexpr size_t RIGHT = CHANNELS == 2 ? BITS / 8 : 0;
    const uint8_t* data = voice->bytes.get();
    const uint64_t end = uint64_t(voice->frames) << 32;
    const uint32_t last = voice->frames - 1;
    const uint64_t step = voice->step;
    const int32_t gain_left = voice->gain_left;
    const int32_t gain_right = voice->gain_right;
    uint64_t cursor = voice->cursor;
    for (int i = 0; i < frames && cursor < end; ++i) {
        const uint32_t index = uint32_t(cursor >> 32);
        const int32_t fraction = int32_t((cursor >> (32 - FRACTION_BITS)) & ((1u << FRACTION_BITS) - 1));
        const uint8_t* a = data + size_t(index) * FRAME;
        const uint8_t* b = data + size_t(index < last ? index + 1 : last) * FRAME;
        const int32_t left = lerp(sample_at<BITS>(a), sample_at<BITS>(b), fraction);
        const int32_t right =
            CHANNELS == 2 ? lerp(sample_at<BITS>(a + RIGHT), sample_at<BITS>(b + RIGHT), fraction) : left;
        mix[2 * i] += (left * gain_left) >> 15;
        mix[2 * i + 1] += (right * gain_right) >> 15;
        cursor += step;
    }
    voice->cursor = cursor;
    if (cursor >= end) {
        voice->playing = false;
        voice->cursor = 0;
    }
}

void mix_any(SoftVoice* voice, int32_t* mix, int frames)
{
    if (voice->bits == 8 && voice->channels == 1) mix_voice<8, 1>(voice, mix, frames);
    if (voice->bits == 8 && voice->channels == 2) mix_voice<8, 2>(voice, mix, frames);
    if (voice->bits == 16 && voice->channels == 1) mix_voice<16, 1>(voice, mix, frames);
    if (voice->bits == 16 && voice->channels == 2) mix_voice<16, 2>(voice, mix, frames);
}

int16_t clamp16(int32_t v)
{
    return int16_t(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX));
}

} // namespace

bool soft_mixer_init(SoftMixer* mixer, int rate)
{
    if (rate < SOFT_MIXER_MIN_RATE || rate > SOFT_MIXER_MAX_RATE) return false;
    mixer->rate = rate;
    return true;
}

void soft_mixer_detach_all(SoftMixer* mixer)
{
    std::lock_guard<std::mutex> guard(mixer->lock);
    for (int i = 0; i < mixer->voice_count; ++i) {
        mixer->voices[size_t(i)]->mixer = nullptr;
        mixer->voices[size_t(i)]->playing = false;
    }
    mixer->voices.fill(nullptr);
    mixer->voice_count = 0;
    mixer->stream = nullptr;
    mixer->stream_user = nullptr;
}

void soft_mixer_set_stream(SoftMixer* mixer, platform::AudioStream stream, void* user)
{
    std::lock_guard<std::mutex> guard(mixer->lock);
    mixer->stream = stream;
    mixer->stream_user = stream ? user : nullptr;
}

void soft_mixer_lock(SoftMixer* mixer)
{
    mixer->lock.lock();
}

void soft_mixer_unlock(SoftMixer* mixer)
{
    mixer->lock.unlock();
}

void soft_mixer_render(SoftMixer* mixer, int16_t* out, int frames)
{
    if (!mixer || !out || frames <= 0) return;
    std::lock_guard<std::mutex> guard(mixer->lock);
    int32_t* mix = mixer->mix.data();
    while (frames > 0) {
        const int n = std::min(frames, SOFT_MIXER_BLOCK);
        std::fill_n(mix, 2 * n, 0);
        for (int v = 0; v < mixer->voice_count; ++v) {
            SoftVoice* voice = mixer->voices[size_t(v)];
            if (voice->playing) mix_any(voice, mix, n);
        }
        if (mixer->stream) mixer->stream(mixer->stream_user, mix, n);
        for (int i = 0; i < 2 * n; ++i) out[i] = clamp16(mix[i]);
        out += 2 * n;
        frames -= n;
    }
}

bool soft_voice_init(SoftVoice* voice, const platform::WaveFormat& format, uint32_t bytes)
{
    if (format.format_tag != FORMAT_PCM) return false;
    if (format.channels != 1 && format.channels != 2) return false;
    if (format.bits_per_sample != 8 && format.bits_per_sample != 16) return false;
    if (format.samples_per_second < SOFT_VOICE_MIN_RATE || format.samples_per_second > SOFT_VOICE_MAX_RATE)
        return false;
    if (bytes < SOFT_VOICE_MIN_BYTES || bytes > SOFT_VOICE_MAX_BYTES) return false;
    voice->bytes.reset(new (std::nothrow) uint8_t[bytes]());
    if (!voice->bytes) return false;
    voice->size = bytes;
    voice->channels = format.channels;
    voice->bits = format.bits_per_sample;
    // The frame size comes from the channels and bits, never from the
    // header's block align, which nothing checks.
    voice->frame_bytes = uint32_t(format.channels) * format.bits_per_sample / 8;
    voice->frames = bytes / voice->frame_bytes;
    voice->rate = format.samples_per_second;
    voice->cursor = 0;
    voice->playing = false;
    voice->pan = 0;
    voice->gain_left = UNITY_GAIN;
    voice->gain_right = UNITY_GAIN;
    return true;
}

bool soft_mixer_add(SoftMixer* mixer, SoftVoice* voice)
{
    std::lock_guard<std::mutex> guard(mixer->lock);
    if (mixer->voice_count == SOFT_MIXER_VOICES) return false;
    voice->step = (uint64_t(voice->rate) << 32) / uint64_t(mixer->rate);
    voice->mixer = mixer;
    mixer->voices[size_t(mixer->voice_count++)] = voice;
    return true;
}

void soft_mixer_remove(SoftMixer* mixer, SoftVoice* voice)
{
    std::lock_guard<std::mutex> guard(mixer->lock);
    for (int i = 0; i < mixer->voice_count; ++i) {
        if (mixer->voices[size_t(i)] != voice) continue;
        mixer->voices[size_t(i)] = mixer->voices[size_t(mixer->voice_count - 1)];
        mixer->voices[size_t(--mixer->voice_count)] = nullptr;
        voice->mixer = nullptr;
        voice->playing = false;
        return;
    }
}

int soft_voice_lock(SoftVoice* voice, uint32_t offset, uint32_t bytes, void** part1, uint32_t* bytes1, void** part2,
                    uint32_t* bytes2)
{
    if (offset >= voice->size || bytes == 0 || bytes > voice->size) return 0;
    const uint32_t first = std::min(bytes, voice->size - offset);
    *part1 = voice->bytes.get() + offset;
    *bytes1 = first;
    *part2 = bytes > first ? voice->bytes.get() : nullptr;
    *bytes2 = bytes - first;
    return 1;
}

void soft_voice_play(SoftVoice* voice)
{
    // A voice whose mixer is gone has nowhere to sound.
    if (!voice->mixer) return;
    auto guard = hold(voice);
    voice->playing = true;
}

void soft_voice_stop(SoftVoice* voice)
{
    auto guard = hold(voice);
    voice->playing = false;
}

void soft_voice_set_position(SoftVoice* voice, uint32_t byte_offset)
{
    if (byte_offset >= voice->size) return;
    auto guard = hold(voice);
    voice->cursor = uint64_t(byte_offset / voice->frame_bytes) << 32;
}

void soft_voice_set_pan(SoftVoice* voice, int32_t pan)
{
    if (pan < -SOFT_PAN_LIMIT || pan > SOFT_PAN_LIMIT) return;
    const int32_t left = gain_for(pan);
    const int32_t right = gain_for(-pan);
    auto guard = hold(voice);
    voice->pan = pan;
    voice->gain_left = left;
    voice->gain_right = right;
}

bool soft_voice_playing(const SoftVoice* voice)
{
    auto guard = hold(voice);
    return voice->playing;
}
