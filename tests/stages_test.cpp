// Stage bookkeeping and what is drawn around the targets: the blinking
// prompt, the results table, the grade picture and its bob, and a best
// that cannot be saved (the count and a tied best are heard in the sound
// tests, a kept best in the scripted game). Numbers
// drawn from digit pictures, and the frame-rate figure in the real loop;
// the sheets here are coded: every pixel holds its own source position, so
// the test reads back which cell of the sheet landed where.
#include "game/number_draw.h"
#include "support/game.h"

#include <filesystem>
#include <string>
#include <utility>

namespace {

using Stages = InPlayTest;

TEST_F(Stages, ThePromptBlinks32OfEvery48Frames)
{
    finish_stage(); // catches everything and closes: back to a resolved state
    reset_game();   // targets stay as they were: the prompt shows on the title
    frames(24);
    int shown = 0;
    for (int n = 0; n < 96; ++n) {
        frame();
        shown += back_pixel(292 + 28, 20 + 8) == slot_colour(SURFACE_TEXT);
    }
    EXPECT_EQ(shown, 64);
}

TEST_F(Stages, TheResultsTableFillsStageByStage)
{
    // The text sheet coded: each pixel names its source, so a dash and a
    // digit drawn over the same place tell themselves apart.
    load_coded_sheet("BMP_TEXT", SURFACE_TEXT, 240, 88);
    const auto shows = [](int x, int y, RECT cell) {
        const auto [sx, sy] = sheet_place(x, y);
        return sx >= cell.left && sx < cell.right && sy >= cell.top && sy < cell.bottom;
    };
    const RECT DIGITS{0, 0, 120, 24}, DASH{168, 0, 192, 16};
    const int ROW[] = {176, 208, 240}; // the three stages' scores, at x 340
    for (int stage = 0; stage < 3; ++stage) {
        SCOPED_TRACE(stage);
        if (stage > 0) start_game();
        finish_stage();
        frames(30);
        EXPECT_EQ(scene_get(), stage < 2 ? SCENE_STAGE_RESULT : SCENE_FINAL_RESULT);
        for (int row = 0; row < 3; ++row) EXPECT_TRUE(shows(340, ROW[row], row <= stage ? DIGITS : DASH)) << row;
    }
    EXPECT_TRUE(shows(276 + 12, 168 + 8, RECT{0, 72, 24, 88})) << "1st";
    EXPECT_TRUE(shows(270 + 16, 296 + 8, RECT{112, 72, 144, 88})) << "Total";
    EXPECT_TRUE(shows(308 + 3 * 13 + 6, 288 + 12, DIGITS)) << "total figure";
    EXPECT_TRUE(shows(270 + 16, 328 + 8, RECT{144, 72, 176, 88})) << "Best";
    // The grade picture bobs between two rows every 24 frames.
    int changes = 0;
    bool high = false;
    for (int n = 0; n < 96; ++n) {
        frame();
        changes += n > 0 && high != (back_pixel(268 + 48, 62) == slot_colour(SURFACE_SEAL));
        high = back_pixel(268 + 48, 62) == slot_colour(SURFACE_SEAL);
        EXPECT_EQ(back_pixel(268 + 48, 100), slot_colour(SURFACE_SEAL));
    }
    EXPECT_TRUE(changes == 3 || changes == 4) << changes;
}

TEST_F(Stages, GradesByTotal)
{
    const int totals[] = {0, 599, 600, 799, 800, 999, 1000, 1199, 1200, 1399, 1400, 1401, 1800};
    const int grades[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 4};
    for (size_t i = 0; i < std::size(totals); ++i) EXPECT_EQ(grade_for(totals[i]), grades[i]) << totals[i];
}

TEST_F(Stages, ABestThatCannotBeSavedLivesUntilTheNextReset)
{
    // A directory no one can write to, not even the superuser.
    std::filesystem::current_path("/proc");
    finish_stage();
    const int total = game_total_get();
    EXPECT_GT(total, 0);
    EXPECT_EQ(best_score_get(), total) << "kept in memory";
    EXPECT_FALSE(std::filesystem::exists(BEST_SCORE_FILE));
    reset_game();
    EXPECT_EQ(best_score_get(), 0) << "the reset reads the file again";
    std::filesystem::current_path(dir);
}

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

// Four-cell fields, small and large, and the two-cell font field the
// frame-rate figure uses: right aligned, capped, leading cells blank.
TEST_F(Numbers, FieldsAreRightAlignedAndCapped)
{
    const struct {
        int32_t value;
        const char *shown, *font;
    } cases[] = {{200, ".200", "99"},   {0, "...0", ".0"},        {7, "...7", ".7"},         {42, "..42", "42"},
                 {1000, "1000", "99"},  {-6, "...0", ".0"},       {INT32_MIN, "...0", ".0"}, {9999, "9999", "99"},
                 {10000, "9999", "99"}, {INT32_MAX, "9999", "99"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        fill_rect(screen_clip, native_colour(0));
        number_draw_small(screen_clip, 100, 100, c.value);
        number_draw_large(screen_clip, 300, 200, c.value);
        number_draw_font(screen_clip, 10, 3, c.value, 2);
        EXPECT_EQ(field(100, 100, false), c.shown);
        EXPECT_EQ(field(300, 200, true), c.shown);
        EXPECT_EQ(font_field(10, 3, 2), c.font);
        // Nothing reaches past the fourth cell or before the first.
        EXPECT_EQ(back_pixel(100 + 13 * 4 + 3, 112) | back_pixel(300 + 26 * 4 + 3, 224) | back_pixel(99, 112), 0u);
    }
    // The caller's clip cuts through the third cell.
    fill_rect(screen_clip, native_colour(0));
    number_draw_small(RECT{0, 0, 126, 480}, 100, 100, 888);
    EXPECT_EQ(text_digit(113 + 6, 112, 12, 0), '8');
    EXPECT_EQ(back_pixel(126 + 6, 112) | back_pixel(139 + 6, 112), 0u);
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
