// The frame loop. The 13 ms frame grid, driven by the scripted clock: a
// quiet frame waits once, to the end of its slot, late frames catch up to five periods, longer
// stalls restart the grid, and a tick count wrapping past 2^32 never stops
// the frames. The pause screen inside the real scene loop: Escape opens it
// at the next frame, F1 continues, F2 resets, a fresh Escape or the quit
// message ends the game; a pad's Back, Start and Y do the same.
#include "app/frame_loop.h"
#include "app/main_window.h"
#include "game/scene.h"
#include "input/keys.h"
#include "support/game.h"

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
        const uint64_t sleeps = headless::sleep_count(), waits = headless::wait_count();
        uint32_t worked = 0;
        std::vector<uint32_t> presented;
        for (uint32_t w : c.work) {
            worked += w;
            presented.push_back(present_times(1, w)[0] - c.start);
        }
        EXPECT_EQ(presented, c.presented);
        EXPECT_EQ(headless::sleep_count() - sleeps, presented.back() - worked) << "1 ms per pass, never a spin";
        EXPECT_EQ(headless::wait_count() - waits, c.work.size()) << "a quiet frame wakes once";
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
// after. A pad's buttons reach the key table as keys of their own.
enum Action { DOWN, UP, POST, COMMAND, STORM };
struct Step {
    uint64_t frame;
    Action what;
    uint32_t code;
};

// The scene loop from the title, or (no_scene) with no scene at all, so that
// a reset is the only way to the title.
struct PauseRun {
    const char* what;
    bool no_scene;
    std::vector<Step> steps;
    int result;              // the loop's
    int reset;               // asked for
    const char* seen;        // a letter for each presented frame: P the pause picture on black, c the view closing
    bool all_let_go = false; // afterwards no key is held and the mouse is free
};

// More key messages than the queue holds, as pile up while the game is
// stopped: letters pressed and let go (or only let go), and among the last
// of them Escape and the left mouse button let go.
void storm(bool with_presses)
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

void PrintTo(const PauseRun& run, std::ostream* out)
{
    *out << run.what;
}

class Pause : public GameTest, public ::testing::WithParamInterface<PauseRun> {};

TEST_P(Pause, EachFrameShowsWhatTheKeysAsk)
{
    const PauseRun& run = GetParam();
    SCOPED_TRACE(run.what);
    std::string seen;
    each_present([&](uint64_t frame) {
        const bool paused = screen_pixel(8 + 40, 8 + 12) == slot_colour(SURFACE_ESCAPE) && screen_pixel(320, 240) == 0;
        seen += paused ? 'P' : view_transition_get() == VIEW_CLOSING ? 'c' : '.';
        if (frame == 100) headless::post(WM_CLOSE); // a run that should have ended does
        for (const Step& s : run.steps) {
            if (s.frame != frame) continue;
            if (s.what == DOWN) headless::key_down(uint8_t(s.code));
            if (s.what == UP) headless::key_up(uint8_t(s.code));
            if (s.what == POST) headless::post(s.code);
            if (s.what == COMMAND) headless::post(WM_COMMAND, s.code);
            if (s.what == STORM) storm(s.code != 0);
        }
    });
    if (!run.no_scene) reset_game();
    EXPECT_EQ(run_scene_loop(), run.result);
    EXPECT_EQ(seen, run.seen);
    EXPECT_EQ(reset_requested(), run.reset);
    EXPECT_EQ(scene_get() == SCENE_TITLE, !run.no_scene || run.reset) << "a reset returns to the title";
    EXPECT_FALSE(headless::starved());
    for (int vk = 0; run.all_let_go && vk < 256; ++vk) EXPECT_FALSE(key_held(vk)) << vk;
    EXPECT_FALSE(run.all_let_go && headless::mouse_captured());
    // The next run of the loop starts clean.
    each_present([](uint64_t) { headless::post(WM_CLOSE); });
    EXPECT_EQ(run_scene_loop(), 0);
    EXPECT_EQ(reset_requested(), 0);
}

