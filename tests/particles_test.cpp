// The drop pool: a full pool drops the spawn, an ended drop's record is
// taken again while others still fly, lifetimes follow the first picture,
// drops rise and fall, straight drops keep their column, and drops are
// drawn over the whole screen while the scene is clipped.
#include "support/game.h"

#include <algorithm>

namespace {

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

    particles_clear();
    particles_clear(); // harmless twice
    EXPECT_EQ(particles_live(), 0);
    particle_spawn(5 * 512, 6 * 512, 1);
    EXPECT_TRUE(particle_get(0).active) << "the lowest free record";
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
        ASSERT_GE(p0.cell, 0);
        ASSERT_LE(p0.cell, 2);
        ASSERT_GE(p0.vy, -1024) << "upward at up to 2 px a frame";
        ASSERT_LE(p0.vy, 0);
        if (!straight) {
            lo = std::min(lo, p0.vx);
            hi = std::max(hi, p0.vx);
        }
        std::vector<int> cells;
        int frames = 0;
        while (particle_get(0).active) {
            if (straight) {
                ASSERT_EQ(particle_get(0).x, p0.x) << "a straight drop keeps its column";
            }
            particles_update();
            if (frames++ == 0) {
                EXPECT_EQ(particle_get(0).vy, p0.vy + 128);
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
    EXPECT_EQ(back_pixel(20, 20), slot_colour(SURFACE_DROPS)) << "centred on its position";
    EXPECT_EQ(back_pixel(620, 460), slot_colour(SURFACE_DROPS));
    particles_draw(1);
    EXPECT_EQ(back_pixel(20, 20), slot_colour(SURFACE_DROPS_LOVE)) << "the blue art";
    // A drop half off the edge is trimmed, not refused.
    particles_clear();
    particle_spawn(2 * 512, 100 * 512, 1);
    fill_rect(screen_clip, native_colour(0));
    particles_draw(0);
    EXPECT_EQ(back_pixel(2, 100), slot_colour(SURFACE_DROPS));
}

} // namespace
