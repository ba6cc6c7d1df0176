// Decoding .bmp bytes into XRGB pixels with SDL's own reader (no video
// subsystem needed), and the enlarged copy into a software surface.
#pragma once

#include "platform/soft/soft_surface.h"

#include <cstdint>
#include <span>

// False when the bytes are not a bitmap SDL can read.
bool soft_bitmap_decode(std::span<const uint8_t> bytes, SoftSurface* out);
bool soft_bitmap_load_file(const char* path, SoftSurface* out);

// Copies the whole bitmap to the top-left corner of dst, each pixel made
// scale x scale; whatever falls outside dst is cut off.
void soft_bitmap_copy(const SoftSurface& bitmap, SoftSurface* dst, int scale);
