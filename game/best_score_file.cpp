#include "game/best_score_file.h"

#include "game/random.h"
#include "platform/files.h"

namespace {

uint32_t get32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void put32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

} // namespace

// Only what the writer could have written counts: exactly 12 bytes, a
// multiplier it draws, and the check that goes with them. Anything else
// (a zero multiplier would let any score pass) reads as no best at all.
int read_best_score()
{
    uint8_t bytes[BEST_SCORE_FILE_SIZE + 1];
    if (platform::file_read(BEST_SCORE_FILE, bytes, sizeof bytes) != BEST_SCORE_FILE_SIZE) return 0;
    const uint32_t check = get32(bytes);
    const uint32_t multiplier = get32(bytes + 4);
    const uint32_t score = get32(bytes + 8);
    const bool drawn = multiplier >= uint32_t(BEST_MULTIPLIER_MIN) && multiplier <= uint32_t(BEST_MULTIPLIER_MAX);
    return drawn && score * multiplier == check ? int(int32_t(score)) : 0;
}

// Written whole to a new file and renamed over the old one, so a crash or a
// full disk halfway never loses the best score already kept. The multiplier
// is drawn only once the file could be opened: a directory that cannot be
// written leaves the game's random sequence where it was.
void write_best_score(int score)
{
    platform::FileReplacement file;
    if (!platform::file_replace_open(BEST_SCORE_FILE, &file)) return;
    const uint32_t multiplier = uint32_t(random_range(BEST_MULTIPLIER_MIN, BEST_MULTIPLIER_MAX));
    uint8_t bytes[BEST_SCORE_FILE_SIZE];
    put32(bytes, uint32_t(score) * multiplier);
    put32(bytes + 4, multiplier);
    put32(bytes + 8, uint32_t(score));
    platform::file_replace_commit(&file, bytes, sizeof bytes);
}
