// The drop pool: a full pool drops the spawn, lifetimes follow the first
// picture, straight drops keep their column, freed records are reused, and
// drops are drawn over the whole screen while the scene is clipped.
#include "game/particles.h"
#include "game/random.h"
#include "gfx/blit.h"
#include "support/game.h"

#include <algorithm>

namespace {

using Particles = GameTest;

int lifetime_of(int i)
{
    int frames = 0;
    while (particle_get(i).active) {
        particles_update();
        ++frames;
    }
    return frames;
}

TEST_F(Particles, AFullPoolDropsTheSpawnAndAFreedRecordIsReused)
{
    particles_clear();
    for (int i = 0; i < PARTICLE_COUNT; ++i) particle_spawn(i * 512, 0, 0);
    EXPECT_EQ(particles_live(), PARTICLE_COUNT);
    const Particle last = particle_get(PARTICLE_COUNT - 1);
    particle_spawn(999 * 512, 999 * 512, 1);
    EXPECT_EQ(particles_live(), PARTICLE_COUNT);
    EXPECT_EQ(particle_get(PARTICLE_COUNT - 1).x, last.x) << "no live drop replaced";

    // Free record 7 by running its life out while the others are renewed.
    for (int n = 0; n < 200 && particle_get(7).active; ++n) particles_update();
    ASSERT_FALSE(particle_get(7).active);
    particles_clear();
    particle_spawn(5 * 512, 6 * 512, 1);
    EXPECT_TRUE(particle_get(0).active) << "the lowest free record";
    EXPECT_EQ(particles_live(), 1);
    particles_clear();
    particles_clear(); // harmless twice
    EXPECT_EQ(particles_live(), 0);
}

TEST_F(Particles, LifetimesFollowTheFirstPicture)
{
    // Each spawn draws its first picture 0..2; all three lifetimes appear.
    bool seen[3] = {};
    particles_clear();
    for (int n = 0; n < 60; ++n) {
        particle_spawn(100 * 512, 100 * 512, n % 2);
        const int first = particle_get(0).cell;
        ASSERT_GE(first, 0);
        ASSERT_LE(first, 2);
        std::vector<int> cells;
        const int x0 = particle_get(0).x;
        const bool straight = n % 2;
        int frames = 0;
        while (particle_get(0).active) {
            if (straight) {
                ASSERT_EQ(particle_get(0).x, x0) << "a straight drop keeps its column";
            }
            particles_update();
            if (particle_get(0).active) cells.push_back(particle_get(0).cell);
            ++frames;
        }
        EXPECT_EQ(frames, 33 * (4 - first));
        // The first picture shows after each of the first 32 updates.
        EXPECT_EQ(std::count(cells.begin(), cells.end(), first), 32);
        EXPECT_EQ(std::count(cells.begin(), cells.end(), 3), first == 3 ? 32 : 33);
        seen[first] = true;
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
}

TEST_F(Particles, ADropRisesThenFallsUnderGravity)
{
    particles_clear();
    particle_spawn(320 * 512, 240 * 512, 1);
    const Particle p0 = particle_get(0);
    EXPECT_GE(p0.vy, -1024);
    EXPECT_LE(p0.vy, 0);
    particles_update();
    EXPECT_EQ(particle_get(0).vy, p0.vy + 128);
    EXPECT_EQ(particle_get(0).y, p0.y + p0.vy + 128) << "this frame's gravity is already in the move";
    EXPECT_EQ(lifetime_of(0) + 1, 33 * (4 - p0.cell));
}

TEST_F(Particles, SidewaysSpeedsStayInTheirBiasedRange)
{
    int lo = 0, hi = 0;
    for (int n = 0; n < 300; ++n) {
        particles_clear();
        particle_spawn(0, 0, 0);
        lo = std::min(lo, particle_get(0).vx);
        hi = std::max(hi, particle_get(0).vx);
    }
    EXPECT_GE(lo, -1536);
    EXPECT_LE(hi, 768);
    EXPECT_LT(lo, -1000);
    EXPECT_GT(hi, 300);
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
    EXPECT_EQ(back_pixel(20, 20), slot_colour(12)) << "centred on its position";
    EXPECT_EQ(back_pixel(620, 460), slot_colour(12));
    particles_draw(1);
    EXPECT_EQ(back_pixel(20, 20), slot_colour(13)) << "the blue art";
    // A drop half off the edge is trimmed, not refused.
    particles_clear();
    particle_spawn(2 * 512, 100 * 512, 1);
    fill_rect(screen_clip, native_colour(0));
    particles_draw(0);
    EXPECT_EQ(back_pixel(2, 100), slot_colour(12));
}

} // namespace
