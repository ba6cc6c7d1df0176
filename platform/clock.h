// Time as the game sees it: a millisecond tick count that wraps at 2^32,
// a sleep, and the seconds of the local time (which the random numbers use).
#pragma once

#include <cstdint>

namespace platform {

uint32_t clock_ticks();
void clock_sleep(uint32_t ms);
int clock_local_seconds(); // 0..59

} // namespace platform
