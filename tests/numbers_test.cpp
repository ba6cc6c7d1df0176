// Numbers drawn from digit pictures. The sheets here are coded: every pixel
// holds its own source position, so the test reads back which cell of the
// sheet landed where.
#include "app/frame_loop.h"
#include "game/number_draw.h"
#include "game/slots.h"
#include "gfx/blit.h"
#include "gfx/surfaces.h"
#include "support/bmp.h"
#include "support/game.h"

#include <string>

namespace {

uint32_t coded(int x, int y)
{
    return 0x100000u | uint32_t(x) << 8 | uint32_t(y);
}

class Numbers : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        headless::register_resource("BMP_TEXT", "BITMAP", make_bmp(240, 88, coded));
        headless::register_resource("BMP_CHARACTOR", "BITMAP", make_bmp(80, 80, coded));
        ASSERT_TRUE(surface_reload("BMP_TEXT", SURFACE_TEXT, false));
        ASSERT_TRUE(surface_reload("BMP_CHARACTOR", SURFACE_FONT, false));
        fill_rect(screen_clip, native_colour(0));
    }

    // The digit whose picture covers this point, '.' for none.
    static char text_digit(int x, int y, int width, int top)
    {
        const uint32_t c = back_pixel(x, y);
        if (c == 0) return '.';
        const int sx = int(c >> 8 & 0xFF), sy = int(c & 0xFF);
        if (sy < top || sy >= top + 2 * width) return '?';
        return char('0' + sx / width);
    }
    // The four cells of a field at (x, y), read at their centres.
    static std::string small_field(int x, int y)
    {
        std::string s;
        for (int k = 0; k < 4; ++k) s += text_digit(x + 13 * k + 6, y + 12, 12, 0);
        return s;
    }
    static std::string large_field(int x, int y)
    {
        std::string s;
        for (int k = 0; k < 4; ++k) s += text_digit(x + 26 * k + 12, y + 24, 24, 24);
        return s;
    }
    // The font cells placed 6 apart; read where no later cell overlaps.
    static std::string font_field(int x, int y, int cells)
    {
        std::string s;
        for (int k = 0; k < cells; ++k) {
            const uint32_t c = back_pixel(x + 6 * k + 3, y + 4);
            if (c == 0) {
                s += '.';
                continue;
            }
            const int index = int(c & 0xFF) / 8 * 10 + int(c >> 8 & 0xFF) / 8;
            s += char(' ' + index);
        }
        return s;
    }
};

TEST_F(Numbers, SmallAndLargeFieldsAreRightAligned)
{
    const struct {
        int32_t value;
        const char* shown;
    } cases[] = {{200, ".200"},
                 {0, "...0"},
                 {7, "...7"},
                 {1000, "1000"},
                 {1800, "1800"},
                 {-6, "...0"},
                 {-2147483647 - 1, "...0"},
                 {9999, "9999"},
                 {10000, "9999"},
                 {2147483647, "9999"},
                 {305, ".305"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        fill_rect(screen_clip, native_colour(0));
        number_draw_small(screen_clip, 100, 100, c.value);
        number_draw_large(screen_clip, 300, 200, c.value);
        EXPECT_EQ(small_field(100, 100), c.shown);
        EXPECT_EQ(large_field(300, 200), c.shown);
        // Nothing reaches past the fourth cell.
        EXPECT_EQ(back_pixel(100 + 13 * 4 + 3, 112), 0u);
        EXPECT_EQ(back_pixel(300 + 26 * 4 + 3, 224), 0u);
        EXPECT_EQ(back_pixel(99, 112), 0u);
    }
}

TEST_F(Numbers, FieldsAreClippedByTheirCaller)
{
    const RECT clip{0, 0, 126, 480}; // cuts through the third cell
    number_draw_small(clip, 100, 100, 888);
    EXPECT_EQ(text_digit(113 + 6, 112, 12, 0), '8');
    EXPECT_EQ(back_pixel(126 + 6, 112), 0u);
    EXPECT_EQ(back_pixel(139 + 6, 112), 0u);
}

TEST_F(Numbers, TheFontFieldCapsAndLeavesLeadingCellsBlank)
{
    EXPECT_EQ(number_draw_font(screen_clip, 624, 3, 7, 2), 636);
    EXPECT_EQ(font_field(624, 3, 2), ".7");
    fill_rect(screen_clip, native_colour(0));
    number_draw_font(screen_clip, 624, 3, 150, 2);
    EXPECT_EQ(font_field(624, 3, 2), "99");
    fill_rect(screen_clip, native_colour(0));
    number_draw_font(screen_clip, 10, 10, 40302, 6);
    EXPECT_EQ(font_field(10, 10, 6), ".40302");
    fill_rect(screen_clip, native_colour(0));
    number_draw_font(screen_clip, 10, 10, 0, 3);
    EXPECT_EQ(font_field(10, 10, 3), "..0");
    EXPECT_EQ(number_draw_font(screen_clip, 10, 10, 5, 0x10), 10) << "no cells: nothing drawn";
}

TEST_F(Numbers, TheFrameRateFigureInTheRealLoop)
{
    reset_game();
    each_present([](uint64_t frame) {
        if (frame == 160) headless::post(WM_CLOSE);
    });
    run_scene_loop();
    // 1000 ms at 13 ms a frame: 76 or 77 frames, in the top right corner.
    const std::string shown = [] {
        std::string s;
        for (int k = 0; k < 2; ++k) {
            const uint32_t c = screen_pixel(624 + 6 * k + 3, 3 + 4);
            s += c ? char(' ' + int(c & 0xFF) / 8 * 10 + int(c >> 8 & 0xFF) / 8) : '.';
        }
        return s;
    }();
    EXPECT_TRUE(shown == "76" || shown == "77") << shown;
}

} // namespace
