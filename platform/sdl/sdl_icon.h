// The window's icon from the program's icon resource (the .ico that the
// Windows build uses): one image of a group, 32-bit with alpha, decoded.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct SDL_Window;

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb; // top row first, 0xAARRGGBB
};

// Picks the image nearest to `want` pixels wide (the larger on a tie) and
// decodes it. False, touching nothing outside the bytes, for anything but a
// well-formed icon of 32-bit images.
bool icon_decode(std::span<const uint8_t> ico, int want, IconImage* out);

// Gives the window the 32-pixel image of the program's icon resource.
void sdl_set_icon(SDL_Window* window);
