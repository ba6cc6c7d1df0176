// The pause screen inside the real scene loop: Escape opens it at the next
// frame, F1 continues, F2 resets, a fresh Escape or the quit message ends
// the game.
#include "app/frame_loop.h"
#include "app/main_window.h"
#include "game/scene.h"
#include "support/engine.h"

#include <map>
#include <vector>

namespace {

// Done right after the given present. A message posted then is taken in
// the wait of the next frame, so a key is down from the start of the one
// after.
struct Step {
    uint64_t frame;
    enum { DOWN, UP, POST, COMMAND } what;
    uint32_t code;
};

class Pause : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        register_all_bitmaps();
        ASSERT_TRUE(surface_load("BMP_ESCAPE", SURFACE_ESCAPE, false, false));
        ASSERT_TRUE(surface_load("BMP_BACK1", SURFACE_BACKGROUND, false, false));
        ASSERT_TRUE(surface_load("BMP_CHARACTOR", SURFACE_FONT, false, false));
        scene_state_reset(); // no scene: a reset is the only way to the title
    }

    // The scene loop with these steps; paused_at says for each presented
    // frame whether it showed the pause picture on black.
    int run(const std::vector<Step>& steps)
    {
        each_present([this, steps](uint64_t frame) {
            paused_at[frame] =
                screen_pixel(8 + 40, 8 + 12) == slot_colour(SURFACE_ESCAPE) && screen_pixel(320, 240) == 0;
            for (const Step& s : steps) {
                if (s.frame != frame) continue;
                if (s.what == Step::DOWN) headless::key_down(uint8_t(s.code));
                if (s.what == Step::UP) headless::key_up(uint8_t(s.code));
                if (s.what == Step::POST) headless::post(s.code);
                if (s.what == Step::COMMAND) headless::post(WM_COMMAND, s.code);
            }
        });
        return run_scene_loop();
    }

    std::map<uint64_t, bool> paused_at;
};

TEST_F(Pause, EscapeOpensF1ContinuesAndHeldEscapeReopens)
{
    EXPECT_EQ(run({{3, Step::DOWN, VK_ESCAPE},
                   {6, Step::DOWN, VK_F1},
                   {9, Step::UP, VK_F1},
                   {9, Step::UP, VK_ESCAPE},
                   {11, Step::DOWN, VK_F1},
                   {15, Step::POST, WM_CLOSE}}),
              0);
    EXPECT_FALSE(paused_at[4]);
    EXPECT_TRUE(paused_at[5]) << "the frame after the key went down";
    EXPECT_TRUE(paused_at[7]);
    EXPECT_FALSE(paused_at[8]) << "F1 continues in the same frame";
    EXPECT_TRUE(paused_at[9]) << "Escape still held opens it again";
    EXPECT_TRUE(paused_at[12]) << "releasing Escape alone does not leave";
    EXPECT_FALSE(paused_at[13]);
    EXPECT_FALSE(paused_at[15]);
    EXPECT_EQ(reset_requested(), 0);
}

// How the loop ends: its result, the frames presented, a reset asked for.
struct Ending {
    const char* what;
    std::vector<Step> steps;
    int result;
    uint64_t presents;
};

class PauseEnds : public Pause, public ::testing::WithParamInterface<Ending> {};

TEST_P(PauseEnds, AtTheRightFrame)
{
    SCOPED_TRACE(GetParam().what);
    EXPECT_EQ(run(GetParam().steps), GetParam().result);
    EXPECT_EQ(headless::present_count(), GetParam().presents);
    EXPECT_EQ(reset_requested(), GetParam().result);
    EXPECT_EQ(scene_get() == SCENE_TITLE, GetParam().result == 1) << "a reset returns to the title";
    EXPECT_FALSE(headless::starved());
    // The next run of the loop starts clean.
    EXPECT_EQ(run({{headless::present_count() + 2, Step::POST, WM_CLOSE}}), 0);
    EXPECT_EQ(reset_requested(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pause, PauseEnds,
    ::testing::Values(
        Ending{"F2 resets at the next frame without presenting it",
               {{2, Step::DOWN, VK_ESCAPE}, {3, Step::UP, VK_ESCAPE}, {5, Step::DOWN, VK_F2}},
               1,
               6},
        Ending{"F1 beats F2 in the same snapshot",
               {{2, Step::DOWN, VK_ESCAPE},
                {3, Step::UP, VK_ESCAPE},
                {5, Step::DOWN, VK_F2},
                {5, Step::DOWN, VK_F1},
                {9, Step::POST, WM_CLOSE}},
               0,
               9},
        Ending{"held Escape stays, a fresh press exits before presenting",
               {{2, Step::DOWN, VK_ESCAPE},
                {10, Step::UP, VK_ESCAPE},
                {12, Step::DOWN, VK_ESCAPE},
                {30, Step::POST, WM_CLOSE}},
               0,
               13},
        Ending{"quit while paused", {{2, Step::DOWN, VK_ESCAPE}, {4, Step::POST, WM_CLOSE}}, 0, 4},
        Ending{"menu close while paused", {{2, Step::DOWN, VK_ESCAPE}, {4, Step::COMMAND, COMMAND_CLOSE}}, 0, 4},
        Ending{"menu reset at the next frame", {{4, Step::COMMAND, COMMAND_RESET}}, 1, 5}));

} // namespace
