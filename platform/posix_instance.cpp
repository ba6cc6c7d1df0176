// The single-instance claim on POSIX systems, shared by the SDL and the
// headless backends.
//
// The claim is an flock on "<dir>/<name>.lock", held on a descriptor that
// stays open for the run. However a copy ends (a crash, kill -9) the kernel
// drops its lock, so the next copy simply takes the claim over. The lock
// file itself stays: removing it would let a copy that opened the old file
// and a copy that created a new one both hold "the" lock.
//
// Publishing opens a local socket "<dir>/<name>.sock" while the lock is
// held. A thread of the first copy accepts connections from the same user
// only; a later copy connects, writes "raise\n" and leaves, and the first
// copy asks its window to come forward. The window decides whether it is
// visible enough to be raised.
//
// <dir> is the user's runtime directory when it is safe (absolute, a real
// directory, ours, writable by nobody else); otherwise a private directory
// "<TMPDIR or /tmp>/quobbin-<uid>" of mode 0700 that we make and check. When
// neither can be had the game runs without a guard: every claim succeeds and
// signals reach nobody. Two copies are a nuisance; a game that refuses to
// start because /tmp is odd is worse.
#include "platform/instance.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

// Every path the guard makes must also fit a socket address.
constexpr size_t PATH_SIZE = sizeof(sockaddr_un{}.sun_path);
constexpr size_t NAME_LIMIT = 32;
constexpr size_t SUFFIX_LIMIT = 5; // ".lock", ".sock"
constexpr char REQUEST[] = "raise\n";
constexpr size_t REQUEST_SIZE = sizeof REQUEST - 1;
constexpr int LISTEN_BACKLOG = 4;
// How long the first copy waits for a request, and a later copy for the
// first copy to take its connection: a hung or silent peer costs no more.
constexpr int REQUEST_WAIT_MS = 1000;
constexpr int CONNECT_WAIT_MS = 500;

} // namespace

namespace platform {

struct InstanceClaim {
    char dir[PATH_SIZE] = {}; // empty: this run has no guard
    int lock_fd = -1;
    int listen_fd = -1;
    int wake[2] = {-1, -1}; // a byte here tells the listener to stop
    char socket_path[PATH_SIZE] = {};
    std::atomic<Window*> window{nullptr};
    std::thread listener;
};

} // namespace platform

