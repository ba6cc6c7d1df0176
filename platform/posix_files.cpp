// Files on POSIX systems, shared by the SDL and the headless backends.
//
// Every open is non-blocking and checked to be a regular file before a byte
// is read: a FIFO planted under a file's name would otherwise hold the game
// until somebody wrote to it. Replacement (file_replace.cpp) goes through a
// temporary created with O_EXCL, so a link or a stale file under its name
// can never redirect the write.
#include "platform/file_steps.h"
#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

unsigned long file_step_process_id()
{
    return static_cast<unsigned long>(::getpid());
}

// A link that leads nowhere counts as nothing: the link itself is
// replaced, and what it pointed to is never created.
bool file_step_replaceable(const char* path)
{
    struct stat info {};
    if (::stat(path, &info) == 0) return S_ISREG(info.st_mode);
    return errno == ENOENT;
}

// The usual permissions: what the user's umask leaves of rw-rw-rw-.
intptr_t file_step_create_new(const char* path, bool* taken)
{
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    *taken = fd < 0 && errno == EEXIST;
    return fd;
}

bool file_step_write_and_close(intptr_t handle, const void* data, size_t size)
{
    const int fd = int(handle);
    const bool written = write_all(fd, static_cast<const char*>(data), size) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && written;
}

bool file_step_rename_over(const char* from, const char* to)
{
    return std::rename(from, to) == 0;
}

void file_step_remove(const char* path)
{
    std::remove(path);
}

// unlinkat without AT_REMOVEDIR takes a link itself and refuses a directory.
void file_step_remove_entries(std::string_view folder, std::string_view base,
                              bool (*doomed)(std::string_view name, std::string_view base))
{
    char name[PATH_LIMIT] = ".";
    if (!folder.empty()) {
        const int n = std::snprintf(name, sizeof name, "%.*s", int(folder.size()), folder.data());
        if (n < 0 || size_t(n) >= sizeof name) return;
    }
    DIR* dir = ::opendir(name);
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir))
        if (doomed(entry->d_name, base)) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    ::closedir(dir);
}

} // namespace platform
