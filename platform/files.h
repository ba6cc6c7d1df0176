// Paths the game needs from the system.
#pragma once

#include <cstddef>

namespace platform {

inline constexpr size_t PATH_LIMIT = 260; // characters, with the terminating zero

#ifdef _WIN32
inline constexpr char PATH_SEPARATOR = '\\';
#else
inline constexpr char PATH_SEPARATOR = '/';
#endif

// The directory of the running executable, without a trailing separator.
// Returns 0 when it cannot be found or does not fit.
int executable_dir(char* out, size_t size);

} // namespace platform
