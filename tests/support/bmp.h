// Bitmap files made in memory, for resources and files in tests: the art
// generator's own 24-bit files, and files of every form the game's bitmap
// reader takes, put together part by part.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// A 24-bit .bmp of width x height whose pixel (x, y) is colour(x, y), 0xRRGGBB.
std::vector<uint8_t> make_bmp(int width, int height, const std::function<uint32_t(int, int)>& colour);
std::vector<uint8_t> make_solid_bmp(int width, int height, uint32_t colour);
void write_file(const std::string& path, const std::vector<uint8_t>& bytes);

struct BmpParts {
    uint32_t header_size = 40; // 12, 40, 52, 56, 108 or 124
    int32_t width = 1;
    int32_t height = 1; // negative: rows stored top down
    int bits = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> palette; // 0xRRGGBB; a 12-byte header stores 3 bytes each
    std::vector<uint32_t> masks;   // after a 40-byte header, inside a larger one
    std::vector<uint8_t> pixels;   // as stored: padded rows, or a run-length stream
};
std::vector<uint8_t> bmp_from_parts(const BmpParts& parts);

// Stored rows: value(x, row) is each pixel's index or packed colour, bits
// wide; every row is padded to four bytes.
std::vector<uint8_t> bmp_rows(int width, int height, int bits, const std::function<uint32_t(int, int)>& value);

// One file of every form the reader takes (each depth both ways up, short
// palettes, masks, both run-length codings with every escape, every header
// size), filled from a fixed random sequence. Palette entry 0 is black, so
// pixels a run-length stream never sets are black to any reader.
struct BmpForm {
    std::string what;
    std::vector<uint8_t> bytes;
};
std::vector<BmpForm> bmp_forms();

// What the game's reader makes of a file: width, height, then the pixels
// (0xRRGGBB); nothing when it refuses.
std::vector<uint32_t> bmp_decoded(std::span<const uint8_t> bytes);