namespace {

void close_fd(int* fd)
{
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
}

bool name_usable(const char* name)
{
    if (!name) return false;
    const size_t n = std::strlen(name);
    return n > 0 && n <= NAME_LIMIT && !std::strchr(name, '/');
}

bool dir_fits(const char* dir)
{
    return std::strlen(dir) + 1 + NAME_LIMIT + SUFFIX_LIMIT < PATH_SIZE;
}

bool compose(char (&out)[PATH_SIZE], const char* dir, const char* name, const char* suffix)
{
    const int n = std::snprintf(out, PATH_SIZE, "%s/%s%s", dir, name, suffix);
    return n > 0 && size_t(n) < PATH_SIZE;
}

// lstat, so that a symbolic link never passes for a directory.
bool runtime_dir_safe(const char* dir, uid_t uid)
{
    struct stat st;
    if (dir[0] != '/' || !dir_fits(dir) || ::lstat(dir, &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == uid && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool private_dir_ready(const char* dir, uid_t uid)
{
    // A new directory gets exactly 0700, whatever the umask took away.
    if (::mkdir(dir, 0700) == 0) ::chmod(dir, 0700);
    struct stat st;
    if (::lstat(dir, &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == uid && (st.st_mode & 07777) == 0700;
}

bool choose_dir(char (&out)[PATH_SIZE])
{
    const uid_t uid = ::getuid();
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime_dir_safe(runtime, uid)) {
        std::snprintf(out, PATH_SIZE, "%s", runtime); // runtime_dir_safe saw that it fits
        return true;
    }
    const char* temporary = std::getenv("TMPDIR");
    if (!temporary || temporary[0] != '/') temporary = "/tmp";
    const int n = std::snprintf(out, PATH_SIZE, "%s/quobbin-%u", temporary, unsigned(uid));
    if (n > 0 && size_t(n) < PATH_SIZE && dir_fits(out) && private_dir_ready(out, uid)) return true;
    out[0] = 0;
    return false;
}

constexpr int HELD_ELSEWHERE = -1;
constexpr int NO_LOCK_HERE = -2;

// The descriptor that holds the lock, or one of the two failures.
int lock_file(const char* path)
{
    // Close-on-exec: a volume control started from the game must not carry
    // the claim on after the game has ended.
    const int fd = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return NO_LOCK_HERE;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid() ||
        ((st.st_mode & 07777) != 0600 && ::fchmod(fd, 0600) != 0)) {
        ::close(fd);
        return NO_LOCK_HERE;
    }
    int locked;
    do locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked == 0) return fd;
    const int error = errno;
    ::close(fd);
    return error == EWOULDBLOCK ? HELD_ELSEWHERE : NO_LOCK_HERE;
}

bool peer_is_us(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && size == sizeof peer &&
           peer.uid == ::getuid();
}

// Exactly the request, within the wait; a stop request ends the wait early.
bool read_request(int peer, int wake)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(REQUEST_WAIT_MS);
    char got[REQUEST_SIZE];
    size_t have = 0;
    while (have < REQUEST_SIZE) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd fds[2] = {{peer, POLLIN, 0}, {wake, POLLIN, 0}};
        const int ready = ::poll(fds, 2, int(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0 || fds[1].revents) return false;
        const ssize_t n = ::read(peer, got + have, REQUEST_SIZE - have);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n <= 0) return false;
        have += size_t(n);
    }
    return std::memcmp(got, REQUEST, REQUEST_SIZE) == 0;
}

void listen_for_signals(platform::InstanceClaim* claim)
{
    for (;;) {
        pollfd fds[2] = {{claim->listen_fd, POLLIN, 0}, {claim->wake[0], POLLIN, 0}};
        const int ready = ::poll(fds, 2, -1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0 || fds[1].revents) return;
        const int peer = ::accept4(claim->listen_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (peer < 0) {
            // Out of descriptors, say: wait a little rather than spin, but
            // still stop at once when asked.
            if (errno != EINTR && errno != EAGAIN && errno != ECONNABORTED) ::poll(&fds[1], 1, 100);
            continue;
        }
        if (peer_is_us(peer) && read_request(peer, claim->wake[0]))
            platform::window_request_raise(claim->window.load());
        ::close(peer);
    }
}

void unpublish(platform::InstanceClaim* claim)
{
    if (claim->listener.joinable()) {
        const char stop = 1;
        while (::write(claim->wake[1], &stop, 1) < 0 && errno == EINTR) {
        }
        claim->listener.join();
    }
    close_fd(&claim->listen_fd);
    close_fd(&claim->wake[0]);
    close_fd(&claim->wake[1]);
    if (claim->socket_path[0]) ::unlink(claim->socket_path);
    claim->socket_path[0] = 0;
}

bool socket_address(const char* path, sockaddr_un* address)
{
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    const size_t n = std::strlen(path);
    if (n >= sizeof address->sun_path) return false;
    std::memcpy(address->sun_path, path, n + 1);
    return true;
}

} // namespace

namespace platform {

int instance_claim(const char* name, InstanceClaim** claim)
{
    if (!claim || !name_usable(name)) return 0;
    auto* c = new (std::nothrow) InstanceClaim;
    if (!c) return 0;
    char lock_path[PATH_SIZE];
    if (choose_dir(c->dir) && compose(lock_path, c->dir, name, ".lock")) {
        const int fd = lock_file(lock_path);
        if (fd == HELD_ELSEWHERE) {
            delete c;
            return 0;
        }
        c->lock_fd = fd;
    }
    if (c->lock_fd < 0) c->dir[0] = 0;
    *claim = c;
    return 1;
}

void instance_signal_first(const char* name)
{
    char dir[PATH_SIZE];
    char path[PATH_SIZE];
    sockaddr_un address;
    if (!name_usable(name) || !choose_dir(dir) || !compose(path, dir, name, ".sock") || !socket_address(path, &address))
        return;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    // The send timeout also bounds connect on a local socket whose backlog
    // is full, so a hung first copy cannot hang this one.
    const timeval wait{0, CONNECT_WAIT_MS * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
    // No socket yet (the first copy has not published) or nobody listening
    // (it died): there is nothing to bring forward.
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 && peer_is_us(fd))
        ::send(fd, REQUEST, REQUEST_SIZE, MSG_NOSIGNAL);
    ::close(fd);
}

int instance_publish(InstanceClaim* claim, const char* name, Window* window)
{
    if (!claim) return 0;
    claim->window.store(window);
    // Already listening: later signals name the new window.
    if (claim->listener.joinable()) return 1;
    // A run without a guard has nobody to tell.
    if (claim->lock_fd < 0) return 1;
    char path[PATH_SIZE];
    sockaddr_un address;
    if (!name_usable(name) || !compose(path, claim->dir, name, ".sock") || !socket_address(path, &address)) return 0;
    // A copy that died leaves its socket behind; the lock says it is gone.
    ::unlink(path);
    claim->listen_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (claim->listen_fd < 0) return 0;
    if (::bind(claim->listen_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close_fd(&claim->listen_fd);
        return 0;
    }
    std::memcpy(claim->socket_path, path, sizeof path);
    // Nobody can connect before listen, so the mode is right before anyone
    // could use the socket.
    if (::chmod(path, 0600) != 0 || ::listen(claim->listen_fd, LISTEN_BACKLOG) != 0 ||
        ::pipe2(claim->wake, O_CLOEXEC) != 0) {
        unpublish(claim);
        return 0;
    }
    try {
        claim->listener = std::thread(listen_for_signals, claim);
    } catch (const std::system_error&) {
        unpublish(claim);
        return 0;
    }
    return 1;
}

void instance_release(InstanceClaim* claim)
{
    if (!claim) return;
    unpublish(claim);
    // Unlocking first lets go even when a forked child still shares the
    // descriptor.
    if (claim->lock_fd >= 0) ::flock(claim->lock_fd, LOCK_UN);
    close_fd(&claim->lock_fd);
    delete claim;
}

} // namespace platform
