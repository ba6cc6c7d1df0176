// "Best.dat": the 12-byte layout, its multiplier drawn from the game's own
// random sequence (the same start gives the same waits and multipliers,
// and the clock's seconds decide how far into it the game starts), and the
// check that rejects a tampered file.
#include "game/best_score_file.h"
#include "game/random.h"
#include "support/bmp.h"
#include "support/game.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

class BestScoreFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        random_state_reset();
    }

    static std::vector<uint8_t> file_bytes(const char* path = BEST_SCORE_FILE)
    {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    const ScratchDir scratch{"best"};
};

TEST_F(BestScoreFile, TheMultiplierComesFromTheSequenceAtTheClockSecond)
{
    // The generator's first values; at second s the first s are skipped.
    const int sequence[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    headless::set_local_seconds(0);
    write_best_score(1234); // 41 % 8 + 1 = 2
    EXPECT_EQ(file_bytes(), (std::vector<uint8_t>{0xA4, 0x09, 0, 0, 2, 0, 0, 0, 0xD2, 0x04, 0, 0}));
    for (int seconds = 1; seconds < int(std::size(sequence)); ++seconds) {
        random_state_reset();
        headless::set_local_seconds(seconds);
        write_best_score(0x7FFFFFFF); // the check overflows 32 bits
        EXPECT_EQ(best_file_values().at(1), sequence[seconds] % 8 + 1) << seconds;
        EXPECT_EQ(read_best_score(), 0x7FFFFFFF);
    }
}

TEST_F(BestScoreFile, TamperedShortOrMissingReadsZero)
{
    const std::vector<uint8_t> good = best_file_bytes(1500 * 3, 3, 1500);
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        int read;
    } cases[] = {
        {"valid", good, 1500},
        {"the score edited", best_file_bytes(1500 * 3, 3, 1800), 0},
        {"short", std::vector<uint8_t>(good.begin(), good.begin() + 8), 0},
        {"empty", {}, 0},
        {"multiplier 0, check 0", best_file_bytes(0, 0, 9999), 0},
        {"multiplier 9", best_file_bytes(1500 * 9, 9, 1500), 0},
        {"multiplier -1", best_file_bytes(-1500, -1, 1500), 0},
        {"a byte more", longer, 0},
    };
    EXPECT_EQ(read_best_score(), 0) << "no file";
    for (const auto& c : cases) {
        write_file(BEST_SCORE_FILE, c.bytes);
        EXPECT_EQ(read_best_score(), c.read) << c.what;
    }
}

// Where the platform keeps the file in a folder of its own (the Linux
// build's data folder), a valid "Best.dat" left in the working directory by
// an earlier version is copied in at start, bytes and all, once: never over
// a file already there, never a damaged one; the old file stays.
TEST_F(BestScoreFile, AnOldFileInTheWorkingDirectoryIsTakenOverOnce)
{
    const std::vector<uint8_t> old = best_file_bytes(1500 * 3, 3, 1500);
    const struct {
        const char* what;
        std::vector<uint8_t> old; // empty: none
        std::vector<uint8_t> there;
        int best;
    } cases[] = {
        {"a valid old file is taken over", old, {}, 1500},
        {"a damaged one is not", best_file_bytes(1500 * 3, 3, 1501), {}, 0},
        {"the data folder's own file wins", old, best_file_bytes(1400 * 2, 2, 1400), 1400},
        {"no old file, nothing to do", {}, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all("data");
        std::filesystem::create_directory("data");
        std::filesystem::remove(BEST_SCORE_FILE);
        if (!c.old.empty()) write_file(BEST_SCORE_FILE, c.old);
        if (!c.there.empty()) write_file("data/Best.dat", c.there);
        headless::set_data_dir("data");
        best_score_file_prepare();
        EXPECT_EQ(read_best_score(), c.best);
        EXPECT_EQ(file_bytes("data/Best.dat"), c.best == 1500 ? old : c.there);
        EXPECT_EQ(file_bytes(), c.old) << "the old file stays";
        headless::set_data_dir("");
    }
}

} // namespace
