// A small, tolerant RIFF/WAVE reader and the sample pool. Tolerant means it
// takes the chunks in any order, skips chunks it does not know, and trusts
// the bytes it was given over a RIFF size or a data size that claims more;
// it never reads past `bytes`.
#include "sorvel/samples.h"

#include <array>
#include <cstring>

namespace sorvel {

namespace {

std::array<float, SAMPLE_POOL_FRAMES> pool;
std::array<Sample, MAX_INSTRUMENTS> samples;
std::array<bool, MAX_INSTRUMENTS> has_sample;

bool tag_is(const uint8_t* p, const char* tag)
{
    return std::memcmp(p, tag, 4) == 0;
}

} // namespace

int sample_wave_decode(std::span<const uint8_t> bytes, float* out, uint32_t capacity, uint32_t* frames, uint32_t* rate)
{
    const uint8_t* b = bytes.data();
    const uint64_t size = bytes.size();
    if (size < 12 || !tag_is(b, "RIFF") || !tag_is(b + 8, "WAVE")) return 0;

    const uint8_t* format = nullptr;
    const uint8_t* data = nullptr;
    uint64_t data_bytes = 0;
    uint64_t pos = 12;
    while (pos + 8 <= size) {
        const uint64_t length = read_u32(b + pos + 4);
        const uint64_t body = pos + 8;
        const uint64_t available = length < size - body ? length : size - body;
        if (tag_is(b + pos, "fmt ") && available >= 16 && !format) format = b + body;
        if (tag_is(b + pos, "data") && !data) {
            data = b + body;
            data_bytes = available;
        }
        pos = body + length + (length & 1);
    }
    if (!format || !data) return 0;

    const uint16_t tag = read_u16(format);
    const uint16_t channels = read_u16(format + 2);
    const uint32_t samples_per_second = read_u32(format + 4);
    const uint16_t bits = read_u16(format + 14);
    if (tag != 1 || channels < 1 || channels > 2 || (bits != 8 && bits != 16)) return 0;
    if (samples_per_second < 1000 || samples_per_second > 192000) return 0;

    const uint32_t bytes_per_sample = bits / 8;
    const uint64_t count = data_bytes / (bytes_per_sample * channels);
    if (count < 2 || count > capacity) return 0;
    for (uint64_t f = 0; f < count; ++f) {
        float sum = 0.0f;
        for (uint32_t c = 0; c < channels; ++c) {
            const uint8_t* p = data + (f * channels + c) * bytes_per_sample;
            sum += bits == 8 ? (static_cast<float>(p[0]) - 128.0f) / 128.0f
                             : static_cast<float>(static_cast<int16_t>(read_u16(p))) / 32768.0f;
        }
        out[f] = sum / static_cast<float>(channels);
    }
    *frames = static_cast<uint32_t>(count);
    *rate = samples_per_second;
    return 1;
}

void samples_clear()
{
    has_sample.fill(false);
}

int samples_load(const Song& song, WaveLookup lookup)
{
    samples_clear();
    uint32_t used = 0;
    for (int k = 0; k < song.instrument_count; ++k) {
        const Instrument& instrument = song.instruments[k];
        if (instrument.kind != KIND_SAMPLE && instrument.kind != KIND_CYCLE) continue;
        // Instruments that name the same recording share its frames.
        for (int earlier = 0; earlier < k && !has_sample[k]; ++earlier) {
            if (has_sample[earlier] && std::strcmp(song.instruments[earlier].sample, instrument.sample) == 0) {
                samples[k] = samples[earlier];
                has_sample[k] = true;
            }
        }
        if (has_sample[k]) continue;
        Sample& sample = samples[k];
        float* out = pool.data() + used;
        if (!lookup || !sample_wave_decode(lookup(instrument.sample), out, SAMPLE_POOL_FRAMES - used, &sample.frames,
                                           &sample.rate)) {
            samples_clear();
            return 0;
        }
        sample.data = out;
        used += sample.frames;
        has_sample[k] = true;
    }
    return 1;
}

const Sample* samples_of(int index)
{
    if (index < 0 || index >= MAX_INSTRUMENTS || !has_sample[index]) return nullptr;
    return &samples[index];
}

} // namespace sorvel
