// The maker's mark shown while the game starts: light-grey strokes with a
// blue glow at their sides, composed in slot 0 and centred on black.
#pragma once

#include "game/slots.h"
#include "platform/types.h"

#include <array>

inline constexpr int LOGO_SLOT = SURFACE_LOGO_CANVAS;
inline constexpr RECT LOGO_RECT{0, 0, 128, 16};
inline constexpr int LOGO_GLOW = 2; // columns of blue at each side of a stroke
inline constexpr uint32_t LOGO_LIGHT = 0xF0F0F0;
inline constexpr uint32_t LOGO_BLUE = 0xF00000; // 0x00BBGGRR

// "Orbane": a round capital O with a small moon beside it, and lower-case
// letters with little serifs on a shared x-height, in strokes two pixels
// wide; five pixels between letters leave a line of black between glows.
inline constexpr std::array<RECT, 39> LOGO_STROKES{{
    // O and its moon
    {30, 3, 35, 5},
    {30, 12, 35, 14},
    {28, 5, 30, 12},
    {35, 5, 37, 12},
    {29, 4, 30, 5},
    {35, 4, 36, 5},
    {29, 12, 30, 13},
    {35, 12, 36, 13},
    {38, 3, 40, 5},
    // r
    {42, 6, 44, 14},
    {44, 7, 45, 9},
    {45, 6, 48, 8},
    {48, 7, 49, 9},
    {41, 6, 42, 7},
    {41, 13, 46, 14},
    // b
    {54, 3, 56, 14},
    {56, 6, 60, 8},
    {56, 12, 60, 14},
    {60, 7, 62, 13},
    {53, 3, 54, 4},
    // a
    {68, 6, 73, 8},
    {73, 7, 75, 14},
    {69, 9, 73, 11},
    {67, 10, 69, 13},
    {69, 12, 73, 14},
    {75, 13, 76, 14},
    // n
    {80, 6, 82, 14},
    {82, 6, 86, 8},
    {86, 7, 88, 14},
    {79, 6, 80, 7},
    {79, 13, 83, 14},
    {85, 13, 89, 14},
    // e
    {95, 6, 99, 8},
    {93, 7, 95, 13},
    {95, 9, 101, 11},
    {99, 7, 101, 9},
    {95, 12, 100, 14},
    {100, 12, 101, 13},
    {94, 6, 95, 7},
}};

void draw_startup_logo();
