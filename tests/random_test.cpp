// The generator's sequence is part of the game: the same start gives the
// same waits and the same best-score multipliers.
#include "game/random.h"
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

namespace {

class Random : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        random_state_reset();
    }
};

TEST_F(Random, SequenceFromAFreshStart)
{
    headless::set_local_seconds(0);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int want : expected) EXPECT_EQ(random_range(0, 32767), want);
}

TEST_F(Random, TheClockSecondsDecideHowManyValuesAreSkipped)
{
    headless::set_local_seconds(2);
    EXPECT_EQ(random_range(0, 32767), 6334) << "41 and 18467 skipped";
    headless::set_local_seconds(59);
    random_state_reset();
    // 59 skipped, the 60th returned: the same as 60 calls at second 0.
    int sixtieth = 0;
    {
        headless::set_local_seconds(0);
        for (int i = 0; i < 60; ++i) sixtieth = random_range(0, 32767);
    }
    random_state_reset();
    headless::set_local_seconds(59);
    EXPECT_EQ(random_range(0, 32767), sixtieth);
}

TEST_F(Random, BoundsAreInclusiveAndNeverLeft)
{
    bool seen_low = false, seen_high = false;
    for (int i = 0; i < 2000; ++i) {
        headless::set_local_seconds(i % 60);
        const int v = random_range(1, 8);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 8);
        seen_low |= v == 1;
        seen_high |= v == 8;
        const int w = random_range(-1536, 768);
        ASSERT_GE(w, -1536);
        ASSERT_LE(w, 768);
    }
    EXPECT_TRUE(seen_low && seen_high);
    EXPECT_EQ(random_range(5, 5), 5);
}

} // namespace
