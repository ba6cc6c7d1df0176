// "Best.dat", where the platform keeps the game's data (on Linux the user's
// data folder, elsewhere the working directory): three little-endian
// 32-bit values, a check (score times multiplier, wrapping), the
// multiplier and the score.
#pragma once

#include <cstdint>

inline constexpr const char* BEST_SCORE_FILE = "Best.dat";
inline constexpr int BEST_SCORE_FILE_SIZE = 12;
// Each write draws a fresh multiplier from this range.
inline constexpr int BEST_MULTIPLIER_MIN = 1;
inline constexpr int BEST_MULTIPLIER_MAX = 8;

// The verified score, or 0 when the file is missing, not 12 bytes, fails
// its check or is not a regular file.
int read_best_score();
// A failed write leaves the previous file as it was.
void write_best_score(int score);
// At start, once no other copy can be saving: removes what killed saves
// left beside the file, and takes a valid "Best.dat" over from the working
// directory when the data folder has none yet.
void best_score_file_prepare();
