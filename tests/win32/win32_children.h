// Other copies of the test program, for what only separate processes show:
// the single-instance guard, the folder a program runs from, launching. The
// program plays a role when its arguments name one ("--quobbin-role ..."),
// and a volume control when it has been copied under a volume control's
// name; otherwise it runs the tests.
#pragma once

#include "platform/win32/win32_platform.h"

#include <functional>
#include <string>
#include <vector>

namespace children {

inline constexpr const char* ROLE = "--quobbin-role";
// Exit codes of the roles: the step they were asked for went one way or
// the other. Neither is an exit code a crash or Windows would give.
inline constexpr int ENDED = 10;
inline constexpr int RAN = 11;

// The event a volume control copy waits for before it ends, so that the
// test sees every copy that was started while they all still run.
inline constexpr const char* VOLUME_RELEASE_EVENT = "quobbin-test-volume-release";

// The named events (go, done) and semaphores (won, lost) of a race of
// copies are the race's name followed by these.
inline constexpr const char* RACE_GO = " go";
inline constexpr const char* RACE_DONE = " done";
inline constexpr const char* RACE_WON = " won";
inline constexpr const char* RACE_LOST = " lost";

// Plays the role the arguments or the program's name ask for and returns
// its exit code; -1 when there is none and the tests should run.
int run_role(int argc, char** argv);

// The full path of this program.
std::string self();
// A fresh empty folder in the temporary folder, its name containing what;
// removed with everything in it when the Folder goes.
struct Folder {
    explicit Folder(const char* what);
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::string path;
};
// Names of our own for named objects, so no other run and no real game meets them.
std::string unique_name(const char* what);

// Starts a program with these arguments, in cwd when given; null on failure.
HANDLE start(const std::string& exe, const std::vector<std::string>& args, const char* cwd = nullptr);
// Waits for a process that must end, without taking any messages meanwhile,
// and closes it: its exit code, or -1 when it did not end after a long while.
int finish(HANDLE process);
// Polls for something that must happen, taking this thread's window
// messages meanwhile; gives up only after a generous while.
bool eventually(const std::function<bool()>& done);
// Takes every message waiting for this thread's windows.
void pump();

// A small file, whole; false when it cannot be opened or written.
bool read_text(const std::string& path, std::string* text);
bool write_text(const std::string& path, const std::string& text);

} // namespace children
