// Replacing a file in one step through a temporary of its own beside it,
// and removing the temporaries that killed replacements left, the same on
// every system; the steps that differ are each system's (file_steps.h).
#include "platform/file_steps.h"
#include "platform/files.h"

#include <cstdio>

namespace {

// How many names a replacement tries before it gives up: one is taken only
// when an earlier write of a copy with the same process id was killed.
constexpr unsigned TEMPORARY_TRIES = 64;
constexpr std::string_view TEMPORARY_SUFFIX = ".new";

// A temporary is named for the file, the process and the try:
// "Best.dat.1234-0.new".
bool temporary_name(char (&out)[platform::PATH_LIMIT], const char* path, unsigned attempt)
{
    const int n = std::snprintf(out, sizeof out, "%s.%lu-%u%s", path, platform::file_step_process_id(), attempt,
                                TEMPORARY_SUFFIX.data());
    return n >= 0 && size_t(n) < sizeof out;
}

bool digits(std::string_view s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// True when entry (a name in the file's folder) has exactly the form of a
// temporary of the file named base.
bool is_temporary_of(std::string_view entry, std::string_view base)
{
    if (entry.size() <= base.size() + 1 + TEMPORARY_SUFFIX.size() || !entry.starts_with(base) ||
        entry[base.size()] != '.' || !entry.ends_with(TEMPORARY_SUFFIX))
        return false;
    const std::string_view middle =
        entry.substr(base.size() + 1, entry.size() - base.size() - 1 - TEMPORARY_SUFFIX.size());
    const size_t dash = middle.find('-');
    return dash != std::string_view::npos && digits(middle.substr(0, dash)) && digits(middle.substr(dash + 1));
}

} // namespace

namespace platform {

int file_replace_open(const char* path, FileReplacement* replacement)
{
    if (!path || !replacement) return 0;
    *replacement = FileReplacement{};
    const int n = std::snprintf(replacement->path, sizeof replacement->path, "%s", path);
    if (n < 0 || size_t(n) >= sizeof replacement->path || !file_step_replaceable(path)) return 0;
    for (unsigned attempt = 0; attempt < TEMPORARY_TRIES; ++attempt) {
        if (!temporary_name(replacement->temporary, path, attempt)) return 0;
        bool taken = false;
        const intptr_t handle = file_step_create_new(replacement->temporary, &taken);
        if (handle != -1) {
            replacement->handle = handle;
            return 1;
        }
        if (!taken) return 0;
    }
    return 0;
}

int file_replace_commit(FileReplacement* replacement, const void* data, size_t size)
{
    if (!replacement || replacement->handle == -1) return 0;
    const intptr_t handle = replacement->handle;
    replacement->handle = -1;
    if (!file_step_write_and_close(handle, data, size) ||
        !file_step_rename_over(replacement->temporary, replacement->path)) {
        file_step_remove(replacement->temporary);
        return 0;
    }
    return 1;
}

void file_remove_leftovers(const char* path)
{
    if (!path) return;
    const char* base = path;
    for (const char* at = path; *at; ++at)
        if (*at == '/' || *at == PATH_SEPARATOR) base = at + 1;
    file_step_remove_entries(std::string_view(path, size_t(base - path)), base, is_temporary_of);
}

} // namespace platform
