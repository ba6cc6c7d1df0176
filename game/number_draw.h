// Whole numbers drawn as rows of digit pictures: the score digits of the
// text sheet in a right-aligned field of four cells, and the 8x8 font.
#pragma once

#include "platform/types.h"

#include <cstdint>

void number_draw_small(const RECT& clip, int x, int y, int32_t value);
void number_draw_large(const RECT& clip, int x, int y, int32_t value);
// The low four bits of flags give the number of cells, 1..6. Returns the
// x just past the field.
int number_draw_font(const RECT& clip, int x, int y, int32_t value, uint32_t flags);
