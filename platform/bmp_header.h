// What a .bmp file's headers promise, checked before anything is allocated
// for its pixels: a file from the player's directory may claim any size.
#pragma once

#include <cstdint>
#include <span>

// No bitmap a file may supply is larger than this on either side: the
// font picture it stands in for is 80 x 80.
inline constexpr int BMP_FILE_SIDE_LIMIT = 1024;
// Nor is the file itself larger than such a picture at 32 bits a pixel,
// with room for the largest headers and palette.
inline constexpr long BMP_FILE_SIZE_LIMIT = long(BMP_FILE_SIDE_LIMIT) * BMP_FILE_SIDE_LIMIT * 4 + 65536;

// True when the bytes begin with bitmap headers whose size is within the
// limits and, for uncompressed pixels, whose rows fit in the bytes given.
bool bmp_file_plausible(std::span<const uint8_t> file);
