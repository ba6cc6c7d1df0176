// Files on POSIX systems, shared by the SDL and the headless backends.
#include "platform/files.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

bool file_exists(const char* path)
{
    FILE* f = std::fopen(path, "r");
    if (!f) return false;
    std::fclose(f);
    return true;
}

long file_read(const char* path, void* out, size_t size)
{
    FILE* f = std::fopen(path, "rb");
    if (!f) return -1;
    const size_t n = std::fread(out, 1, size, f);
    std::fclose(f);
    return long(n);
}

int file_replace(const char* path, const void* data, size_t size)
{
    char temporary[PATH_LIMIT];
    const int n = std::snprintf(temporary, sizeof temporary, "%s.new", path);
    if (n < 0 || size_t(n) >= sizeof temporary) return 0;
    const int fd = ::open(temporary, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return 0;
    const auto* bytes = static_cast<const char*>(data);
    size_t done = 0;
    while (done < size) {
        const ssize_t w = ::write(fd, bytes + done, size - done);
        if (w <= 0) break;
        done += size_t(w);
    }
    const bool written = done == size && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || std::rename(temporary, path) != 0) {
        std::remove(temporary);
        return 0;
    }
    return 1;
}

} // namespace platform
