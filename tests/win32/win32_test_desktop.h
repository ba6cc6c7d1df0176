// What the display tests ask of Windows itself: the window's place on the
// screen, the screen's pixels, and a display mode change; and the pixels of
// a surface. Kept apart from the game's headers, whose RECT is the game's
// own and not Windows'.
#pragma once

#include "platform/display.h"
#include "platform/window.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Runs the window messages that are waiting (Wine maps and moves windows
// through them).
void pump_messages();
void move_window(platform::Window* window, int x, int y);
// Where the client area's top-left corner is on the screen, and how far
// it lies from the window rectangle's.
void client_origin(platform::Window* window, int* x, int* y);
void client_offset(platform::Window* window, int* x, int* y);
// Waits until what the display presented has reached the screen.
void wait_for_screen();
// The screen's pixel, 0x00BBGGRR, as anyone reading the desktop sees it.
uint32_t screen_pixel(int x, int y);
bool on_screen(int x, int y);

// Sets the display mode the desktop already has through the game's own
// DirectDraw object; DirectDraw then takes the memory of every surface
// that can lose it. False when the mode could not be set.
bool change_display_mode(platform::Display* display);

// A surface's pixels as native values, row after row. Only the colour's
// own bits count: what a fill leaves in the unused byte of a 32-bit pixel
// is the driver's business (Wine sets it).
struct Picture {
    int width = 0;
    int height = 0;
    uint32_t masks[3] = {};
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    bool operator==(const Picture&) const = default;
};

Picture picture_of(platform::Surface* surface);
