// "Best.dat": the 12-byte layout, the check that rejects a tampered file,
// and a write that can never lose the best already kept.
#include "game/best_score_file.h"
#include "game/random.h"
#include "platform/headless/headless.h"
#include "support/bmp.h"
#include "support/engine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

class BestScoreFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        random_state_reset();
    }

    static std::vector<uint8_t> file_bytes()
    {
        std::ifstream in(BEST_SCORE_FILE, std::ios::binary);
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    static void write_values(std::initializer_list<uint32_t> values)
    {
        std::vector<uint8_t> bytes;
        for (uint32_t v : values)
            for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
        write_file(BEST_SCORE_FILE, bytes);
    }

    const ScratchDir scratch{"best"};
};

TEST_F(BestScoreFile, ExactLayout)
{
    headless::set_local_seconds(0);
    write_best_score(1234); // the first value of a fresh generator is 41: multiplier 41 % 8 + 1 = 2
    const std::vector<uint8_t> want = {0xA4, 0x09, 0, 0, 2, 0, 0, 0, 0xD2, 0x04, 0, 0};
    EXPECT_EQ(file_bytes(), want);
    EXPECT_EQ(read_best_score(), 1234);
}

TEST_F(BestScoreFile, CheckWrapsAndEveryMultiplierReadsBack)
{
    for (int seconds = 0; seconds < 20; ++seconds) {
        headless::set_local_seconds(seconds);
        write_best_score(0x7FFFFFFF); // the check overflows 32 bits
        const std::vector<uint8_t> b = file_bytes();
        ASSERT_EQ(b.size(), 12u);
        EXPECT_TRUE(b[4] >= 1 && b[4] <= 8) << int(b[4]);
        EXPECT_EQ(read_best_score(), 0x7FFFFFFF);
    }
}

TEST_F(BestScoreFile, TamperedShortOrMissingReadsZero)
{
    EXPECT_EQ(read_best_score(), 0) << "no file";
    write_values({1500 * 3, 3, 1500});
    EXPECT_EQ(read_best_score(), 1500);
    write_values({1500 * 3, 3, 1800}); // the score edited
    EXPECT_EQ(read_best_score(), 0);
    write_values({1500 * 3, 3});
    EXPECT_EQ(read_best_score(), 0) << "a short file";
    write_file(BEST_SCORE_FILE, {});
    EXPECT_EQ(read_best_score(), 0);
    write_values({0, 0, 777}); // multiplier 0 with check 0 passes the check
    EXPECT_EQ(read_best_score(), 777);
}

} // namespace
