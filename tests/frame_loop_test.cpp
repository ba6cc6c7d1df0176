// The frame loop. The 13 ms frame grid, driven by the scripted clock: every
// pass of the wait sleeps, late frames catch up to five periods, longer
// stalls restart the grid, and a tick count wrapping past 2^32 never stops
// the frames. The pause screen inside the real scene loop: Escape opens it
// at the next frame, F1 continues, F2 resets, a fresh Escape or the quit
// message ends the game.
#include "app/frame_loop.h"
#include "app/main_window.h"
#include "game/scene.h"
#include "input/keys.h"
#include "support/engine.h"

#include <string>
#include <vector>

namespace {

class FramePacing : public EngineTest {
protected:
    // Presents n frames; work_ms is how long each frame's work takes
    // before it reaches the wait.
    std::vector<uint32_t> present_times(int n, uint32_t work_ms = 0)
    {
        std::vector<uint32_t> times;
        for (int i = 0; i < n; ++i) {
            headless::advance(work_ms);
            EXPECT_EQ(wait_and_present(), 1);
            times.push_back(headless::present_tick(0));
        }
        return times;
    }
};

TEST_F(FramePacing, TheGridCatchesUpWithLateFramesAndRestartsAfterStalls)
{
    // The work each frame takes before its wait, and the ticks it is
    // presented at from the start; the grid starts at 0, so the first frame
    // only sleeps once.
    const struct {
        const char* what;
        uint32_t start;
        std::vector<uint32_t> work, presented;
    } cases[] = {
        {"the first frame at once, then every 13 ms", 1000, {0, 0, 0, 0}, {1, 14, 27, 40}},
        // 40 ms past its slot: presented at once; the three slots passed
        // meanwhile take 1 ms each, then the old grid's slot at base + 65.
        {"a late frame catches up on the old grid", 1000, {0, 52, 0, 0, 0, 0}, {1, 54, 55, 56, 57, 66}},
        {"a stall of 200 ms restarts the grid", 1000, {0, 0, 200, 0, 0}, {1, 14, 215, 228, 241}},
        {"exactly five periods late restarts it", 1000, {0, 64, 0}, {1, 66, 79}},
        {"the tick count wraps", 0xFFFFFFFFu - 30, {0, 0, 0, 0, 0}, {1, 14, 27, 40, 53}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        frame_loop_state_reset();
        headless::set_ticks(c.start);
        const uint64_t sleeps = headless::sleep_count();
        uint32_t worked = 0;
        std::vector<uint32_t> presented;
        for (uint32_t w : c.work) {
            worked += w;
            presented.push_back(present_times(1, w)[0] - c.start);
        }
        EXPECT_EQ(presented, c.presented);
        EXPECT_EQ(headless::sleep_count() - sleeps, presented.back() - worked) << "1 ms per pass, never a spin";
    }
}

TEST_F(FramePacing, ClockWrapWithCoarseTicksKeepsFramesComing)
{
    // A clock that moves in 16 ms steps, as coarse system timers do, jumping
    // over the wrap: the wait must never take the wrapped clock for the past.
    headless::set_ticks(0xFFFFFFFFu - 40);
    headless::on_sleep([](void*) { headless::advance(15); }, nullptr);
    auto t = present_times(12);
    for (size_t i = 1; i < t.size(); ++i) {
        EXPECT_GE(t[i] - t[i - 1], 13u) << "frame " << i;
        EXPECT_LE(t[i] - t[i - 1], 32u) << "frame " << i;
    }
    EXPECT_LT(t.back(), 1000u) << "the clock went past the wrap";
}

TEST_F(FramePacing, FrameRateAfterAStallCatchesUpASecondPerFrame)
{
    for (int i = 0; i < 200; ++i) {
        count_frame_rate();
        present_times(1);
    }
    headless::advance(5000);
    // The first frame after the stall closes the window it fell in; each
    // frame after it closes one more stale second, holding just itself.
    count_frame_rate();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(count_frame_rate(), 1) << "frame " << i;
}

TEST_F(FramePacing, InactiveWindowFreezesUntilReactivated)
{
    present_times(1);
    headless::post(WM_ACTIVATE, WA_INACTIVE);
    int idle_calls = 0;
    headless::on_idle(
        [](void* calls) {
            const int n = ++*static_cast<int*>(calls);
            headless::advance(1000); // a second passes with the window in the background
            headless::post(n == 3 ? WM_ACTIVATE : WM_KEYUP, n == 3 ? WA_CLICKACTIVE : 'X');
        },
        &idle_calls);
    const uint64_t before = headless::present_count();
    EXPECT_EQ(wait_and_present(), 1);
    EXPECT_EQ(idle_calls, 3) << "the wait blocked on the queue while inactive";
    EXPECT_EQ(headless::present_count(), before + 1);
    EXPECT_FALSE(headless::starved());
}

// Done right after the given present. A message posted then is taken in
// the wait of the next frame, so a key is down from the start of the one
// after.
enum Action { DOWN, UP, POST, COMMAND, STORM };
struct Step {
    uint64_t frame;
    Action what;
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

    // The scene loop with these steps; paused has a letter for each presented
    // frame: P where it showed the pause picture on black.
    int run(const std::vector<Step>& steps)
    {
        each_present([this, steps](uint64_t frame) {
            const bool shown =
                screen_pixel(8 + 40, 8 + 12) == slot_colour(SURFACE_ESCAPE) && screen_pixel(320, 240) == 0;
            paused += shown ? 'P' : '.';
            for (const Step& s : steps) {
                if (s.frame != frame) continue;
                if (s.what == DOWN) headless::key_down(uint8_t(s.code));
                if (s.what == UP) headless::key_up(uint8_t(s.code));
                if (s.what == POST) headless::post(s.code);
                if (s.what == COMMAND) headless::post(WM_COMMAND, s.code);
                if (s.what == STORM) storm(s.code != 0);
            }
        });
        return run_scene_loop();
    }

    // More key messages than the queue holds, as pile up while the game is
    // stopped: letters pressed and let go (or only let go), and among the
    // last of them Escape and the left mouse button let go.
    static void storm(bool with_presses)
    {
        for (int i = 0; i < 300; ++i) {
            const uint8_t letter = uint8_t('A' + i / 2 % 20);
            if (with_presses && i % 2 == 0)
                headless::key_down(letter);
            else
                headless::key_up(letter);
            if (i == 280) headless::key_up(VK_ESCAPE);
            if (i == 290) headless::post(WM_LBUTTONUP);
        }
    }

    std::string paused;
};

TEST_F(Pause, EscapeOpensF1ContinuesAndHeldEscapeReopens)
{
    EXPECT_EQ(run({{3, DOWN, VK_ESCAPE},
                   {6, DOWN, VK_F1},
                   {9, UP, VK_F1},
                   {9, UP, VK_ESCAPE},
                   {11, DOWN, VK_F1},
                   {15, POST, WM_CLOSE}}),
              0);
    // Paused from the frame after the key went down; F1 continues in the
    // same frame; Escape still held opens it again; releasing Escape alone
    // does not leave.
    EXPECT_EQ(paused, "....PPP.PPPP...");
    EXPECT_EQ(reset_requested(), 0);
}

// A queue that fills never loses a release: afterwards no key the player
// let go of is held, the mouse is free, and F1 leaves the pause screen
// for good.
TEST_F(Pause, AFullQueueLosesNoRelease)
{
    for (const bool presses : {true, false}) {
        SCOPED_TRACE(presses ? "presses and releases" : "releases only");
        paused.clear();
        const uint64_t at = headless::present_count();
        EXPECT_EQ(run({{at + 3, DOWN, VK_ESCAPE},
                       {at + 3, POST, WM_LBUTTONDOWN},
                       {at + 5, STORM, presses},
                       {at + 8, DOWN, VK_F1},
                       {at + 9, UP, VK_F1},
                       {at + 12, POST, WM_CLOSE}}),
                  0);
        EXPECT_EQ(paused, "....PPPPP...");
        for (int vk = 0; vk < 256; ++vk) EXPECT_FALSE(key_held(vk)) << vk;
        EXPECT_FALSE(headless::mouse_captured());
    }
}

// How the loop ends: its result, the frames presented, a reset asked for.
struct Ending {
    int result;
    uint64_t presents;
    const char* what;
    std::vector<Step> steps;
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
    EXPECT_EQ(run({{headless::present_count() + 2, POST, WM_CLOSE}}), 0);
    EXPECT_EQ(reset_requested(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pause, PauseEnds,
    ::testing::Values(
        Ending{1,
               6,
               "F2 resets at the next frame without presenting it",
               {{2, DOWN, VK_ESCAPE}, {3, UP, VK_ESCAPE}, {5, DOWN, VK_F2}}},
        Ending{0,
               9,
               "F1 beats F2 in the same snapshot",
               {{2, DOWN, VK_ESCAPE}, {3, UP, VK_ESCAPE}, {5, DOWN, VK_F2}, {5, DOWN, VK_F1}, {9, POST, WM_CLOSE}}},
        Ending{0,
               13,
               "held Escape stays, a fresh press exits before presenting",
               {{2, DOWN, VK_ESCAPE}, {10, UP, VK_ESCAPE}, {12, DOWN, VK_ESCAPE}, {30, POST, WM_CLOSE}}},
        Ending{0, 4, "quit while paused", {{2, DOWN, VK_ESCAPE}, {4, POST, WM_CLOSE}}},
        Ending{0, 4, "menu close while paused", {{2, DOWN, VK_ESCAPE}, {4, COMMAND, COMMAND_CLOSE}}},
        Ending{1, 5, "menu reset at the next frame", {{4, COMMAND, COMMAND_RESET}}}));

} // namespace
