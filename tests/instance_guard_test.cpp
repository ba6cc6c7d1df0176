// The single-instance guard across processes: one claim at a time, taken
// over from a copy that died; a later copy's signal reaches the first copy's
// window once it is published and not before; modes and the choice of
// directory; peers that say the wrong words, never speak or never answer.
// (The listener also hangs up on other users, but once the directory
// checks hold only the superuser could reach it.)
#include "platform/headless/headless.h"
#include "platform/headless/headless_system.h"
#include "platform/instance.h"
#include "support/eventually.h"
#include "sys/instance_guard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* MUTEX = "murvale";
constexpr const char* MAPPING = "map_murvale";

// The listener thread raises on its own time: wait for the count, then
// make sure it is exactly that.
bool raised(int count)
{
    return eventually([count] { return headless::raise_requests() >= count; }) && headless::raise_requests() == count;
}

// The permission bits and type, or 0 when there is nothing there.
mode_t mode_of(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

// A socket connected to path by hand, or (listening) bound there with this
// backlog; -1 when that fails.
int local_socket(const std::string& path, int flags = 0, int listening = -1)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | flags, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    const auto* a = reinterpret_cast<const sockaddr*>(&address);
    if (listening < 0 ? ::connect(fd, a, sizeof address) == 0
                      : ::bind(fd, a, sizeof address) == 0 && ::listen(fd, listening) == 0)
        return fd;
    ::close(fd);
    return -1;
}

class InstanceGuardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        char pattern[] = "/tmp/quobbin-guard-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root = pattern;
        runtime = root + "/run";
        temporary = root + "/tmp";
        fallback = temporary + "/quobbin-" + std::to_string(::getuid());
        sock = runtime + "/map_murvale.sock";
        ::mkdir(runtime.c_str(), 0700);
        ::mkdir(temporary.c_str(), 0755);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        ::setenv("TMPDIR", temporary.c_str(), 1);
        window = platform::window_create(nullptr);
        instance_guard_init(&first);
        instance_guard_init(&second);
    }
    void TearDown() override
    {
        instance_guard_release(&first);
        instance_guard_release(&second);
        platform::window_destroy(window);
        ::unsetenv("XDG_RUNTIME_DIR");
        ::unsetenv("TMPDIR");
        fs::remove_all(root);
    }

    std::string root, runtime, temporary, fallback, sock;
    platform::Window* window = nullptr;
    InstanceGuard first;
    InstanceGuard second;
};

TEST_F(InstanceGuardTest, SecondCopyEndsAndBringsTheFirstForwardOncePublished)
{
    EXPECT_EQ(instance_guard_publish(&first, MUTEX, MAPPING, window), 0) << "nothing claimed yet";

    // A copy in another process claims and publishes, and is killed: its
    // claim goes with it, its socket stays behind with nobody answering.
    const pid_t killed = ::fork();
    if (killed == 0) {
        InstanceGuard guard;
        instance_guard_init(&guard);
        if (instance_guard_check(&guard, MUTEX, MAPPING)) instance_guard_publish(&guard, MUTEX, MAPPING, nullptr);
        ::_exit(::pause());
    }
    ASSERT_TRUE(eventually([&] { return mode_of(sock) == (S_IFSOCK | 0600); })) << "the copy never published";
    EXPECT_EQ(instance_guard_check(&first, MUTEX, MAPPING), 0);
    ::kill(killed, SIGKILL);
    ::waitpid(killed, nullptr, 0);

    ASSERT_EQ(instance_guard_check(&first, MUTEX, MAPPING), 1);
    // Claimed but not yet published: the second copy ends, touching nobody.
    EXPECT_EQ(instance_guard_check(&second, MUTEX, MAPPING), 0);
    EXPECT_EQ(second.claim, nullptr);
    ASSERT_EQ(instance_guard_publish(&first, MUTEX, MAPPING, window), 1);

    EXPECT_EQ(instance_guard_check(&second, MUTEX, MAPPING), 0);
    ASSERT_TRUE(raised(1)) << "only the signal sent after publishing";
    EXPECT_EQ(headless::last_raise_window(), window);

    // After the first copy ends a new copy starts normally.
    instance_guard_release(&first);
    instance_guard_release(&first);
    EXPECT_EQ(mode_of(sock), 0u);
    EXPECT_EQ(instance_guard_check(&second, MUTEX, MAPPING), 1);
    EXPECT_EQ(instance_guard_publish(&second, MUTEX, MAPPING, window), 1);
}

