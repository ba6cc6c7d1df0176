// The targets in play: release, fall, catch and hit, their points and the
// frames a fall takes in each stage, the keys that count, the drops and the
// LOVE marker, and the rare seals. (Where each picture lands and how drops
// fly is the golden frames' business.)
#include "support/game.h"

#include <algorithm>
#include <fstream>
#include <tuple>

namespace {

using Targets = InPlayTest;

// A fall of 71 frames: caught on its first frame the full 200, on its 71st
// the points of frame 70, 0; frozen once caught.
TEST_F(Targets, ACatchScores200OnTheFirstFallingFrameAnd0OnTheLast)
{
    for (const auto& [i, late, points] : {std::tuple(0, 0, 200), std::tuple(2, 70, 0)}) {
        SCOPED_TRACE(i);
        if (late) new_game();
        ASSERT_GE(frames_until([i = i] { return target_get(i).state == TargetState::Falling; }), 0);
        EXPECT_EQ(target_get(i).y, 80 * 512) << "released, not yet moved";
        frames(late);
        ASSERT_EQ(target_get(i).state, TargetState::Falling);
        press(target_button_mask(i));
        EXPECT_EQ(target_get(i).state, TargetState::Safe);
        frames(40);
        EXPECT_EQ(dart_get(i).points, points);
    }
}

TEST_F(Targets, AnUncaughtTargetFallsOutAfter71Then50Then41Frames)
{
    const int want_frames[] = {71, 50, 41}, want_lowest[] = {-6, -3, -4};
    for (int stage = 0; stage < 3; ++stage) {
        SCOPED_TRACE(stage);
        ASSERT_GE(frames_until([] { return target_get(1).state == TargetState::Falling; }), 0);
        // As many frames as it falls, the release frame among them.
        int falling = 0, lowest = 1000, last_row = 0;
        do {
            last_row = target_get(1).y / 512;
            frame();
            lowest = std::min(lowest, dart_get(1).points);
            ++falling;
        } while (target_get(1).state == TargetState::Falling);
        EXPECT_EQ(target_get(1).state, TargetState::Out);
        EXPECT_EQ(falling, want_frames[stage]);
        EXPECT_TRUE(last_row <= 496 && target_get(1).y / 512 > 496) << "out past row 496";
        EXPECT_EQ(lowest, want_lowest[stage]) << "the last falling frame's points";
        frame();
        EXPECT_EQ(dart_get(1).points, 0) << "0 from the first input step after";
        if (stage < 2) next_stage();
    }
}

TEST_F(Targets, KeysThatWentDownBeforeTheStageStoodOpenNeverCount)
{
    // -1: down while the title closes, and held. Otherwise pressed fresh
    // in that frame of the opening (the first, a middle one, the last).
    for (int at : {-1, 0, 12, 23}) {
        SCOPED_TRACE(at);
        reset_game();
        frames(30);
        frame(BUTTON_SPACE);
        const ButtonMask held = at < 0 ? BUTTON_2 : 0;
        while (scene_get() != SCENE_PLAY) frame(held);
        frames(std::max(at, 0), held);
        ASSERT_EQ(accept_input_get(), 0) << "still opening";
        frame(BUTTON_2);
        frames(30, held);
        ASSERT_EQ(accept_input_get(), 1);
        EXPECT_FALSE(dart_get(1).thrown);
        press(0);
        press(BUTTON_2);
        EXPECT_EQ(target_get(1).state, TargetState::Hit) << "a fresh press once open counts";
    }
}

// (What a hit bleeds, with the marker and without, is the golden frames'.)
TEST_F(Targets, TheLoveMarkerCountsBesideTheExecutableOnlyAndAtAReset)
{
    std::ofstream(dir / "LOVE") << "";
    reset_game();
    EXPECT_EQ(love_mode_get(), 0) << "the working directory does not count";
    std::ofstream(exe_dir / "LOVE") << "";
    EXPECT_EQ(love_mode_get(), 0) << "read only at a reset";
    reset_game();
    EXPECT_EQ(love_mode_get(), 1);
    std::filesystem::remove(exe_dir / "LOVE");
    reset_game();
    EXPECT_EQ(love_mode_get(), 0);
}

TEST_F(Targets, RareSealsOnlyFromABestOf1400)
{
    // Each game from the title, with the best read from the file; the seals
    // are chosen as the title's closing ends.
    auto specials_in = [this](int games) {
        int n = 0;
        for (int g = 0; g < games; ++g) {
            reset_game();
            press(BUTTON_SPACE);
            frames_until([] { return scene_get() == SCENE_PLAY; });
            for (int i = 0; i < TARGET_COUNT; ++i) n += target_get(i).special;
        }
        return n;
    };
    write_best_file(1399 * 2, 2, 1399);
    EXPECT_EQ(specials_in(40), 0);
    write_best_file(1400 * 2, 2, 1400);
    const int n = specials_in(40);
    EXPECT_TRUE(n > 3 && n < 30) << n << ": about one in ten";
}

} // namespace
