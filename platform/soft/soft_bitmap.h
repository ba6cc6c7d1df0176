// Decoding .bmp bytes into XRGB pixels with a reader of our own (every
// form Windows' LoadImage takes from a game's files: the oldest and the
// newer headers, 1 to 32 bits, masks, run-length coding), and the enlarged
// copy into a software surface.
#pragma once

#include "platform/soft/soft_surface.h"

#include <cstdint>
#include <span>

// A whole file in memory, headers first. False, and out untouched, when
// the headers are not believed (platform/bmp_header.h) or the pixels run
// past the bytes or the picture.
bool soft_bitmap_decode(std::span<const uint8_t> bytes, SoftSurface* out);
bool soft_bitmap_load_file(const char* path, SoftSurface* out);

// Copies the whole bitmap to the top-left corner of dst, each pixel made
// scale x scale; whatever falls outside dst is cut off.
void soft_bitmap_copy(const SoftSurface& bitmap, SoftSurface* dst, int scale);
