// Launching a real program on POSIX systems: a missing program is
// reported as 0 (an unusable one fails the same way, in the spawn); a
// started one runs in a session of its own and is reaped when it ends, so
// it never lingers as a zombie.
#include "platform/system.h"
#include "support/eventually.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
TEST(PosixLaunch, AMissingProgramFailsAndAStartedOneRunsInItsOwnSessionAndIsReaped)
{
    const char* missing[] = {"quobbin-no-such-mixer", nullptr};
    EXPECT_EQ(platform::launch(nullptr, missing), 0);
    const fs::path out = fs::temp_directory_path() / ("quobbin-launch-" + std::to_string(::getpid()));
    const std::string script =
        "cat /proc/$$/stat > '" + out.string() + ".new' && mv '" + out.string() + ".new' '" + out.string() + "'";
    const char* argv[] = {"sh", "-c", script.c_str(), nullptr};
    ASSERT_EQ(platform::launch(nullptr, argv), 1);
    ASSERT_TRUE(eventually([&] { return fs::exists(out); }));

    // pid (comm) state ppid pgrp session ...
    std::ifstream in(out);
    long pid = 0, ppid = 0, group = 0, session = 0;
    std::string comm, state;
    in >> pid >> comm >> state >> ppid >> group >> session;
    EXPECT_EQ(ppid, ::getpid());
    EXPECT_EQ(session, pid);
    EXPECT_NE(session, ::getsid(0));
    EXPECT_TRUE(eventually([&] { return !fs::exists("/proc/" + std::to_string(pid)); })) << "left a zombie";
    fs::remove(out);
}

} // namespace
