// Numbers drawn from digit pictures, and the frame-rate figure in the real
// loop. The sheets here are coded: every pixel holds its own source
// position, so the test reads back which cell of the sheet landed where.
#include "game/number_draw.h"
#include "support/game.h"

#include <string>

namespace {

class Numbers : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        load_coded_sheet("BMP_TEXT", SURFACE_TEXT, 240, 88);
        load_coded_sheet("BMP_CHARACTOR", SURFACE_FONT, 80, 80);
        fill_rect(screen_clip, native_colour(0));
    }

    // The digit whose picture covers this point, '.' for none.
    static char text_digit(int x, int y, int width, int top)
    {
        const auto [sx, sy] = sheet_place(x, y);
        if (sx < 0) return '.';
        if (sy < top || sy >= top + 2 * width) return '?';
        return char('0' + sx / width);
    }
    // The four cells of a small field (12 wide, 13 apart, the sheet's top
    // row) or a large one (24 wide, 26 apart, below it), read at their centres.
    static std::string field(int x, int y, bool large)
    {
        const int w = large ? 24 : 12;
        std::string s;
        for (int k = 0; k < 4; ++k) s += text_digit(x + (w + w / 12) * k + w / 2, y + w, w, large ? 24 : 0);
        return s;
    }
    // The font's cells, placed 6 apart; read where no later cell overlaps.
    static std::string font_field(int x, int y, int cells)
    {
        std::string s;
        for (int k = 0; k < cells; ++k) {
            const auto [sx, sy] = sheet_place(x + 6 * k + 3, y + 4);
            s += sx < 0 ? '.' : char(' ' + sy / 8 * 10 + sx / 8);
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
        EXPECT_EQ(field(100, 100, false), c.shown);
        EXPECT_EQ(field(300, 200, true), c.shown);
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
    const struct {
        int32_t value;
        int cells;
        const char* shown;
    } cases[] = {{7, 2, ".7"}, {150, 2, "99"}, {40302, 6, ".40302"}, {0, 3, "..0"}};
    for (const auto& c : cases) {
        fill_rect(screen_clip, native_colour(0));
        EXPECT_EQ(number_draw_font(screen_clip, 10, 3, c.value, c.cells), 10 + 6 * c.cells) << c.value;
        EXPECT_EQ(font_field(10, 3, c.cells), c.shown);
    }
    EXPECT_EQ(number_draw_font(screen_clip, 10, 10, 5, 0x10), 10) << "no cells: nothing drawn";
}

TEST_F(Numbers, TheFrameRateFigureInTheRealLoop)
{
    reset_game();
    std::string first_second;
    each_present([&](uint64_t frame) {
        if (frame == 75) first_second = font_field(624, 3, 2);
        if (frame == 160) headless::post(WM_CLOSE);
    });
    run_scene_loop();
    EXPECT_EQ(first_second, ".0") << "0 for the whole first second";
    // Then the count of the last whole second, in the top right corner:
    // 1000 ms at 13 ms a frame.
    const std::string shown = font_field(624, 3, 2);
    EXPECT_TRUE(shown == "76" || shown == "77") << shown;
}

} // namespace
