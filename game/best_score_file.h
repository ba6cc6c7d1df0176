// "Best.dat" in the working directory: three little-endian 32-bit values,
// a check (score times multiplier, wrapping), the multiplier and the score.
#pragma once

#include <cstdint>

inline constexpr const char* BEST_SCORE_FILE = "Best.dat";
inline constexpr int BEST_SCORE_FILE_SIZE = 12;
// Each write draws a fresh multiplier from this range.
inline constexpr int BEST_MULTIPLIER_MIN = 1;
inline constexpr int BEST_MULTIPLIER_MAX = 8;

// The verified score, or 0 when the file is missing, short, fails its check
// or is not a regular file.
int read_best_score();
// A failed write leaves the previous file as it was.
void write_best_score(int score);
