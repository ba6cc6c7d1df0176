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

TEST_F(FramePacing, FirstFrameAtOnceThenEvery13ms)
{
    const uint64_t sleeps = headless::sleep_count();
    auto t = present_times(4);
    EXPECT_EQ(t[0], 1001u) << "the grid starts at 0, so the first frame only sleeps once";
    EXPECT_EQ(t[1], 1014u);
    EXPECT_EQ(t[2], 1027u);
    EXPECT_EQ(t[3], 1040u);
    EXPECT_EQ(headless::sleep_count() - sleeps, 1u + 3u * 13u) << "1 ms per pass, never a spin";
}

TEST_F(FramePacing, LateFrameCatchesUpOnTheOldGrid)
{
    present_times(1); // grid at 1001
    // This frame reaches its wait 53 ms after the grid (40 ms past its slot).
    auto late = present_times(1, 52);
    EXPECT_EQ(late[0], 1054u) << "presented at once, after the single 1 ms sleep";
    // The next three slots (1027, 1040, 1053) have passed: 1 ms each.
    auto next = present_times(4);
    EXPECT_EQ(next[0], 1055u);
    EXPECT_EQ(next[1], 1056u);
    EXPECT_EQ(next[2], 1057u);
    EXPECT_EQ(next[3], 1066u) << "then the old grid's slot at base + 65";
}

TEST_F(FramePacing, StallOf200msRestartsTheGrid)
{
    present_times(2); // grid at 1014
    auto stalled = present_times(1, 200);
    EXPECT_EQ(stalled[0], 1215u);
    auto next = present_times(2);
    EXPECT_EQ(next[0], 1228u) << "the full 13 ms after the restart";
    EXPECT_EQ(next[1], 1241u);
}

TEST_F(FramePacing, ExactlyFivePeriodsLateRestartsTheGrid)
{
    present_times(1);                 // grid at 1001
    auto late = present_times(1, 64); // reaches the wait at 1065 + 1 sleep = 1066 = base + 65
    EXPECT_EQ(late[0], 1066u);
    EXPECT_EQ(present_times(1)[0], 1079u);
}

TEST_F(FramePacing, ClockWrapWithCoarseTicksKeepsFramesComing)
{
    // A clock that moves in 16 ms steps, as coarse system timers do, jumping
    // over the wrap: the wait must never take the wrapped clock for the past.
    headless::set_ticks(0xFFFFFFFFu - 40);
    each_sleep([](uint32_t) { headless::advance(15); });
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

TEST_F(FramePacing, FrameRateFigure)
{
    // 0 for the whole first second.
    int shown = -1;
    for (int i = 0; i < 76; ++i) {
        shown = count_frame_rate();
        present_times(1);
    }
    EXPECT_EQ(shown, 0);
    // From then on the count of the last whole second: 1000 / 13 = 76.9.
    for (int i = 0; i < 300; ++i) {
        shown = count_frame_rate();
        present_times(1);
    }
    EXPECT_TRUE(shown == 76 || shown == 77) << shown;
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

TEST_F(FramePacing, QuitDuringTheWaitPresentsNothing)
{
    // The close box: the window posts the quit message.
    headless::post(WM_CLOSE);
    const uint64_t before = headless::present_count();
    EXPECT_EQ(wait_and_present(), 0);
    EXPECT_EQ(headless::present_count(), before);
}

TEST_F(FramePacing, InactiveWindowFreezesUntilReactivated)
{
    present_times(1);
    headless::post(WM_ACTIVATE, WA_INACTIVE);
    int idle_calls = 0;
    struct Ctx {
        int* calls;
    } ctx{&idle_calls};
    headless::on_idle(
        [](void* p) {
            auto* c = static_cast<Ctx*>(p);
            ++*c->calls;
            headless::advance(1000); // a second passes with the window in the background
            headless::post(*c->calls == 3 ? WM_ACTIVATE : WM_KEYUP, *c->calls == 3 ? WA_CLICKACTIVE : 'X');
        },
        &ctx);
    const uint64_t before = headless::present_count();
    EXPECT_EQ(wait_and_present(), 1);
    EXPECT_EQ(idle_calls, 3) << "the wait blocked on the queue while inactive";
    EXPECT_EQ(headless::present_count(), before + 1);
    EXPECT_FALSE(headless::starved());
}

} // namespace
