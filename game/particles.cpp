#include "game/particles.h"

#include "game/random.h"
#include "game/slots.h"
#include "gfx/blit.h"

#include <array>
#include <cstddef>

namespace {

constexpr int32_t GRAVITY = 128;
constexpr int32_t CELL_TICKS = 32; // each picture lasts 33 frames
constexpr int32_t LAST_CELL = 3;
constexpr int CELL_SIZE = 16;
constexpr int32_t SUBPIXEL = 512;
// Drops fly left more often than right, and upward at up to 2 px a frame.
constexpr int32_t VX_MIN = -1536, VX_MAX = 768;
constexpr int32_t VY_MIN = -1024, VY_MAX = 0;
constexpr int32_t FIRST_CELL_MAX = 2;

std::array<Particle, PARTICLE_COUNT> particles{};

} // namespace

void particles_clear()
{
    for (Particle& p : particles) p.active = 0;
}

void particle_spawn(int32_t x, int32_t y, int straight)
{
    for (Particle& p : particles) {
        if (p.active) continue;
        p.active = 1;
        p.x = x;
        p.y = y;
        p.vx = straight ? 0 : random_range(VX_MIN, VX_MAX);
        p.vy = random_range(VY_MIN, VY_MAX);
        p.cell_tick = 0;
        p.cell = random_range(0, FIRST_CELL_MAX);
        return;
    }
}

void particles_update()
{
    for (Particle& p : particles) {
        if (!p.active) continue;
        p.vy += GRAVITY;
        p.x += p.vx;
        p.y += p.vy;
        if (++p.cell_tick > CELL_TICKS) {
            p.cell_tick = 0;
            ++p.cell;
        }
        if (p.cell > LAST_CELL) p.active = 0;
    }
}

// Drawn against the whole screen, so drops fly on over a closing scene.
void particles_draw(int love_art)
{
    const SurfaceId sheet = love_art ? SURFACE_DROPS_LOVE : SURFACE_DROPS;
    for (const Particle& p : particles) {
        if (!p.active) continue;
        const RECT cell{CELL_SIZE * p.cell, 0, CELL_SIZE * p.cell + CELL_SIZE, CELL_SIZE};
        blit_clipped(screen_clip, p.x / SUBPIXEL - CELL_SIZE / 2, p.y / SUBPIXEL - CELL_SIZE / 2, cell, sheet);
    }
}

const Particle& particle_get(int i)
{
    static const Particle none{};
    return i >= 0 && i < PARTICLE_COUNT ? particles[std::size_t(i)] : none;
}

int particles_live()
{
    int n = 0;
    for (const Particle& p : particles) n += p.active;
    return n;
}
