// The state every file of the graphics room reads: the display device, the
// back buffer every frame is composed on, view_scale and the bitmap
// directory. The display (display.cpp) sets it; the surface slots, the
// blits and the draw list only read it, so the room's files form a line:
// display, blit, surfaces, draw_list, view.
#pragma once

#include "platform/graphics.h"

#include <cstddef>

inline constexpr size_t BITMAP_DIR_SIZE = 260;

int view_scale();
const char* bitmap_dir();
platform::Display* display_device();
platform::Surface* display_back_buffer();
// Multiplies a rectangle in logical pixels by view_scale, in place.
RECT& scale_rect(RECT& rect);

// The display's side. The directory is copied, cut to BITMAP_DIR_SIZE - 1
// characters; null is empty.
void view_set_bitmap_dir(const char* directory);
void view_set_device(platform::Display* device);
void view_set_back_buffer(platform::Surface* back_buffer);
void view_set_scale(int scale);