constexpr uint32_t ESC = VK_ESCAPE, BACK = GAMEPAD_BACK, START = GAMEPAD_START, Y = GAMEPAD_Y;

INSTANTIATE_TEST_SUITE_P(
    Keys, Pause,
    ::testing::Values(
        // Paused from the frame after the key went down; F1 continues in the
        // same frame; Escape still held opens it again; releasing Escape
        // alone does not leave.
        PauseRun{
            "Escape opens, F1 continues, a held Escape reopens",
            true,
            {{3, DOWN, ESC}, {6, DOWN, VK_F1}, {9, UP, VK_F1}, {9, UP, ESC}, {11, DOWN, VK_F1}, {15, POST, WM_CLOSE}},
            0,
            0,
            "....PPP.PPPP..."},
        PauseRun{"F2 resets at the next frame without presenting it",
                 true,
                 {{2, DOWN, ESC}, {3, UP, ESC}, {5, DOWN, VK_F2}},
                 1,
                 1,
                 "...PPP"},
        PauseRun{"F1 beats F2 in the same snapshot",
                 true,
                 {{2, DOWN, ESC}, {3, UP, ESC}, {5, DOWN, VK_F2}, {5, DOWN, VK_F1}, {9, POST, WM_CLOSE}},
                 0,
                 0,
                 "...PPP..."},
        PauseRun{"a held Escape stays, a fresh press exits before presenting",
                 true,
                 {{2, DOWN, ESC}, {10, UP, ESC}, {12, DOWN, ESC}, {30, POST, WM_CLOSE}},
                 0,
                 0,
                 "...PPPPPPPPPP"},
        PauseRun{"quit while paused", true, {{2, DOWN, ESC}, {4, POST, WM_CLOSE}}, 0, 0, "...P"},
        PauseRun{"menu close while paused", true, {{2, DOWN, ESC}, {4, COMMAND, COMMAND_CLOSE}}, 0, 0, "...P"},
        PauseRun{"menu reset at the next frame", true, {{4, COMMAND, COMMAND_RESET}}, 1, 1, "....."},
        // On the title Y alone does nothing; Back pauses; Start continues and
        // is spent on it, so the title stays until a fresh Start (Space to
        // the buttons); then Back pauses again and Y resets.
        PauseRun{"the pad's Back, Start and Y",
                 false,
                 {{1, DOWN, Y},
                  {2, UP, Y},
                  {3, DOWN, BACK},
                  {4, UP, BACK},
                  {7, DOWN, START},
                  {10, UP, START},
                  {12, DOWN, START},
                  {13, UP, START},
                  {15, DOWN, BACK},
                  {16, UP, BACK},
                  {18, DOWN, Y},
                  {19, UP, Y}},
                 1,
                 1,
                 "....PPPP.....cccPPP"},
        // A queue that fills never loses a release: afterwards no key the
        // player let go of is held, the mouse is free, and F1 leaves the
        // pause screen for good.
        PauseRun{"a full queue of presses and releases",
                 true,
                 {{3, DOWN, ESC},
                  {3, POST, WM_LBUTTONDOWN},
                  {5, STORM, 1},
                  {8, DOWN, VK_F1},
                  {9, UP, VK_F1},
                  {12, POST, WM_CLOSE}},
                 0,
                 0,
                 "....PPPPP...",
                 true},
        PauseRun{"a full queue of releases",
                 true,
                 {{3, DOWN, ESC},
                  {3, POST, WM_LBUTTONDOWN},
                  {5, STORM, 0},
                  {8, DOWN, VK_F1},
                  {9, UP, VK_F1},
                  {12, POST, WM_CLOSE}},
                 0,
                 0,
                 "....PPPPP...",
                 true},
        // Back while paused leaves; Back still held after a continue pauses again.
        PauseRun{"the pad's Back held over a continue, then pressed afresh",
                 false,
                 {{1, DOWN, BACK}, {3, DOWN, START}, {4, UP, START}, {6, UP, BACK}, {8, DOWN, BACK}, {9, UP, BACK}},
                 0,
                 0,
                 "..PP.PPPP"}));

} // namespace
