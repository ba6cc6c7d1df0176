// The only drawing operations of the game: keyed copies out of slot
// surfaces onto the BackBuffer, with or without trimming against a clip
// rectangle, and one-colour fills. Rectangles are in logical pixels and are
// scaled by view_scale at the last moment.
#pragma once

#include "platform/types.h"

#include <cstdint>

// Every picture is composed for a screen of 640 x 480 logical pixels.
inline constexpr int SCREEN_WIDTH = 640;
inline constexpr int SCREEN_HEIGHT = 480;
inline constexpr RECT screen_clip{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};

void blit(int x, int y, const RECT& src, int id);
void blit_clipped(const RECT& clip, int x, int y, const RECT& src, int id);
// Trimmed as blit_clipped, but every pixel is copied, black included; 0
// when nothing could be copied.
int copy_clipped(const RECT& clip, int x, int y, const RECT& src, int id);
void fill_rect(const RECT& rect, uint32_t colour);
// Fills the screen outside inner (all of it when inner is empty).
void fill_around(const RECT& inner, uint32_t colour);
// With rect null the whole slot is filled.
void fill_surface(const RECT* rect, uint32_t colour, int id);
// The BackBuffer's pixel value for a 0x00BBGGRR colour; 0xFFFFFFFF when
// the BackBuffer cannot be reached.
uint32_t native_colour(uint32_t rgb);
