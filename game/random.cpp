#include "game/random.h"

#include "platform/clock.h"

namespace {

uint32_t state = 1;

int next_value()
{
    state = state * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF);
}

} // namespace

int random_range(int low, int high)
{
    const int skip = platform::clock_local_seconds();
    for (int i = 0; i < skip; ++i) next_value();
    const int64_t span = int64_t(high) - int64_t(low) + 1;
    const int value = next_value();
    if (span <= 0) return low; // a reversed range has nothing to choose from
    return int(int64_t(low) + value % span);
}

void random_state_reset()
{
    state = 1;
}
