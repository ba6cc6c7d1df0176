// Surfaces and the screen, in the terms the graphics room needs: a display
// device, off-screen surfaces with a source colour key, keyed and plain
// rectangle copies, colour fills, locks, loss and restore, and the primary
// target that each frame is presented onto.
//
// Copies and fills refuse empty, inverted or out-of-surface rectangles and
// copies of unequal size: they draw nothing and return 0. Surfaces take the
// display's own pixel format (on Windows the desktop's: 32 or 16 bits);
// native colour 0 is black in every format, the transparent colour.
#pragma once

#include "platform/types.h"
#include "platform/window.h"

#include <cstdint>

namespace platform {

struct Display;
struct Surface;

// A locked surface's memory as the display keeps it.
struct SurfaceLock {
    uint8_t* bits; // the top-left pixel
    int pitch;     // bytes from one row to the next
    int width;
    int height;
    int bits_per_pixel; // 16, 24 or 32
    uint32_t red_mask;
    uint32_t green_mask;
    uint32_t blue_mask;
};

Display* display_open(Window* window);
// Start-up destroys the window first and closes the display after.
void display_close(Display* display);

// The visible screen for this window, clipped to the window.
Surface* primary_create(Display* display, Window* window);
// Copies src of back onto the primary at dest (screen coordinates).
int primary_present(Surface* primary, const quobbin::RECT& dest, Surface* back, const quobbin::RECT& src);

Surface* surface_create(Display* display, int width, int height, bool system_memory);
void surface_destroy(Surface* surface);
void surface_set_colour_key(Surface* surface, uint32_t key);
int surface_blit(Surface* dst, const quobbin::RECT& dst_rect, Surface* src, const quobbin::RECT& src_rect, bool keyed);
int surface_fill(Surface* dst, const quobbin::RECT& rect, uint32_t colour);
int surface_lock(Surface* surface, SurfaceLock* lock);
void surface_unlock(Surface* surface);
bool surface_is_lost(Surface* surface);
int surface_restore(Surface* surface);
// The system's own colour conversion: read or write one pixel as 0x00BBGGRR.
uint32_t surface_get_pixel_rgb(Surface* surface, int x, int y);
int surface_set_pixel_rgb(Surface* surface, int x, int y, uint32_t rgb);

// The display's font (no drawing of the game uses it).
void display_font_open(const char* face, int width, int height);
void display_font_close();

} // namespace platform
