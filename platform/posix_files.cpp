// Files on POSIX systems, shared by the SDL and the headless backends.
//
// Every open is non-blocking and checked to be a regular file before a byte
// is read: a FIFO planted under a file's name would otherwise hold the game
// until somebody wrote to it. Replacement goes through a temporary created
// with O_EXCL, so a link or a stale file under its name can never redirect
// the write.
#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How many names a replacement tries before it gives up: one is taken only
// when an earlier write of a copy with the same process id was killed.
constexpr unsigned TEMPORARY_TRIES = 64;

// A descriptor of the regular file at path, open for reading, or -1.
int open_regular(const char* path, struct stat* info)
{
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    if (::fstat(fd, info) != 0 || !S_ISREG(info->st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool write_all(int fd, const char* bytes, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t w = ::write(fd, bytes + done, size - done);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        done += size_t(w);
    }
    return true;
}

// Whatever stands at the path may be replaced when it is nothing, a
// regular file, or a link that leads nowhere (the link itself is replaced;
// what it pointed to is never created).
bool replaceable(const char* path)
{
    struct stat info {};
    if (::stat(path, &info) == 0) return S_ISREG(info.st_mode);
    return errno == ENOENT;
}

} // namespace

namespace platform {

bool file_exists(const char* path)
{
    struct stat info {};
    const int fd = open_regular(path, &info);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

long file_size(const char* path)
{
    struct stat info {};
    const int fd = open_regular(path, &info);
    if (fd < 0) return -1;
    ::close(fd);
    return long(info.st_size);
}

long file_read(const char* path, void* out, size_t size)
{
    struct stat info {};
    const int fd = open_regular(path, &info);
    if (fd < 0) return -1;
    auto* bytes = static_cast<char*>(out);
    size_t done = 0;
    while (done < size) {
        const ssize_t r = ::read(fd, bytes + done, size - done);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        done += size_t(r);
    }
    ::close(fd);
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
        const int m = std::snprintf(temporary, PATH_LIMIT, "%s.%ld-%u.new", path, long(::getpid()), attempt);
        if (m < 0 || size_t(m) >= PATH_LIMIT) return 0;
        // The usual permissions: what the user's umask leaves of rw-rw-rw-.
        const int fd = ::open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            replacement->handle = fd;
            return 1;
        }
        if (errno != EEXIST) return 0;
    }
    return 0;
}

int file_replace_commit(FileReplacement* replacement, const void* data, size_t size)
{
    if (!replacement || replacement->handle < 0) return 0;
    const int fd = int(replacement->handle);
    replacement->handle = -1;
    const bool written = write_all(fd, static_cast<const char*>(data), size) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || std::rename(replacement->temporary, replacement->path) != 0) {
        std::remove(replacement->temporary);
        return 0;
    }
    return 1;
}

void file_remove_leftovers(const char* path)
{
    if (!path) return;
    const char* slash = std::strrchr(path, '/');
    char folder[PATH_LIMIT] = ".";
    if (slash) {
        const int n = std::snprintf(folder, sizeof folder, "%.*s", int(slash == path ? 1 : slash - path), path);
        if (n < 0 || size_t(n) >= sizeof folder) return;
    }
    const std::string_view base = slash ? slash + 1 : path;
    DIR* dir = ::opendir(folder);
    if (!dir) return;
    // unlinkat without AT_REMOVEDIR takes a link itself and refuses a directory.
    while (const dirent* entry = ::readdir(dir))
        if (is_temporary_of(entry->d_name, base)) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    ::closedir(dir);
}

} // namespace platform
