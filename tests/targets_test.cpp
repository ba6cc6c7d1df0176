// The targets in play: release, fall, catch and hit, their points and the
// frames a fall takes in each stage, the keys that count, the sway and the
// blink, the drops and the LOVE marker, and the rare seals. The drop pool:
// a full pool drops the spawn, an ended drop's record is taken again while
// others still fly, lifetimes follow the first picture, drops rise and
// fall, straight drops keep their column, and drops are drawn over the
// whole screen while the scene is clipped. (Where each picture lands is
// the golden frames' business.)
#include "support/game.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

class Targets : public InPlayTest {
protected:
    // Frames until target i is released (it is Falling after the last one).
    void until_released(int i)
    {
        ASSERT_GE(frames_until([i] { return target_get(i).state == TargetState::Falling; }), 0);
    }
};

// A fall of 71 frames: caught on its first frame the full 200, on its 71st
// the points of frame 70, 0; frozen once caught.
TEST_F(Targets, ACatchScores200OnTheFirstFallingFrameAnd0OnTheLast)
{
    for (const auto& [i, late, points] : {std::tuple(0, 0, 200), std::tuple(2, 70, 0)}) {
        SCOPED_TRACE(i);
        if (late) new_game();
        until_released(i);
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
    const int want_frames[] = {71, 50, 41};
    const int want_lowest[] = {-6, -3, -4};
    for (int stage = 0; stage < 3; ++stage) {
        SCOPED_TRACE(stage);
        until_released(1);
        int falling = 1; // the release frame ends Falling
        int lowest = 1000;
        int last_row = 0;
        for (;;) {
            last_row = target_get(1).y / 512;
            frame();
            lowest = std::min(lowest, dart_get(1).points);
            if (target_get(1).state != TargetState::Falling) break;
            ++falling;
        }
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

// The head pose and body frame of each waiting seal, frame by frame, by
// their columns on the sheet: the body keeps each frame of the sway
// (centre, left, centre, right) for 13 frames, and a blink shows pose 2
// for three frames, then pose 1 for three.
TEST_F(Targets, AWaitingSealSwaysAndBlinks)
{
    std::string poses[TARGET_COUNT], bodies[TARGET_COUNT];
    for (int n = 0; n < 700; ++n) {
        frame();
        for (int i = 0; i < TARGET_COUNT; ++i)
            if (target_get(i).state == TargetState::Waiting) {
                poses[i] += char('0' + target_get(i).head_src.left / 96);
                bodies[i] += char('0' + target_get(i).body_src.left / 96);
            }
    }
    std::string sway;
    for (int k = 0; k < 60; ++k) sway += "1012";
    int blinks = 0;
    for (int i = 0; i < TARGET_COUNT; ++i) {
        SCOPED_TRACE(poses[i] + "\n" + bodies[i]);
        std::string order;
        std::vector<int> lengths;
        for (size_t n = 0; n < bodies[i].size(); ++n) {
            if (n == 0 || bodies[i][n] != bodies[i][n - 1]) order += bodies[i][n], lengths.push_back(0);
            ++lengths.back();
        }
        ASSERT_GE(order.size(), 4u) << "a wait lasts 100 frames at least";
        EXPECT_NE(sway.find(order), std::string::npos);
        for (size_t j = 1; j + 1 < lengths.size(); ++j) EXPECT_EQ(lengths[j], 13) << j;
        for (size_t n = poses[i].find("02"); n != std::string::npos; n = poses[i].find("02", n + 1)) {
            ++blinks;
            EXPECT_EQ(poses[i].substr(n + 1, 7), std::string("2221110").substr(0, poses[i].size() - n - 1));
        }
    }
    EXPECT_GT(blinks, 0) << "the seals blink now and then while they wait";
}

TEST_F(Targets, AHitTargetBleedsAndTheLoveMarkerBesideTheExecutableDoublesTheDrops)
{
    press(BUTTON_1);
    ASSERT_EQ(target_get(0).state, TargetState::Hit);
    EXPECT_EQ(dart_get(0).points, 0);
    particles_clear();
    const uint8_t tick = field_tick_get();
    frame();
    EXPECT_EQ(particles_live(), uint8_t(tick + 1) % 2 == 0 ? 1 : 0) << "every second input step";
    frame();
    EXPECT_EQ(particles_live(), 1);
    // The drop starts at (px - 8, py + 120) and moved one frame since.
    const Particle& p = particle_get(0);
    EXPECT_EQ(std::pair(p.x - p.vx, p.y - p.vy), std::pair((120 - 8) * 512, (80 + 120) * 512));

    // The marker counts beside the executable only, read at a reset.
    std::ofstream(dir / "LOVE") << "";
    reset_game();
    EXPECT_EQ(love_mode_get(), 0) << "the working directory does not count";
    std::ofstream(exe_dir / "LOVE") << "";
    EXPECT_EQ(love_mode_get(), 0) << "read only at a reset";
    new_game();
    ASSERT_EQ(love_mode_get(), 1);
    press(BUTTON_2);
    particles_clear();
    frames(8);
    EXPECT_EQ(particles_live(), 4) << "two drops every fourth step";
    for (int i = 0; i < 4; ++i) EXPECT_EQ(particle_get(i).vx, 0) << "straight";
    EXPECT_EQ(std::pair(particle_get(0).x / 512, particle_get(1).x / 512), std::pair(320 + 20, 320 - 31));
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

using Particles = GameTest;

TEST_F(Particles, AFullPoolDropsTheSpawnAndEndedDropsMakeRoom)
{
    particles_clear();
    for (int i = 0; i < PARTICLE_COUNT; ++i) particle_spawn(i * 512, 0, 0);
    EXPECT_EQ(particles_live(), PARTICLE_COUNT);
    const Particle last = particle_get(PARTICLE_COUNT - 1);
    particle_spawn(999 * 512, 999 * 512, 1);
    EXPECT_EQ(particles_live(), PARTICLE_COUNT);
    EXPECT_EQ(particle_get(PARTICLE_COUNT - 1).x, last.x) << "no live drop replaced";

    // The shortest lives end first while the others fly on: every record
    // that ended is taken again, whichever it was.
    while (particles_live() == PARTICLE_COUNT) particles_update();
    const int live = particles_live();
    ASSERT_GT(live, 0) << "others still fly";
    for (int n = live; n < PARTICLE_COUNT; ++n) particle_spawn(5 * 512, 6 * 512, 1);
    EXPECT_EQ(particles_live(), PARTICLE_COUNT);
}

TEST_F(Particles, DropsRiseFallAndShrinkThroughTheirPictures)
{
    // Each spawn draws its first picture 0..2; all three lifetimes appear.
    bool seen[3] = {};
    int lo = 0, hi = 0;
    for (int n = 0; n < 100; ++n) {
        particles_clear();
        const bool straight = n % 2;
        particle_spawn(100 * 512, 100 * 512, straight);
        const Particle p0 = particle_get(0);
        ASSERT_TRUE(p0.cell >= 0 && p0.cell <= 2) << p0.cell;
        ASSERT_TRUE(p0.vy >= -1024 && p0.vy <= 0) << "upward at up to 2 px a frame: " << p0.vy;
        if (!straight) lo = std::min(lo, p0.vx), hi = std::max(hi, p0.vx);
        std::vector<int> cells;
        int frames = 0;
        while (particle_get(0).active) {
            ASSERT_TRUE(!straight || particle_get(0).x == p0.x) << "a straight drop keeps its column";
            particles_update();
            if (frames++ == 0) {
                EXPECT_EQ(particle_get(0).y, p0.y + p0.vy + 128) << "this frame's gravity is already in the move";
            }
            if (particle_get(0).active) cells.push_back(particle_get(0).cell);
        }
        EXPECT_EQ(frames, 33 * (4 - p0.cell));
        // The first picture shows after each of the first 32 updates.
        EXPECT_EQ(std::count(cells.begin(), cells.end(), p0.cell), 32);
        EXPECT_EQ(std::count(cells.begin(), cells.end(), 3), 33);
        seen[p0.cell] = true;
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
    // Sideways speeds lean left: -1536 to 768.
    EXPECT_TRUE(lo >= -1536 && lo < -1000) << lo;
    EXPECT_TRUE(hi <= 768 && hi > 300) << hi;
}

TEST_F(Particles, DropsShowOverTheWholeScreenWhileTheSceneIsClipped)
{
    reset_game();
    frames(30);
    press(BUTTON_SPACE);
    frames(10); // closing: the clip is now well inside the screen
    particles_clear();
    particle_spawn(20 * 512, 20 * 512, 1);
    particle_spawn(620 * 512, 460 * 512, 1);
    fill_rect(screen_clip, native_colour(0));
    particles_draw(0);
    EXPECT_EQ(back_pixel(20, 20), slot_colour(SURFACE_DROPS)) << "centred on its position";
    EXPECT_EQ(back_pixel(620, 460), slot_colour(SURFACE_DROPS));
    particles_draw(1);
    EXPECT_EQ(back_pixel(20, 20), slot_colour(SURFACE_DROPS_LOVE)) << "the blue art";
}

} // namespace
