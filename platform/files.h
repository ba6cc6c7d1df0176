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

// True when the file exists and can be opened for reading.
bool file_exists(const char* path);
// Reads up to size bytes from the start of the file; the count read, or -1
// when it cannot be opened.
long file_read(const char* path, void* out, size_t size);
// Replaces the file's contents as one step: the bytes go to a temporary
// file beside it, reach the disk, and are renamed over it. A failure at any
// point leaves the old file as it was. Returns 1 or 0.
int file_replace(const char* path, const void* data, size_t size);

} // namespace platform
