// The real loop for long. A thousand frames of play and pause allocate
// nothing. An hour of game time (about 277,000 frames) at full speed, with
// a restless player: catches late and early, hits, misses, pauses, resets,
// and a tick count that wraps past 2^32 on the way. The heap must not grow,
// the pace must hold, and the best score on disk must be the best game
// played.
#include "support/allocation.h"
#include "support/game.h"

#include <algorithm>
#include <cstdlib>

namespace {

using Soak = GameTest;
using Allocation = GameTest;

// The sanitizer build is some twenty times slower, so by default it plays
// a few games; QUOBBIN_SOAK_FRAMES=276923 asks it for the whole hour.
uint64_t soak_frames()
{
    if (const char* s = std::getenv("QUOBBIN_SOAK_FRAMES")) return std::strtoull(s, nullptr, 10);
#if defined(__SANITIZE_ADDRESS__)
    return 12000;
#else
    return 3600000 / 13;
#endif
}

struct RestlessPlayer {
    uint64_t last_frame = 0;
    uint32_t seed = 12345;
    uint64_t releases[256] = {};
    uint64_t next_action = 0;
    int reaction[TARGET_COUNT] = {};
    int falling_for[TARGET_COUNT] = {};
    uint64_t paused_until = 0;
    // What the run saw.
    int games_finished = 0;
    int best_total = 0;
    int bad_intervals = 0;
    int64_t live_at_warm_up = 0;
    Scene last_scene = Scene(0);

    uint32_t roll(uint32_t n)
    {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    }
    void tap(uint64_t frame, uint8_t vk, int hold = 2)
    {
        if (releases[vk]) return;
        headless::key_down(vk);
        releases[vk] = frame + uint64_t(hold);
    }

    void after_present(uint64_t frame)
    {
        if (frame > 1 && headless::present_tick(0) - headless::present_tick(1) != 13) ++bad_intervals;
        for (int vk = 0; vk < 256; ++vk)
            if (releases[vk] && releases[vk] <= frame) {
                headless::key_up(uint8_t(vk));
                releases[vk] = 0;
            }
        if (frame == 5000) live_at_warm_up = live_allocations();
        if (frame == last_frame) {
            headless::post(WM_CLOSE);
            return;
        }
        games_finished += scene_get() == SCENE_FINAL_RESULT && last_scene != SCENE_FINAL_RESULT;
        best_total = std::max(best_total, game_total_get());
        last_scene = scene_get();

        if (paused_until) {
            if (frame >= paused_until) {
                tap(frame, roll(4) == 0 ? VK_F2 : VK_F1); // now and then the pause resets
                paused_until = 0;
            }
            return;
        }
        if (roll(9000) == 0) {
            tap(frame, VK_ESCAPE, 4);
            paused_until = frame + 20 + roll(60);
            return;
        }
        if (roll(40000) == 0) headless::post(WM_COMMAND, COMMAND_RESET);

        const bool open = view_transition_get() == VIEW_OPENING && accept_input_get();
        if (scene_get() == SCENE_PLAY && accept_input_get()) {
            for (int i = 0; i < TARGET_COUNT; ++i) {
                const Target& t = target_get(i);
                if (t.state == TargetState::Waiting) {
                    falling_for[i] = 0;
                    reaction[i] = int(roll(90)); // beyond the fall: a miss
                    if (roll(3000) == 0) tap(frame, uint8_t(roll(2) ? '1' + i : VK_NUMPAD1 + i));
                } else if (t.state == TargetState::Falling && falling_for[i]++ == reaction[i]) {
                    tap(frame, uint8_t('1' + i));
                }
            }
        }
        if (open && frame >= next_action && (scene_get() == SCENE_TITLE || targets_all_resolved(shown_score_get()))) {
            tap(frame, VK_SPACE);
            next_action = frame + 10 + roll(100);
        }
    }
};

uint64_t counted_from = 0;

void allocation_player(void*)
{
    const uint64_t f = headless::present_count();
    if (f == 30) headless::key_down(VK_SPACE); // a new game: its background loads
    if (f == 32) headless::key_up(VK_SPACE);
    if (f == 100) counted_from = allocation_count();
    if (f == 300) headless::key_down(VK_ESCAPE); // some frames on the pause screen
    if (f == 400) headless::key_down(VK_F1);
    if (f == 402) {
        headless::key_up(VK_F1);
        headless::key_up(VK_ESCAPE);
    }
    if (f == 600) headless::key_down('1');
    if (f == 700) headless::key_down('2');
    if (f == 1000) headless::post(WM_CLOSE);
}

// Frames allocate nothing: a stage of the real game in the real loop,
// played and paused, without a single call to operator new. (Only the
// background swap between stages reloads a picture.)
TEST_F(Allocation, AThousandFramesAllocateNothing)
{
    reset_game();
    headless::on_present(allocation_player, nullptr);
    EXPECT_EQ(run_scene_loop(), 0);
    EXPECT_EQ(scene_get(), SCENE_PLAY);
    EXPECT_EQ(allocation_count() - counted_from, 0u);
    EXPECT_EQ(headless::present_count(), 1000u);
}

TEST_F(Soak, AnHourOfPlay)
{
    surface_release_all();
    headless::set_ticks(0xFFFFFFFFu - 1800000u); // the tick count wraps half way
    RestlessPlayer player;
    player.last_frame = soak_frames();
    each_present([&](uint64_t frame) { player.after_present(frame); });
    const uint64_t allocations_before = allocation_count();
    EXPECT_EQ(run_game(), 1);
    EXPECT_FALSE(headless::starved());
    EXPECT_EQ(headless::present_count(), player.last_frame);
    EXPECT_EQ(player.bad_intervals, 0) << "every frame 13 ms after the last, across the wrap";
    if (player.last_frame < 200000) return; // a short run checks the pace only
    EXPECT_GT(player.games_finished, 20);
    EXPECT_EQ(live_allocations(), player.live_at_warm_up) << "the heap did not grow";
    EXPECT_GT(allocation_count() - allocations_before, 0u) << "backgrounds were swapped";
    EXPECT_EQ(read_best_score(), player.best_total);
}

} // namespace
