// The scene machine: the transition's clip, the title, the restart after
// an all-hit stage, space that waits for the stage to be settled, and
// resets from anywhere. (A whole game through the real loop is the golden
// frames' scripted run.)
#include "support/game.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

using GameFlow = GameTest;

// The view's clip, and whether it is empty.
auto clip()
{
    const RECT r = view_clip_get();
    return std::tuple(r.left, r.top, r.right, r.bottom);
}

bool clip_empty()
{
    return view_clip_get().left >= view_clip_get().right || view_clip_get().top >= view_clip_get().bottom;
}

// Pixels where what the screen held before the frame still shows.
auto stale_pixels()
{
    const auto pixels = back_buffer_pixels();
    return std::count(pixels.begin(), pixels.end(), STALE_COLOUR);
}

TEST_F(GameFlow, TheViewOpensFromTheCentreAndClosesToIt)
{
    reset_game();
    EXPECT_TRUE(clip_empty());
    frame();
    // The first frame draws nothing through the clip, while the title
    // pictures, drawn against the whole screen, already show.
    EXPECT_EQ(std::pair(back_pixel(320, 240), back_pixel(320, 136)), std::pair(0u, slot_colour(SURFACE_TITLE)));
    EXPECT_EQ(clip(), std::tuple(307, 230, 333, 250)) << "step 1";
    frames(11);
    EXPECT_EQ(clip(), std::tuple(160, 120, 480, 360)) << "step 12";
    frame();
    EXPECT_EQ(stale_pixels(), 0) << "the scene covers the screen around its clip too";
    frames(11);
    EXPECT_EQ(clip(), std::tuple(0, 0, 640, 480)) << "step 24";
    EXPECT_EQ(accept_input_get(), 1);

    press(BUTTON_SPACE);
    // The frame with the press is still drawn fully open; its own step
    // already closes to step 1.
    EXPECT_EQ(std::pair(view_transition_get(), accept_input_get()), std::pair(VIEW_CLOSING, 0));
    EXPECT_EQ(clip(), std::tuple(26, 20, 614, 460)) << "step 2 after the release frame";
    frame();
    EXPECT_EQ(back_pixel(25, 300) | back_pixel(300, 19), 0u) << "outside the step-2 clip";
    EXPECT_EQ(stale_pixels(), 0);
    frames(21);
    EXPECT_EQ(std::tuple(scene_get(), view_transition_get(), accept_input_get()),
              std::tuple(SCENE_PLAY, VIEW_OPENING, 0))
        << "step 24 left the title";
    EXPECT_TRUE(clip_empty());
}

TEST_F(GameFlow, AStageWithEveryTargetHitStartsANewGameAtOnce)
{
    new_game();
    next_stage(); // stage 1 scores
    const int first = stage_score_get(0);
    ASSERT_EQ(stage_index_get(), 1);
    press(BUTTON_1 | BUTTON_2 | BUTTON_PAD3);
    for (int i = 0; i < TARGET_COUNT; ++i) EXPECT_EQ(target_get(i).state, TargetState::Hit);
    press(BUTTON_SPACE);
    frames_until([] { return view_transition_get() == VIEW_OPENING; });
    EXPECT_EQ(scene_get(), SCENE_PLAY) << "no result screen";
    EXPECT_EQ(std::pair(stage_index_get(), game_total_get()), std::pair(0, 0));
    EXPECT_EQ(std::pair(best_score_get(), read_best_score()), std::pair(first, first))
        << "the total of the ended game was checked first, and saved";
    for (int i = 0; i < TARGET_COUNT; ++i) EXPECT_EQ(target_get(i).state, TargetState::Waiting);
}

TEST_F(GameFlow, SpaceWaitsForEveryTargetAndTheCount)
{
    new_game();
    // Targets caught as they fall, space pressed every other frame: the
    // stage closes at the first press once every dart is thrown and the
    // count has caught up, and not before.
    int waits_for_the_count = 0;
    for (int n = 0; view_transition_get() == VIEW_OPENING; ++n) {
        ASSERT_LT(n, 3000);
        ButtonMask catches = 0;
        for (int i = 0; i < TARGET_COUNT; ++i)
            if (target_get(i).state == TargetState::Falling) catches |= target_button_mask(i);
        const ButtonMask space = n % 2 ? BUTTON_SPACE : 0;
        frame(catches | space);
        const bool settled = targets_all_resolved(shown_score_get());
        ASSERT_EQ(view_transition_get() == VIEW_CLOSING, settled && space) << n;
        waits_for_the_count += space && !settled && targets_all_resolved(targets_caught_points());
    }
    EXPECT_GT(waits_for_the_count, 0) << "space was pressed while only the count ran";
}

TEST_F(GameFlow, AResetFromAnywhereReturnsToTheOpeningTitleAndRereadsTheBest)
{
    // Each case plays to a point, resets, and checks the title opens.
    write_best_file(1750 * 3, 3, 1750); // above what any stage here scores
    const std::vector<std::function<void()>> points = {
        [this] { frames(5); },                                  // title, opening
        [this] { frames(30), press(BUTTON_SPACE), frames(5); }, // title, closing
        [this] { new_game(), frames(40); },                     // play
        [this] { new_game(), finish_stage(), frames(3); },      // result, opening
        [this] { new_game(), finish_stage(), frames(30), press(BUTTON_SPACE), frames(4); },
    };
    for (size_t k = 0; k < points.size(); ++k) {
        SCOPED_TRACE(k);
        reset_game();
        points[k]();
        reset_game();
        EXPECT_EQ(std::tuple(scene_get(), view_transition_get(), accept_input_get()),
                  std::tuple(SCENE_TITLE, VIEW_OPENING, 1));
        EXPECT_TRUE(clip_empty());
        frames(24);
        EXPECT_EQ(clip(), std::tuple(0, 0, 640, 480));
        frame();
        EXPECT_EQ(stale_pixels(), 0) << "the background is copied whole, its black too";
        EXPECT_EQ(best_score_get(), 1750);
    }
}

} // namespace
