// "Best.dat" in the working directory: three little-endian 32-bit values,
// a check (score times multiplier, wrapping), the multiplier and the score.
#pragma once

#include <cstdint>

inline constexpr const char* BEST_SCORE_FILE = "Best.dat";
inline constexpr int BEST_SCORE_FILE_SIZE = 12;

// The verified score, or 0 when the file is missing, short or fails its check.
int read_best_score();
// A failed write leaves the previous file as it was.
void write_best_score(int score);
