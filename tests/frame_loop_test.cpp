// The frame loop. The 13 ms frame grid, driven by the scripted clock: a
// quiet frame waits once, to the end of its slot, late frames catch up to
// five periods, longer stalls restart the grid, and a tick count wrapping
// past 2^32 never stops the frames. The pause screen inside the real scene loop: Escape opens it
// at the next frame, F1 continues, F2 resets, a fresh Escape or the quit
// message ends the game; a pad's Back, Start and Y do the same.
#include "app/frame_loop.h"
#include "app/main_window.h"
#include "game/scene.h"
#include "input/keys.h"
#include "support/game.h"

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

namespace {

class FramePacing : public EngineTest {
protected:
    // One frame whose work takes work_ms before it reaches the wait; the
    // tick it is presented at.
    static uint32_t present_after(uint32_t work_ms)
    {
        headless::advance(work_ms);
        EXPECT_EQ(wait_and_present(), 1);
        return headless::present_tick(0);
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
            presented.push_back(present_after(w) - c.start);
        }
        EXPECT_EQ(presented, c.presented);
        EXPECT_EQ(headless::sleep_count() - sleeps, presented.back() - worked) << "1 ms per pass, never a spin";
        EXPECT_EQ(headless::wait_count() - waits, c.work.size()) << "a quiet frame wakes once";
    }
}

// A clock and waits that move only when the system's timer ticks: with the
// 15.625 ms timer Windows 10 and 11 give a program that asks for no finer
// one, every frame takes a whole tick and the game runs at 64 frames a
// second instead of 77, everything in it 17 % slower.
TEST_F(FramePacing, ACoarseTimerSlowsTheGameTo64FramesASecond)
{
    const struct {
        const char* what;
        uint32_t tick_eighths; // the timer's period in 1/8 ms
        int frame_rate;        // the figure the game shows
    } cases[] = {
        {"a 1 ms timer", 8, 77},
        {"the default 15.625 ms timer", 125, 64},
    };
    static uint32_t tick_eighths = 0, now_eighths = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        frame_loop_state_reset();
        headless::set_ticks(0);
        tick_eighths = c.tick_eighths;
        now_eighths = 0;
        // A wait ends at a tick; the clock reads whole milliseconds.
        headless::on_sleep(
            [](void*) {
                now_eighths += tick_eighths;
                headless::set_ticks(now_eighths / 8);
            },
            nullptr);
        int shown = 0;
        while (headless::ticks() < 3000) {
            shown = count_frame_rate();
            ASSERT_EQ(wait_and_present(), 1);
        }
        headless::on_sleep(nullptr, nullptr);
        EXPECT_EQ(shown, c.frame_rate);
    }
}

