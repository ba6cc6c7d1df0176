// The real loop for long enough to matter: a stage of the real game played
// and paused, a thousand frames that allocate nothing and are presented
// 13 ms apart while the tick count wraps past 2^32. (A heap that grows
// over many games is the sanitizer build's leak check.)
#include "support/allocation.h"
#include "support/game.h"

namespace {

using RealLoop = GameTest;

// Frames allocate nothing: not a single call to operator new. (Only the
// background swap between stages reloads a picture.)
TEST_F(RealLoop, AThousandFramesKeepThePaceAcrossTheTickWrapAndAllocateNothing)
{
    reset_game();
    headless::set_ticks(0xFFFFFFFFu - 6500u); // the tick count wraps half way
    uint64_t counted_from = 0;
    int bad_intervals = 0;
    each_present([&](uint64_t f) {
        bad_intervals += f > 1 && headless::present_tick(0) - headless::present_tick(1) != 13;
        if (f == 30) headless::key_down(VK_SPACE); // a new game: its background loads
        if (f == 32) headless::key_up(VK_SPACE);
        if (f == 100) counted_from = allocation_count();
        if (f == 300) headless::key_down(VK_ESCAPE); // some frames on the pause screen
        if (f == 400) headless::key_down(VK_F1);
        if (f == 402) headless::key_up(VK_F1), headless::key_up(VK_ESCAPE);
        if (f == 600) headless::key_down('1');
        if (f == 700) headless::key_down('2');
        if (f == 1000) headless::post(WM_CLOSE);
    });
    EXPECT_EQ(run_scene_loop(), 0);
    EXPECT_EQ(scene_get(), SCENE_PLAY);
    EXPECT_EQ(allocation_count() - counted_from, 0u);
    EXPECT_EQ(headless::present_count(), 1000u);
    EXPECT_EQ(bad_intervals, 0) << "every frame 13 ms after the last";
    EXPECT_FALSE(headless::starved());
}

} // namespace
