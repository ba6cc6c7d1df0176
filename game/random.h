// The game's one source of randomness: a 32-bit linear congruential
// generator that starts at 1 with the program and is never seeded. Each
// call skips as many values as the local time's seconds, so the clock only
// decides how far the one shared sequence moves.
#pragma once

#include <cstdint>

// An integer from low to high, both included; callers pass low <= high.
int random_range(int low, int high);
// Back to the state of a freshly started program.
void random_state_reset();
