// Stage bookkeeping beside what the golden frames show: the grades'
// thresholds, a best that cannot be saved, and numbers past what a field
// holds. (The count and a tied best are heard in the sound tests.)
#include "game/number_draw.h"
#include "platform/embedded_resources.h"
#include "support/game.h"

#include <filesystem>

namespace {

using Stages = InPlayTest;

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

// A value no field holds is drawn as the nearest one it does: four cells
// hold 9999, the font's field of two 99, and below 0 shows 0. (Leading
// cells left blank are the golden frames' business.)
TEST_F(Stages, NumbersPastTheirFieldAreDrawnAsItsLimits)
{
    // The real digits, each a picture of its own.
    for (const auto& [name, slot] : {std::pair("BMP_TEXT", SURFACE_TEXT), std::pair("BMP_CHARACTOR", SURFACE_FONT)}) {
        headless::register_resource(name, "BITMAP",
                                    platform::resource_table_find(platform::embedded_resources(), name, "BITMAP"));
        ASSERT_TRUE(surface_reload(name, slot, false));
    }
    // The screen with the value drawn in the fields of four cells, or in the
    // font's field of two.
    const auto drawn = [](int32_t value, bool font) {
        fill_rect(screen_clip, native_colour(0));
        if (font) number_draw_font(screen_clip, 10, 3, value, 2);
        if (!font) number_draw_small(screen_clip, 100, 100, value), number_draw_large(screen_clip, 300, 200, value);
        return back_buffer_pixels();
    };
    const struct {
        int32_t value, shown;
        bool font;
    } cases[] = {{10000, 9999, false}, {INT32_MAX, 9999, false}, {-6, 0, false}, {INT32_MIN, 0, false},
                 {100, 99, true},      {INT32_MAX, 99, true},    {-1, 0, true},  {INT32_MIN, 0, true}};
    for (const auto& c : cases) EXPECT_EQ(drawn(c.value, c.font), drawn(c.shown, c.font)) << c.value;
}

} // namespace
