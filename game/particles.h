// The drops a hit target throws off: a fixed pool of 256 that rise, fall
// under gravity, shrink through four pictures and vanish.
#pragma once

#include <cstdint>

struct Particle {
    int32_t active;
    int32_t x; // centre, 1/512 px
    int32_t y;
    int32_t vx; // 1/512 px per frame; vy positive is downward
    int32_t vy;
    int32_t cell_tick;
    int32_t cell;
};

inline constexpr int PARTICLE_COUNT = 256;

void particles_clear();
// A drop at (x, y) in 1/512 px; straight: no sideways speed. When the pool
// is full the drop is not made.
void particle_spawn(int32_t x, int32_t y, int straight);
void particles_update();
// The flag picks the blue art over the red.
void particles_draw(int love_art);

const Particle& particle_get(int i);
int particles_live();
