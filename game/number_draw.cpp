#include "game/number_draw.h"

#include "game/slots.h"
#include "gfx/blit.h"

namespace {

constexpr int FIELD_CELLS = 4;
constexpr int32_t FIELD_MAX = 9999; // four cells hold no more
constexpr int FONT_CELL = 8;
constexpr int FONT_ADVANCE = 6; // cells overlap; black is transparent
constexpr int FONT_COLUMNS = 10;
constexpr int FONT_FIRST_CHAR = ' ';

struct DigitSheet {
    int width;
    int height;
    int top;
    int advance;
};

constexpr DigitSheet SMALL_DIGITS{12, 24, 0, 13};
constexpr DigitSheet LARGE_DIGITS{24, 48, 24, 26};

// Leading zeros keep their cells but are not drawn, so the units digit
// always sits in the fourth cell. Negative values draw a single 0.
void draw_field(const DigitSheet& sheet, const RECT& clip, int x, int y, int32_t value)
{
    if (value > FIELD_MAX) value = FIELD_MAX;
    int power = 1000;
    bool started = false;
    for (int k = FIELD_CELLS - 1; k >= 0; --k, power /= 10) {
        int digit = 0;
        while (value >= power) {
            value -= power;
            ++digit;
        }
        if (!(started || k == 0 || digit != 0)) continue;
        started = true;
        const RECT cell{sheet.width * digit, sheet.top, sheet.width * digit + sheet.width, sheet.top + sheet.height};
        blit_clipped(clip, x + (FIELD_CELLS - 1 - k) * sheet.advance, y, cell, SURFACE_TEXT);
    }
}

RECT font_cell(int character)
{
    const int index = character - FONT_FIRST_CHAR;
    const int left = (index % FONT_COLUMNS) * FONT_CELL;
    const int top = (index / FONT_COLUMNS) * FONT_CELL;
    return RECT{left, top, left + FONT_CELL, top + FONT_CELL};
}

} // namespace

void number_draw_small(const RECT& clip, int x, int y, int32_t value)
{
    draw_field(SMALL_DIGITS, clip, x, y, value);
}

void number_draw_large(const RECT& clip, int x, int y, int32_t value)
{
    draw_field(LARGE_DIGITS, clip, x, y, value);
}

int number_draw_font(const RECT& clip, int x, int y, int32_t value, uint32_t flags)
{
    constexpr int32_t LARGEST[7] = {0, 9, 99, 999, 9999, 99999, 999999};
    const int cells = int(flags & 0xF);
    if (cells == 0) return x;
    if (cells > 6) return x + FONT_ADVANCE * cells; // no caller asks for more
    if (value > LARGEST[cells]) value = LARGEST[cells];
    if (value < 0) value = 0;
    int32_t power = 1;
    for (int k = 1; k < cells; ++k) power *= 10;
    bool started = false;
    for (int k = cells; k >= 1; --k, power /= 10) {
        const int q = value / power;
        value %= power;
        if (started || q != 0 || k == 1) blit_clipped(clip, x, y, font_cell('0' + q), SURFACE_FONT);
        if (q != 0) started = true;
        x += FONT_ADVANCE;
    }
    return x;
}
