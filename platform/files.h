// Paths the game needs from the system, and its few files. Only regular
// files are read or replaced: a FIFO, a device or a directory at a path
// counts as absent, and nothing here ever waits on one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

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

// Where the game keeps its file of this name. On Linux that is the user's
// data folder, $XDG_DATA_HOME/quobbin (~/.local/share/quobbin), made for
// its owner alone when missing; where there is none, and on other
// systems, the working directory, where the game always kept it. 0 when
// the path does not fit out.
int data_file_path(const char* name, char* out, size_t size);

// True when the path names a regular file that can be opened for reading.
bool file_exists(const char* path);
// The size in bytes of a regular file, or -1.
long file_size(const char* path);
// Reads up to size bytes from the start of a regular file; the count read,
// or -1 when it cannot be opened or is not a regular file.
long file_read(const char* path, void* out, size_t size);

// A file being replaced as one step. Opening makes a fresh temporary file
// with a name of its own beside the file, created exclusively (never
// through a link, never over anything that stands there); committing
// writes the bytes to it, brings them to the disk and renames it over the
// file. A failure at any point removes the temporary and leaves the old
// file as it was.
struct FileReplacement {
    intptr_t handle = -1;
    char path[PATH_LIMIT] = {};
    char temporary[PATH_LIMIT] = {};
};
// 0 when no temporary can be made, or when something other than a regular
// file stands at the path: that is never written over.
int file_replace_open(const char* path, FileReplacement* replacement);
// Returns 1 when the file holds the bytes; the replacement is closed either way.
int file_replace_commit(FileReplacement* replacement, const void* data, size_t size);

// A replacement's temporary is named for the file, the process and the
// try: "Best.dat.1234-0.new". True when entry (a name in the file's
// folder) has exactly that form for the file named base.
inline bool is_temporary_of(std::string_view entry, std::string_view base)
{
    constexpr std::string_view SUFFIX = ".new";
    if (entry.size() <= base.size() + 1 + SUFFIX.size() || entry.substr(0, base.size()) != base ||
        entry[base.size()] != '.' || !entry.ends_with(SUFFIX))
        return false;
    const std::string_view middle = entry.substr(base.size() + 1, entry.size() - base.size() - 1 - SUFFIX.size());
    const size_t dash = middle.find('-');
    const auto digits = [](std::string_view s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return dash != std::string_view::npos && digits(middle.substr(0, dash)) && digits(middle.substr(dash + 1));
}

// Removes the temporaries that replacements of the file killed before
// their rename left beside it, whichever process made them. A link under
// such a name is removed itself, never followed; a directory stays. Safe
// only while no other copy of the game can be replacing the file, that is
// once the single-instance claim is held.
void file_remove_leftovers(const char* path);

} // namespace platform
