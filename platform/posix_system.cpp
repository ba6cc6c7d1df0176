// Launching programs on POSIX systems, for the SDL backend. A program starts
// in a session of its own, so a volume control stays open when the game
// closes, and a thread of its own waits for it, so it never lingers as a
// zombie while the game runs.
#include "platform/system.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>

extern char** environ;

namespace platform {

namespace {

// Programs started and not yet reaped by their threads.
std::atomic<int> running{0};

void reap(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    --running;
}

} // namespace

int launch(Window*, const char* const* argv)
{
    if (!argv || !argv[0]) return 0;
    posix_spawnattr_t attributes;
    if (::posix_spawnattr_init(&attributes) != 0) return 0;
    // Whatever the game blocks or ignores is none of the program's business.
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    const bool ready = ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK |
                                                                   POSIX_SPAWN_SETSIGDEF) == 0 &&
                       ::posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
                       ::posix_spawnattr_setsigdefault(&attributes, &defaults) == 0;
    pid_t pid = 0;
    // The C library reports a failed exec (no such program, not executable)
    // as the result, so 0 here means the program really is running.
    const int error =
        ready ? ::posix_spawnp(&pid, argv[0], nullptr, &attributes, const_cast<char* const*>(argv), environ) : EINVAL;
    ::posix_spawnattr_destroy(&attributes);
    if (error != 0) return 0;
    ++running;
    try {
        std::thread(reap, pid).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the program still runs; it is reaped when the
        // game ends, and not counted, since nothing would see it end.
        --running;
    }
    return 1;
}

bool launched_running()
{
    return running > 0;
}

} // namespace platform
