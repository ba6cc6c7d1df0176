#include "support/bmp.h"

#include "image.h"
#include "platform/soft/soft_bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>

std::vector<uint8_t> make_bmp(int width, int height, const std::function<uint32_t(int, int)>& colour)
{
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.set(x, y, colour(x, y));
    return encode_bmp(image, 24);
}

std::vector<uint8_t> make_solid_bmp(int width, int height, uint32_t colour)
{
    return make_bmp(width, height, [colour](int, int) { return colour; });
}

void write_file(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

namespace {

void put(std::vector<uint8_t>& b, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(value >> (8 * i)));
}

} // namespace

std::vector<uint8_t> bmp_from_parts(const BmpParts& p)
{
    const bool core = p.header_size == 12;
    std::vector<uint8_t> header;
    put(header, p.header_size, 4);
    put(header, uint32_t(p.width), core ? 2 : 4);
    put(header, uint32_t(p.height), core ? 2 : 4);
    put(header, 1 | uint32_t(p.bits) << 16, 4); // one plane
    if (!core) {
        for (uint32_t v : {p.compression, uint32_t(p.pixels.size()), 2835u, 2835u, uint32_t(p.palette.size()), 0u})
            put(header, v, 4);
        for (uint32_t m : p.masks) put(header, m, 4);
        header.resize(std::max<size_t>(header.size(), p.header_size));
    }
    for (uint32_t c : p.palette) put(header, c, core ? 3 : 4);
    std::vector<uint8_t> file{'B', 'M'};
    for (size_t v : {14 + header.size() + p.pixels.size(), size_t(0), 14 + header.size()}) put(file, uint32_t(v), 4);
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), p.pixels.begin(), p.pixels.end());
    return file;
}

std::vector<uint8_t> bmp_rows(int width, int height, int bits, const std::function<uint32_t(int, int)>& value)
{
    const size_t stride = (size_t(width) * size_t(bits) + 31) / 32 * 4;
    std::vector<uint8_t> rows(stride * size_t(height), 0);
    for (int r = 0; r < height; ++r)
        for (int x = 0; x < width; ++x) {
            uint8_t* at = rows.data() + size_t(r) * stride + size_t(x * bits / 8);
            const uint32_t v = value(x, r);
            if (bits < 8) *at |= uint8_t(v << (8 - bits - x * bits % 8));
            for (int i = 0; i < bits / 8; ++i) at[i] = uint8_t(v >> (8 * i));
        }
    return rows;
}

std::vector<BmpForm> bmp_forms()
{
    constexpr int W = 13, H = 5;
    std::mt19937 random(7);
    auto form = [&](std::string what, uint32_t header_size, int bits, int height, uint32_t compression,
                    std::vector<uint32_t> masks = {}, int colours = 0, std::vector<uint8_t> stream = {}) {
        BmpParts p{header_size, W, height, bits, compression, {}, std::move(masks), std::move(stream)};
        if (bits <= 8) p.palette.resize(size_t(colours ? colours : 1 << bits));
        for (size_t i = 1; i < p.palette.size(); ++i) p.palette[i] = random() & 0xFFFFFF;
        if (p.pixels.empty())
            p.pixels = bmp_rows(W, std::abs(height), bits, [&](int, int) {
                return bits <= 8 ? random() % p.palette.size() : random() >> (32 - bits);
            });
        return BmpForm{what, bmp_from_parts(p)};
    };
    std::vector<BmpForm> forms;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        forms.push_back(form(std::to_string(bits) + " bits", 40, bits, H, 0));
        forms.push_back(form(std::to_string(bits) + " bits from the top down", 40, bits, -H, 0));
    }
    for (int bits : {1, 4, 8, 24}) forms.push_back(form(std::to_string(bits) + " bits, oldest header", 12, bits, H, 0));
    forms.push_back(form("8 bits, 40 colours", 40, 8, H, 0, {}, 40));
    forms.push_back(form("4 bits, 10 colours, 108-byte header", 108, 4, H, 0, {}, 10));
    forms.push_back(form("24 bits, 124-byte header", 124, 24, -H, 0));
    forms.push_back(form("16 bits 4-4-4 and alpha, 56-byte header", 56, 16, -H, 3, {0x0F00, 0x00F0, 0x000F, 0xF000}));
    forms.push_back(form("32 bits, colours high", 40, 32, H, 3, {0xFF000000, 0xFF0000, 0xFF00}));
    forms.push_back(form("32 bits 10-10-10, 124-byte header", 124, 32, H, 3, {0x3FF00000, 0xFFC00, 0x3FF, 0xC0000000}));
    // Every escape: end of line (once past the last row), a jump, runs as
    // they are of odd and even length with their padding, the end.
    forms.push_back(form("run-length, 8 bits", 40, 8, H, 1, {}, 0,
                         {5, 3, 0, 3, 7, 8, 9, 0,  5, 200, 0, 0, 0, 2, 2, 0, 0, 4,  1,  2,  3,  4, 0, 0, 0, 2,
                          4, 1, 3, 5, 0, 0, 0, 13, 1, 2,   3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0, 0, 0, 0, 1}));
    forms.push_back(form("run-length, 4 bits", 40, 4, H, 2, {}, 0,
                         {7, 0x12, 0, 5,    0x34, 0x56, 0x70, 0, 1, 0x9A, 0, 0,    0,    2, 3,
                          1, 0,    4, 0xBC, 0xDE, 6,    0xF1, 0, 0, 0,    3, 0x23, 0x40, 0, 1}));
    return forms;
}

std::vector<uint32_t> bmp_decoded(std::span<const uint8_t> bytes)
{
    SoftSurface s;
    if (!soft_bitmap_decode(bytes, &s)) return {};
    std::vector<uint32_t> seen{uint32_t(s.width), uint32_t(s.height)};
    seen.insert(seen.end(), s.pixels.get(), s.pixels.get() + s.width * s.height);
    return seen;
}
