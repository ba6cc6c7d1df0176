// Reads "Best.dat" in the working directory with the game's own reader, as
// the Linux build would, and prints the score (0 for a missing or damaged
// file). The Windows end-to-end run uses it to show that the file the
// Windows build wrote is the same file on both systems.
#include "game/best_score_file.h"
#include "platform/clock.h"
#include "platform/files.h"

#include <cstdio>

// The reader never draws a random number; the writer linked beside it does.
int platform::clock_local_seconds()
{
    return 0;
}

// Best.dat in the working directory, where the Windows build keeps it.
int platform::data_file_path(const char* name, char* out, size_t size)
{
    const int n = std::snprintf(out, size, "%s", name);
    return n > 0 && size_t(n) < size ? 1 : 0;
}

int main()
{
    std::printf("%d\n", read_best_score());
    return 0;
}