TEST_F(InstanceGuardTest, TheClaimLivesOnlyInAPrivateDirectory)
{
    const std::string elsewhere = root + "/elsewhere";
    ::mkdir(elsewhere.c_str(), 0700);
    // The lock stays where it was made, so each claim starts afresh.
    const auto use_fallback = [&](const char* why) {
        fs::remove_all(fallback);
        platform::InstanceClaim* claim = nullptr;
        ASSERT_EQ(platform::instance_claim(MUTEX, &claim), 1) << why;
        EXPECT_EQ(mode_of(fallback + "/murvale.lock"), S_IFREG | 0600) << why;
        EXPECT_EQ(mode_of(runtime + "/murvale.lock"), 0u) << why; // through the link: elsewhere
        platform::instance_release(claim);
    };
    ::chmod(runtime.c_str(), 0720);
    use_fallback("group writable");
    ::rmdir(runtime.c_str());
    ::symlink(elsewhere.c_str(), runtime.c_str());
    use_fallback("a symbolic link");
    ::unlink(runtime.c_str());
    ::close(::open(runtime.c_str(), O_CREAT | O_WRONLY, 0600));
    use_fallback("a file");
    ::unlink(runtime.c_str());
    ::mkdir(runtime.c_str(), 0700);
    if (::getuid() == 0) {
        ASSERT_EQ(::chown(runtime.c_str(), 4321, 4321), 0);
        use_fallback("another user's");
        ASSERT_EQ(::chown(runtime.c_str(), 0, 0), 0);
    }
    ::setenv("XDG_RUNTIME_DIR", "run", 1);
    use_fallback("relative");
    ::unsetenv("XDG_RUNTIME_DIR");
    use_fallback("unset");

    // The private directory, the lock and the socket get their modes
    // whatever the umask.
    for (const mode_t mask : {mode_t(0), mode_t(0777)}) {
        fs::remove_all(fallback);
        const mode_t old = ::umask(mask);
        ASSERT_EQ(instance_guard_check(&first, MUTEX, MAPPING), 1);
        ASSERT_EQ(instance_guard_publish(&first, MUTEX, MAPPING, window), 1);
        ::umask(old);
        EXPECT_EQ(mode_of(fallback), S_IFDIR | 0700) << mask;
        EXPECT_EQ(mode_of(fallback + "/murvale.lock"), S_IFREG | 0600) << mask;
        EXPECT_EQ(mode_of(fallback + "/map_murvale.sock"), S_IFSOCK | 0600) << mask;
        instance_guard_release(&first);
    }

    // No private directory to be had: the game runs unguarded.
    fs::remove_all(fallback);
    ::mkdir(fallback.c_str(), 0755);
    EXPECT_EQ(instance_guard_check(&first, MUTEX, MAPPING), 1);
    EXPECT_EQ(instance_guard_publish(&first, MUTEX, MAPPING, window), 1);
    EXPECT_EQ(instance_guard_check(&second, MUTEX, MAPPING), 1) << "no lock held there";
    EXPECT_EQ(mode_of(fallback + "/map_murvale.sock"), 0u);
    instance_guard_signal_first(MAPPING);
    EXPECT_EQ(headless::raise_requests(), 0);
}

TEST_F(InstanceGuardTest, OnlyTheRequestOfTheSameUserRaises)
{
    ASSERT_EQ(instance_guard_check(&first, MUTEX, MAPPING), 1);
    ASSERT_EQ(instance_guard_publish(&first, MUTEX, MAPPING, window), 1);

    // Says its words and waits until the first copy has dealt with them and
    // hung up (hanging up on unread words resets the connection); the wait
    // is bounded in case it never hangs up.
    const auto hung_up_after = [&](const std::string& words) {
        const int fd = local_socket(sock);
        ::send(fd, words.data(), words.size(), MSG_NOSIGNAL);
        ::shutdown(fd, SHUT_WR);
        const timeval wait{10, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        char byte;
        const ssize_t n = ::read(fd, &byte, 1);
        ::close(fd);
        return n == 0 || (n < 0 && errno == ECONNRESET);
    };
    for (const char* words : {"hello\n", "rais", "", "raise"}) EXPECT_TRUE(hung_up_after(words)) << words;
    EXPECT_EQ(headless::raise_requests(), 0);
    EXPECT_TRUE(hung_up_after("raise\n"));
    EXPECT_EQ(headless::raise_requests(), 1);

    // A copy that connects and says nothing holds up neither later signals
    // nor the release.
    const int silent = local_socket(sock);
    instance_guard_signal_first(MAPPING);
    EXPECT_TRUE(raised(2));
    instance_guard_release(&first);
    ::close(silent);
}

TEST_F(InstanceGuardTest, AHungFirstCopyCannotHangTheSecond)
{
    // A socket that is listened on but never accepted from, its queue full.
    const int hung = local_socket(sock, 0, 0);
    ASSERT_GE(hung, 0);
    std::vector<int> queued;
    for (int fd; queued.size() < 64 && (fd = local_socket(sock, SOCK_NONBLOCK)) >= 0;) queued.push_back(fd);
    std::atomic<bool> returned{false};
    std::thread second_copy([&] {
        instance_guard_signal_first(MAPPING);
        returned = true;
    });
    EXPECT_TRUE(eventually([&] { return returned.load(); })) << "the signal waited for ever";
    for (int fd : queued) ::close(fd);
    ::close(hung); // lets a signal that did hang go at last
    second_copy.join();
}

} // namespace
