// What a .bmp file's headers promise, judged before anything is allocated
// for its pixels: a file from the player's directory may claim any size,
// and the game's own pictures pass the same judge on their way in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// No bitmap the game loads is larger than this on either side: its own
// largest is the 640 x 480 background, and the font picture a file may
// stand in for is 80 x 80.
inline constexpr int BMP_FILE_SIDE_LIMIT = 1024;
// Nor is the file itself larger than such a picture at 32 bits a pixel,
// with room for the largest headers and palette.
inline constexpr long BMP_FILE_SIZE_LIMIT = long(BMP_FILE_SIDE_LIMIT) * BMP_FILE_SIDE_LIMIT * 4 + 65536;

// How the pixels are stored (the header's compression field).
inline constexpr uint32_t BMP_RGB = 0, BMP_RLE8 = 1, BMP_RLE4 = 2, BMP_BITFIELDS = 3;

// Where a believed file keeps its pixels and how they read.
struct BmpLayout {
    int width = 0;
    int height = 0;
    bool top_down = false; // rows stored from the top (never run-length coded)
    int bits = 0;          // 1, 4, 8, 16, 24 or 32
    uint32_t compression = BMP_RGB;
    size_t pixels_at = 0;
    // At 8 bits and fewer: palette_size entries of palette_entry bytes
    // (blue, green, red, and a fourth byte except in the oldest header).
    size_t palette_at = 0;
    int palette_size = 0;
    int palette_entry = 4;
    // At 16, 24 and 32 bits: where red, green and blue lie in a pixel, each
    // one unbroken run of bits (the defaults unless the file gives its own).
    std::array<uint32_t, 3> masks{};
};

// True when the bytes begin with bitmap headers of a form we read, whose
// size is within the limits and whose palette, masks and (uncompressed)
// rows lie wholly inside the bytes given; then, when layout is given, it
// says where they are.
bool bmp_file_plausible(std::span<const uint8_t> file, BmpLayout* layout = nullptr);
