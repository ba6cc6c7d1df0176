// The scene machine: the transition's clip, the title, a whole game from
// the title through three stages to the final result and on, played through
// the real loop, the restart after an all-hit stage, space that waits for
// the stage to be settled, and resets from anywhere.
#include "support/game.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

using GameFlow = GameTest;

bool same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool is_empty(const RECT& r)
{
    return r.left >= r.right || r.top >= r.bottom;
}

// Pixels where what the screen held before the frame still shows.
int stale_pixels()
{
    int n = 0;
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x) n += back_pixel(x, y) == STALE_COLOUR;
    return n;
}

TEST_F(GameFlow, TheViewOpensFromTheCentreAndClosesToIt)
{
    reset_game();
    EXPECT_TRUE(is_empty(view_clip_get()));
    frame();
    // The first frame draws nothing through the clip, while the title
    // pictures, drawn against the whole screen, already show.
    EXPECT_EQ(std::pair(back_pixel(320, 240), back_pixel(320, 136)), std::pair(0u, slot_colour(SURFACE_TITLE)));
    EXPECT_TRUE(same(view_clip_get(), RECT{307, 230, 333, 250})) << "step 1";
    frames(11);
    EXPECT_TRUE(same(view_clip_get(), RECT{160, 120, 480, 360})) << "step 12";
    frame();
    EXPECT_EQ(stale_pixels(), 0) << "the scene covers the screen around its clip too";
    frames(11);
    EXPECT_TRUE(same(view_clip_get(), RECT{0, 0, 640, 480})) << "step 24";
    EXPECT_EQ(accept_input_get(), 1);

    press(BUTTON_SPACE);
    // The frame with the press is still drawn fully open; its own step
    // already closes to step 1.
    EXPECT_EQ(std::pair(view_transition_get(), accept_input_get()), std::pair(VIEW_CLOSING, 0));
    EXPECT_TRUE(same(view_clip_get(), RECT{26, 20, 614, 460})) << "step 2 after the release frame";
    frame();
    EXPECT_EQ(back_pixel(25, 300) | back_pixel(300, 19), 0u) << "outside the step-2 clip";
    EXPECT_EQ(stale_pixels(), 0);
    frames(21);
    EXPECT_EQ(std::tuple(scene_get(), view_transition_get(), accept_input_get()),
              std::tuple(SCENE_PLAY, VIEW_OPENING, 0))
        << "step 24 left the title";
    EXPECT_TRUE(is_empty(view_clip_get()));
    frames(23);
    EXPECT_EQ(accept_input_get(), 0);
    frame();
    EXPECT_EQ(accept_input_get(), 1) << "set when the opening completes";
}

TEST_F(GameFlow, SpaceWhileTheTitleStillOpensClosesFromStepOne)
{
    reset_game();
    frames(3);
    frame(BUTTON_SPACE);
    EXPECT_EQ(view_transition_get(), VIEW_CLOSING);
    EXPECT_TRUE(same(view_clip_get(), RECT{13, 10, 627, 470})) << "the nearly full rectangle of closing step 1";
    frames(23, BUTTON_SPACE); // held: no second press
    EXPECT_EQ(scene_get(), SCENE_PLAY);
    frames(30, BUTTON_SPACE);
    EXPECT_EQ(view_transition_get(), VIEW_OPENING) << "a held space does not close the stage";
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
    EXPECT_EQ(best_score_get(), first) << "the total of the ended game was checked first";
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
        EXPECT_TRUE(is_empty(view_clip_get()));
        frames(24);
        EXPECT_TRUE(same(view_clip_get(), RECT{0, 0, 640, 480}));
        frame();
        EXPECT_EQ(stale_pixels(), 0) << "the background is copied whole, its black too";
        EXPECT_EQ(best_score_get(), 1750);
    }
}

} // namespace

namespace {

// A player who only sees the presented frames' game state and answers with
// key messages, as a person at the keyboard would: keys go down after one
// present and up after the next.
struct ScriptedPlayer {
    std::vector<uint8_t> down;
    std::vector<Scene> seen;
    std::vector<uint32_t> backgrounds;     // as each stage stands open
    std::vector<int> totals, best_on_disk; // as each result opens
    uint64_t finished_at = 0;

    void tap(uint8_t vk)
    {
        headless::key_down(vk);
        down.push_back(vk);
    }

    void after_present(uint64_t frame)
    {
        for (uint8_t vk : down) headless::key_up(vk);
        down.clear();
        if (seen.empty() || seen.back() != scene_get()) {
            seen.push_back(scene_get());
            if (scene_get() == SCENE_STAGE_RESULT || scene_get() == SCENE_FINAL_RESULT) {
                totals.push_back(game_total_get());
                best_on_disk.push_back(best_file_values().at(2));
            }
        }
        const auto stages_open = std::count(seen.begin(), seen.end(), SCENE_PLAY);
        if (scene_get() == SCENE_PLAY && accept_input_get() && long(backgrounds.size()) < stages_open)
            backgrounds.push_back(screen_pixel(20, 460));
        if (finished_at) return;
        if (backgrounds.size() == 4) { // the new game stands open
            finished_at = frame;
            headless::post(WM_CLOSE);
            return;
        }
        if (scene_get() == SCENE_PLAY)
            for (int i = 0; i < TARGET_COUNT; ++i)
                if (target_get(i).state == TargetState::Falling) tap(uint8_t('1' + i));
        const bool open = view_transition_get() == VIEW_OPENING && accept_input_get();
        if (open && (scene_get() == SCENE_TITLE || targets_all_resolved(shown_score_get()))) tap(VK_SPACE);
    }
};

} // namespace

TEST_F(GameFlow, AScriptedPlayerPlaysAWholeGameThroughTheRealLoop)
{
    surface_release_all();              // the game loads its own pictures
    write_best_file(1000 * 5, 5, 1000); // kept over the first game's 600, beaten by its 1200
    ScriptedPlayer player;
    each_present([&](uint64_t frame) { player.after_present(frame); });
    const uint32_t start = headless::ticks();
    EXPECT_EQ(run_game(), 1);
    const std::vector<Scene> want{SCENE_TITLE,        SCENE_PLAY, SCENE_STAGE_RESULT, SCENE_PLAY,
                                  SCENE_STAGE_RESULT, SCENE_PLAY, SCENE_FINAL_RESULT, SCENE_PLAY};
    EXPECT_EQ(player.seen, want);
    EXPECT_FALSE(headless::starved());
    // Every target caught on its first falling frame: the full 200 each,
    // and the best saved after every stage that beat it.
    EXPECT_EQ(player.totals, (std::vector<int>{600, 1200, 1800}));
    EXPECT_EQ(player.best_on_disk, (std::vector<int>{1000, 1200, 1800}));
    EXPECT_EQ(best_score_get(), 1800);
    // Each stage on its own background, and the new game on the first again.
    const uint32_t first = slot_colour(SURFACE_BACKGROUND);
    EXPECT_EQ(player.backgrounds, (std::vector<uint32_t>{first, BACK2_COLOUR, BACK3_COLOUR, first}));
    EXPECT_EQ(std::pair(stage_index_get(), game_total_get()), std::pair(0, 0)) << "the new game";
    EXPECT_GT(headless::ticks() - start, 13u * 48 * 7) << "seven transitions of 48 frames at 13 ms";
}
