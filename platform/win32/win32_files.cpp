// Files on Windows, with the same rules as on POSIX systems: only a file on
// a disk is read, never a directory, a device (a path may name "CON" or a
// pipe) or anything else that could keep the game waiting; and a file is
// replaced through a temporary of our own beside it, created only where
// nothing stands (so never through a link, never over a leftover), flushed
// to the disk and moved over the old file in one step.
#include "platform/win32/win32_platform.h"

#include "platform/files.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// How many names a replacement tries before it gives up: one is taken only
// when an earlier write of a copy with the same process id was cut short.
constexpr unsigned TEMPORARY_TRIES = 64;
// Reads and writes go in pieces that fit Windows' 32-bit counts.
constexpr size_t CHUNK = size_t(1) << 30;
// Others may read, write, rename or delete the file while we look at it.
constexpr DWORD SHARE_ALL = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A file on a disk, not a directory: what the game may read or replace.
bool regular(HANDLE h, LARGE_INTEGER* size)
{
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info) &&
           !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (!size || GetFileSizeEx(h, size));
}

// A handle of the regular file at path, open for reading, or
// INVALID_HANDLE_VALUE. Opening a directory this way fails already; devices
// and pipes open, and are turned away before a byte is read.
HANDLE open_regular(const char* path, LARGE_INTEGER* size)
{
    if (!path) return INVALID_HANDLE_VALUE;
    const HANDLE h = CreateFileA(path, GENERIC_READ, SHARE_ALL, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE || regular(h, size)) return h;
    CloseHandle(h);
    return INVALID_HANDLE_VALUE;
}

// Whatever stands at the path may be replaced when it is nothing or a
// regular file. A link to a file is replaced itself; what it points to is
// never written. Backup semantics let a directory open, so it can be seen
// for what it is.
bool replaceable(const char* path)
{
    const HANDLE h =
        CreateFileA(path, FILE_READ_ATTRIBUTES, SHARE_ALL, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    const bool ok = regular(h, nullptr);
    CloseHandle(h);
    return ok;
}

bool write_all(HANDLE h, const char* bytes, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const DWORD want = DWORD(std::min(size - done, CHUNK));
        DWORD wrote = 0;
        if (!WriteFile(h, bytes + done, want, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

// Something, whatever it is, already has the name.
bool taken(const char* path, DWORD error)
{
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
           GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

namespace platform {

bool file_exists(const char* path)
{
    const HANDLE h = open_regular(path, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

// A file too large for a long is of no use to the game: it reads as absent.
long file_size(const char* path)
{
    LARGE_INTEGER size{};
    const HANDLE h = open_regular(path, &size);
    if (h == INVALID_HANDLE_VALUE) return -1;
    CloseHandle(h);
    return size.QuadPart <= LONG_MAX ? long(size.QuadPart) : -1;
}

long file_read(const char* path, void* out, size_t size)
{
    const HANDLE h = open_regular(path, nullptr);
    if (h == INVALID_HANDLE_VALUE) return -1;
    if (size > size_t(LONG_MAX)) size = size_t(LONG_MAX); // the count must fit the result
    auto* bytes = static_cast<char*>(out);
    size_t done = 0;
    while (done < size) {
        const DWORD want = DWORD(std::min(size - done, CHUNK));
        DWORD got = 0;
        if (!ReadFile(h, bytes + done, want, &got, nullptr) || got == 0) break;
        done += got;
    }
    CloseHandle(h);
    return long(done);
}

int file_replace_open(const char* path, FileReplacement* replacement)
{
    if (!path || !replacement) return 0;
    *replacement = FileReplacement{};
    const int n = std::snprintf(replacement->path, sizeof replacement->path, "%s", path);
    if (n < 0 || size_t(n) >= sizeof replacement->path || !replaceable(path)) return 0;
    for (unsigned attempt = 0; attempt < TEMPORARY_TRIES; ++attempt) {
        char* temporary = replacement->temporary;
        const int m = std::snprintf(temporary, PATH_LIMIT, "%s.%lu-%u.new", path,
                                    static_cast<unsigned long>(GetCurrentProcessId()), attempt);
        if (m < 0 || size_t(m) >= PATH_LIMIT) return 0;
        // CREATE_NEW fails on any name that is taken, a link included; the
        // link is not followed either.
        const HANDLE h = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            replacement->handle = reinterpret_cast<intptr_t>(h);
            return 1;
        }
        if (!taken(temporary, GetLastError())) return 0;
    }
    return 0;
}

int file_replace_commit(FileReplacement* replacement, const void* data, size_t size)
{
    // -1 is no handle, as INVALID_HANDLE_VALUE is.
    if (!replacement || replacement->handle == -1) return 0;
    const auto h = reinterpret_cast<HANDLE>(replacement->handle);
    replacement->handle = -1;
    const bool written = write_all(h, static_cast<const char*>(data), size) && FlushFileBuffers(h);
    if (!CloseHandle(h) || !written ||
        !MoveFileExA(replacement->temporary, replacement->path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(replacement->temporary);
        return 0;
    }
    return 1;
}

// DeleteFileA takes a link itself and refuses a directory, which the
// search marks anyway.
void file_remove_leftovers(const char* path)
{
    if (!path) return;
    const char* slash = nullptr;
    for (const char* at = path; *at; ++at)
        if (*at == '\\' || *at == '/') slash = at;
    const std::string_view base = slash ? slash + 1 : path;
    const int folder = slash ? int(slash + 1 - path) : 0;
    char pattern[PATH_LIMIT];
    const int n = std::snprintf(pattern, sizeof pattern, "%s.*.new", path);
    if (n < 0 || size_t(n) >= sizeof pattern) return;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !is_temporary_of(found.cFileName, base)) continue;
        char leftover[PATH_LIMIT];
        const int m = std::snprintf(leftover, sizeof leftover, "%.*s%s", folder, path, found.cFileName);
        if (m > 0 && size_t(m) < sizeof leftover) DeleteFileA(leftover);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace platform
