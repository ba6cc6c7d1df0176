// The 13 ms frame grid, driven by the scripted clock: every pass of the
// wait sleeps, late frames catch up to five periods, longer stalls restart
// the grid, and a tick count wrapping past 2^32 never stops the frames.
#include "app/frame_loop.h"
#include "support/engine.h"

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
    // presented at; the grid starts at 0, so the first frame only sleeps once.
    const struct {
        const char* what;
        std::vector<uint32_t> work, presented;
    } cases[] = {
        {"the first frame at once, then every 13 ms", {0, 0, 0, 0}, {1001, 1014, 1027, 1040}},
        // 40 ms past its slot: presented at once; the three slots passed
        // meanwhile take 1 ms each, then the old grid's slot at base + 65.
        {"a late frame catches up on the old grid", {0, 52, 0, 0, 0, 0}, {1001, 1054, 1055, 1056, 1057, 1066}},
        {"a stall of 200 ms restarts the grid", {0, 0, 200, 0, 0}, {1001, 1014, 1215, 1228, 1241}},
        {"exactly five periods late restarts it", {0, 64, 0}, {1001, 1066, 1079}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        frame_loop_state_reset();
        headless::set_ticks(1000);
        const uint64_t sleeps = headless::sleep_count();
        uint32_t worked = 0;
        std::vector<uint32_t> presented;
        for (uint32_t w : c.work) {
            worked += w;
            presented.push_back(present_times(1, w)[0]);
        }
        EXPECT_EQ(presented, c.presented);
        EXPECT_EQ(headless::sleep_count() - sleeps, presented.back() - 1000 - worked) << "1 ms per pass, never a spin";
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
        const uint32_t gap = t[i] - t[i - 1];
        EXPECT_GE(gap, 13u) << "frame " << i;
        EXPECT_LE(gap, 32u) << "frame " << i << " waited " << gap << " ms";
    }
    EXPECT_LT(t.back(), 1000u) << "the clock went past the wrap";
}

TEST_F(FramePacing, ClockWrapWithMillisecondTicksStaysOnTheGrid)
{
    headless::set_ticks(0xFFFFFFFFu - 30);
    auto t = present_times(8);
    for (size_t i = 2; i < t.size(); ++i) EXPECT_EQ(t[i] - t[i - 1], 13u) << "frame " << i;
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

} // namespace
