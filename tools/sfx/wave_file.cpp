#include "wave_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

namespace sfx {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void put_tag(std::vector<std::uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

// Plain rounding, no dither: 0.0 lands exactly on the silent midpoint 128.
std::uint8_t to_byte(double x)
{
    const double v = std::floor(128.0 + 127.0 * std::clamp(x, -1.0, 1.0) + 0.5);
    return static_cast<std::uint8_t>(std::clamp(v, 1.0, 255.0));
}

} // namespace

bool write_wave(const std::string& path, const Sound& sound)
{
    const std::uint32_t channels = static_cast<std::uint32_t>(sound.channels.size());
    const std::uint32_t frames = channels ? static_cast<std::uint32_t>(sound.channels[0].size()) : 0;
    const std::uint32_t data_bytes = frames * channels;
    const std::uint32_t pad = data_bytes & 1u;

    std::vector<std::uint8_t> out;
    put_tag(out, "RIFF");
    // "WAVE" + fmt chunk (8 + 18) + fact chunk (8 + 4) + data chunk (8 + bytes + pad)
    put32(out, 4 + (8 + 18) + (8 + 4) + (8 + data_bytes + pad));
    put_tag(out, "WAVE");

    put_tag(out, "fmt ");
    put32(out, 18);
    put16(out, 1); // PCM
    put16(out, channels);
    put32(out, static_cast<std::uint32_t>(RATE));
    put32(out, static_cast<std::uint32_t>(RATE) * channels); // bytes per second at 8 bits
    put16(out, channels);                                    // block align: one byte per channel
    put16(out, 8);                                           // bits per sample
    put16(out, 0);                                           // no extra format bytes

    put_tag(out, "fact");
    put32(out, 4);
    put32(out, frames);

    put_tag(out, "data");
    put32(out, data_bytes);
    for (std::uint32_t i = 0; i < frames; ++i)
        for (const Buffer& channel : sound.channels) out.push_back(to_byte(channel[i]));
    if (pad) out.push_back(0);

    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

} // namespace sfx
