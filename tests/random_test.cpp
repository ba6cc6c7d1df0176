// The generator's sequence is part of the game: the same start gives the
// same waits and the same best-score multipliers. (Its bounds show in the
// multipliers of the best-score file's tests.)
#include "game/random.h"
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Random : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        random_state_reset();
    }
};

TEST_F(Random, TheClockSecondsDecideHowFarIntoTheSequenceTheGameStarts)
{
    headless::set_local_seconds(0);
    std::vector<int> sequence;
    for (int i = 0; i < 60; ++i) sequence.push_back(random_range(0, 32767));
    const std::vector<int> first{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    EXPECT_EQ(std::vector<int>(sequence.begin(), sequence.begin() + 10), first);
    // At second s the first s values are skipped.
    for (int seconds : {1, 2, 59}) {
        random_state_reset();
        headless::set_local_seconds(seconds);
        EXPECT_EQ(random_range(0, 32767), sequence[size_t(seconds)]) << seconds;
    }
}

} // namespace
