#include "game/best_score_file.h"

#include "game/random.h"
#include "platform/files.h"

#include <cstdio>
#include <cstring>

namespace {

using Bytes = uint8_t[BEST_SCORE_FILE_SIZE];

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

// Where the platform keeps the file; the working directory when the path
// would not fit.
struct BestPath {
    char text[platform::PATH_LIMIT];
    BestPath()
    {
        if (!platform::data_file_path(BEST_SCORE_FILE, text, sizeof text))
            std::snprintf(text, sizeof text, "%s", BEST_SCORE_FILE);
    }
};

// Only what the writer could have written counts: exactly 12 bytes, a
// multiplier it draws, and the check that goes with them. Anything else
// (a zero multiplier would let any score pass) is no best at all.
bool read_valid(const char* path, Bytes& bytes)
{
    uint8_t read[BEST_SCORE_FILE_SIZE + 1];
    if (platform::file_read(path, read, sizeof read) != BEST_SCORE_FILE_SIZE) return false;
    std::memcpy(bytes, read, sizeof bytes);
    const uint32_t multiplier = get32(bytes + 4);
    const bool drawn = multiplier >= uint32_t(BEST_MULTIPLIER_MIN) && multiplier <= uint32_t(BEST_MULTIPLIER_MAX);
    return drawn && get32(bytes + 8) * multiplier == get32(bytes);
}

} // namespace

int read_best_score()
{
    Bytes bytes;
    return read_valid(BestPath().text, bytes) ? int(int32_t(get32(bytes + 8))) : 0;
}

// Written whole to a new file and renamed over the old one, so a crash or
// a full disk halfway never loses the best score already kept. The
// multiplier is drawn only once the file could be opened: a folder that
// cannot be written leaves the game's random sequence where it was.
void write_best_score(int score)
{
    const BestPath path;
    platform::FileReplacement file;
    if (!platform::file_replace_open(path.text, &file)) return;
    const uint32_t multiplier = uint32_t(random_range(BEST_MULTIPLIER_MIN, BEST_MULTIPLIER_MAX));
    Bytes bytes;
    put32(bytes, uint32_t(score) * multiplier);
    put32(bytes + 4, multiplier);
    put32(bytes + 8, uint32_t(score));
    platform::file_replace_commit(&file, bytes, sizeof bytes);
}

// With the single-instance claim held no other copy can be saving, so
// temporaries beside the file were left by saves that were killed; kept,
// they would pile up until no name is free. A valid file where earlier
// versions kept it (the working directory) is copied in, bytes and all,
// when the data folder has none yet; the old one stays as it was.
void best_score_file_prepare()
{
    const BestPath path;
    platform::file_remove_leftovers(path.text);
    Bytes old;
    if (std::strcmp(path.text, BEST_SCORE_FILE) == 0 || platform::file_exists(path.text) ||
        !read_valid(BEST_SCORE_FILE, old))
        return;
    platform::FileReplacement file;
    if (platform::file_replace_open(path.text, &file)) platform::file_replace_commit(&file, old, sizeof old);
}
