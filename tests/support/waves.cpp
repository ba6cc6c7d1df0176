#include "support/waves.h"

#include <cmath>
#include <cstring>
#include <numbers>

void put16(Bytes& out, uint32_t v)
{
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t((v >> 8) & 0xFF));
}

void put32(Bytes& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

Bytes chunk(const char* id, const Bytes& payload, uint32_t stated)
{
    Bytes out(id, id + 4);
    put32(out, stated);
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

Bytes chunk(const char* id, const Bytes& payload)
{
    return chunk(id, payload, uint32_t(payload.size()));
}

Bytes fmt_chunk(int channels, int bits, uint32_t rate, int size, int tag)
{
    Bytes f;
    const uint32_t align = uint32_t(channels * bits / 8);
    put16(f, uint32_t(tag));
    put16(f, uint32_t(channels));
    put32(f, rate);
    put32(f, rate * align);
    put16(f, align);
    put16(f, uint32_t(bits));
    put16(f, 0);
    f.resize(size_t(size));
    return chunk("fmt ", f);
}

Bytes riff(std::initializer_list<Bytes> chunks)
{
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    return chunk("RIFF", body);
}

Bytes pcm_wave(int channels, int bits, uint32_t rate, const Bytes& samples)
{
    Bytes fact;
    put32(fact, uint32_t(samples.size()) / uint32_t(channels * bits / 8));
    return riff({fmt_chunk(channels, bits, rate), chunk("fact", fact), chunk("data", samples)});
}

Bytes sine8(double hz, uint32_t rate, int frames, int amplitude)
{
    Bytes out;
    for (int i = 0; i < frames; ++i)
        out.push_back(uint8_t(128 + std::lround(amplitude * std::sin(2 * std::numbers::pi * hz * i / rate))));
    return out;
}

Bytes constant16(int16_t value, int samples)
{
    Bytes out;
    for (int i = 0; i < samples; ++i) put16(out, uint16_t(value));
    return out;
}

Bytes data_of(const Bytes& wave)
{
    for (size_t at = 12; at + 8 <= wave.size();) {
        const uint32_t size =
            uint32_t(wave[at + 4] | (wave[at + 5] << 8) | (wave[at + 6] << 16)) | (uint32_t(wave[at + 7]) << 24);
        if (std::memcmp(&wave[at], "data", 4) == 0)
            return Bytes(wave.begin() + long(at) + 8, wave.begin() + long(at) + 8 + long(size));
        at += 8 + size + (size & 1);
    }
    return {};
}
