#include "support/bmp.h"

#include <fstream>

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

std::vector<uint8_t> make_bmp(int width, int height, const std::function<uint32_t(int, int)>& colour)
{
    const uint32_t row = ((uint32_t(width) * 3 + 3) / 4) * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + row * uint32_t(height));
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, row * uint32_t(height));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            out.push_back(uint8_t(c));
            out.push_back(uint8_t(c >> 8));
            out.push_back(uint8_t(c >> 16));
        }
        out.resize(start + row, 0);
    }
    return out;
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
