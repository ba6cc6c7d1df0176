// The only drawing operations of the game: keyed copies out of slot
// surfaces onto the BackBuffer, with or without trimming against a clip
// rectangle, and one-colour fills. Rectangles are in logical pixels and are
// scaled by view_scale at the last moment.
#pragma once

#include "platform/types.h"

#include <cstdint>

inline constexpr RECT screen_clip{0, 0, 640, 480};

void blit(int x, int y, const RECT& src, int id);
void blit_clipped(const RECT& clip, int x, int y, const RECT& src, int id);
void fill_rect(const RECT& rect, uint32_t colour);
// With rect null the whole slot is filled.
void fill_surface(const RECT* rect, uint32_t colour, int id);
RECT& scale_rect(RECT& rect);
// The BackBuffer's pixel value for a 0x00BBGGRR colour; 0xFFFFFFFF when
// the BackBuffer cannot be reached.
uint32_t native_colour(uint32_t rgb);
