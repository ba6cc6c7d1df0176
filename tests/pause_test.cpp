// The pause screen inside the real scene loop: Escape opens it at the next
// frame, F1 continues, F2 resets, a fresh Escape or the quit message ends
// the game.
#include "app/frame_loop.h"
#include "gfx/surfaces.h"
#include "support/engine.h"

#include <map>

namespace {

class Pause : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        register_all_bitmaps();
        ASSERT_TRUE(surface_load("BMP_ESCAPE", 2, false, false));
        ASSERT_TRUE(surface_load("BMP_BACK1", 5, false, false));
        ASSERT_TRUE(surface_load("BMP_CHARACTOR", 1, false, false));
        each_present([this](uint64_t frame) {
            paused_at[frame] = showing_pause();
            auto it = script.find(frame);
            if (it != script.end()) it->second();
        });
    }

    // The pause picture on black, without the play field behind it.
    static bool showing_pause()
    {
        return screen_pixel(8 + 40, 8 + 12) == slot_colour(2) && screen_pixel(320, 240) == 0;
    }
    static bool showing_play() { return screen_pixel(320, 240) == slot_colour(5); }

    // What to do right after the given present.
    std::map<uint64_t, std::function<void()>> script;
    std::map<uint64_t, bool> paused_at;
};

// A message posted right after present k is taken in the wait of frame
// k + 1, so the key is down from the start of frame k + 2.

TEST_F(Pause, EscapeOpensF1ContinuesAndHeldEscapeReopens)
{
    script[3] = [] { headless::key_down(VK_ESCAPE); };
    script[6] = [] { headless::key_down(VK_F1); };
    script[9] = [] {
        headless::key_up(VK_F1);
        headless::key_up(VK_ESCAPE);
    };
    script[11] = [] { headless::key_down(VK_F1); };
    script[15] = [] { headless::post(WM_CLOSE); };
    EXPECT_EQ(run_scene_loop(), 0);
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

TEST_F(Pause, F1BeatsF2InTheSameSnapshot)
{
    script[2] = [] { headless::key_down(VK_ESCAPE); };
    script[3] = [] { headless::key_up(VK_ESCAPE); };
    script[5] = [] {
        headless::key_down(VK_F2);
        headless::key_down(VK_F1);
    };
    script[9] = [] { headless::post(WM_CLOSE); };
    EXPECT_EQ(run_scene_loop(), 0);
    EXPECT_TRUE(paused_at[6]);
    EXPECT_FALSE(paused_at[7]);
    EXPECT_EQ(reset_requested(), 0) << "no reset was asked for";
}

TEST_F(Pause, F2ResetsAtTheNextFrameWithoutPresentingIt)
{
    script[2] = [] { headless::key_down(VK_ESCAPE); };
    script[3] = [] { headless::key_up(VK_ESCAPE); };
    script[5] = [] { headless::key_down(VK_F2); };
    EXPECT_EQ(run_scene_loop(), 1) << "the loop ends for a reset";
    EXPECT_EQ(headless::present_count(), 6u) << "the reset frame presents nothing";
    EXPECT_EQ(reset_requested(), 1);
    // The next run of the loop starts clean.
    script.clear();
    script[8] = [] { headless::post(WM_CLOSE); };
    EXPECT_EQ(run_scene_loop(), 0);
    EXPECT_EQ(reset_requested(), 0);
    EXPECT_FALSE(paused_at[8]);
}

TEST_F(Pause, HeldEscapeDoesNotExitButAFreshPressDoes)
{
    script[2] = [] { headless::key_down(VK_ESCAPE); };
    script[10] = [] { headless::key_up(VK_ESCAPE); };
    script[12] = [] { headless::key_down(VK_ESCAPE); };
    script[30] = [] { headless::post(WM_CLOSE); }; // only if the exit failed
    EXPECT_EQ(run_scene_loop(), 0);
    EXPECT_EQ(headless::present_count(), 13u) << "the fresh press exits before presenting";
    for (uint64_t f = 4; f <= 13; ++f) EXPECT_TRUE(paused_at[f]) << f;
}

TEST_F(Pause, QuitWhilePausedEnds)
{
    script[2] = [] { headless::key_down(VK_ESCAPE); };
    script[4] = [] { headless::post(WM_CLOSE); };
    EXPECT_EQ(run_scene_loop(), 0);
    EXPECT_EQ(headless::present_count(), 4u);
    EXPECT_FALSE(headless::starved());
}

TEST_F(Pause, MenuResetTakesEffectAtTheNextFrame)
{
    script[4] = [] { headless::post(WM_COMMAND, 40011); };
    EXPECT_EQ(run_scene_loop(), 1);
    EXPECT_EQ(headless::present_count(), 5u);
}

TEST_F(Pause, MenuCloseWhilePausedEnds)
{
    script[2] = [] { headless::key_down(VK_ESCAPE); };
    script[4] = [] { headless::post(WM_COMMAND, 40002); };
    EXPECT_EQ(run_scene_loop(), 0);
    EXPECT_EQ(headless::present_count(), 4u);
}

} // namespace