TEST_F(FramePacing, InactiveWindowFreezesUntilReactivated)
{
    present_after(0);
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

// Each step, "<frame><letter>", is done right after that present. A
// message posted then is taken in the wait of the next frame, so a key is
// down from the start of the one after. A pad's buttons reach the key table
// as keys of their own. Capitals go down, small letters up: E Escape, F F1,
// G F2, B Back, S Start, Y Y; q the quit message, x and r the menu's close
// and reset, m the left mouse button down, P and p a storm with and without
// presses.
struct PauseRun {
    const char* what;
    bool no_scene; // no scene at all, so that a reset is the only way to the title
    const char* steps;
    int result;              // the loop's, and whether a reset was asked for
    const char* seen;        // a letter for each presented frame: P the pause picture on black, c the view closing
    bool all_let_go = false; // afterwards no key is held and the mouse is free
};

// More key messages than the queue holds, as pile up while the game is
// stopped: letters pressed and let go (or only let go), and early among
// them Escape and the left mouse button let go, so that a full queue of
// releases gives theirs up too.
void storm(bool with_presses)
{
    for (int i = 0; i < 300; ++i) {
        const uint8_t letter = uint8_t('A' + i / 2 % 20);
        if (with_presses && i % 2 == 0)
            headless::key_down(letter);
        else
            headless::key_up(letter);
        if (i == 20) headless::key_up(VK_ESCAPE);
        if (i == 30) headless::post(WM_LBUTTONUP);
    }
}

void step(char letter)
{
    const std::string keys = "EFGBSY";
    const uint8_t codes[] = {VK_ESCAPE, VK_F1, VK_F2, GAMEPAD_BACK, GAMEPAD_START, GAMEPAD_Y};
    if (const size_t k = keys.find(letter); k != std::string::npos) headless::key_down(codes[k]);
    if (const size_t k = keys.find(char(std::toupper(letter))); k != std::string::npos && std::islower(letter))
        headless::key_up(codes[k]);
    if (letter == 'q') headless::post(WM_CLOSE);
    if (letter == 'x' || letter == 'r') headless::post(WM_COMMAND, letter == 'x' ? COMMAND_CLOSE : COMMAND_RESET);
    if (letter == 'm') headless::post(WM_LBUTTONDOWN);
    if (letter == 'P' || letter == 'p') storm(letter == 'P');
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
        uint64_t at = 0;
        char letter = 0;
        for (std::istringstream in(run.steps); in >> at >> letter;)
            if (at == frame) step(letter);
    });
    if (!run.no_scene) reset_game();
    EXPECT_EQ(run_scene_loop(), run.result);
    EXPECT_EQ(seen, run.seen);
    EXPECT_EQ(reset_requested(), run.result);
    EXPECT_EQ(scene_get() == SCENE_TITLE, !run.no_scene || run.result) << "a reset returns to the title";
    EXPECT_FALSE(headless::starved());
    for (int vk = 0; run.all_let_go && vk < 256; ++vk) EXPECT_FALSE(key_held(vk)) << vk;
    EXPECT_FALSE(run.all_let_go && headless::mouse_captured());
    // The next run of the loop starts clean.
    each_present([](uint64_t) { headless::post(WM_CLOSE); });
    EXPECT_EQ(run_scene_loop(), 0);
    EXPECT_EQ(reset_requested(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Pause,
    ::testing::Values(
        // Paused from the frame after the key went down; F1 continues in the
        // same frame; Escape still held opens it again; releasing Escape
        // alone does not leave.
        PauseRun{"Escape opens, F1 continues, a held Escape reopens", true, "3E 6F 9f 9e 11F 15q", 0,
                 "....PPP.PPPP..."},
        PauseRun{"F2 resets at the next frame without presenting it", true, "2E 3e 5G", 1, "...PPP"},
        PauseRun{"F1 beats F2 in the same snapshot", true, "2E 3e 5G 5F 9q", 0, "...PPP..."},
        PauseRun{"a held Escape stays, a fresh press exits before presenting", true, "2E 10e 12E 30q", 0,
                 "...PPPPPPPPPP"},
        PauseRun{"quit while paused", true, "2E 4q", 0, "...P"},
        PauseRun{"menu close while paused", true, "2E 4x", 0, "...P"},
        PauseRun{"menu reset at the next frame", true, "4r", 1, "....."},
        // On the title Y alone does nothing; Back pauses; Start continues and
        // is spent on it, so the title stays until a fresh Start (Space to
        // the buttons); then Back pauses again and Y resets.
        PauseRun{"the pad's Back, Start and Y", false, "1Y 2y 3B 4b 7S 10s 12S 13s 15B 16b 18Y 19y", 1,
                 "....PPPP.....cccPPP"},
        // A queue that fills never loses a release: afterwards no key the
        // player let go of is held, the mouse is free, and F1 leaves the
        // pause screen for good.
        PauseRun{"a full queue of presses and releases", true, "3E 3m 5P 8F 9f 12q", 0, "....PPPPP...", true},
        PauseRun{"a full queue of releases", true, "3E 3m 5p 8F 9f 12q", 0, "....PPPPP...", true},
        // Back while paused leaves; Back still held after a continue pauses again.
        PauseRun{"the pad's Back held over a continue, then pressed afresh", false, "1B 3S 4s 6b 8B 9b", 0,
                 "..PP.PPPP"}));

} // namespace
