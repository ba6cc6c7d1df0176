// What the Win32 backend's tests ask of Windows itself, kept apart from
// <windows.h>, whose RECT is not the game's. Other copies of the test
// program, for what only separate processes show: the single-instance
// guard. The program plays a role when its arguments name one
// ("--quobbin-role ..."); otherwise it runs the tests. And a display mode
// change, and a surface's pixels.
#pragma once

#include "platform/graphics.h"
#include "platform/window.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace children {

inline constexpr const char* ROLE = "--quobbin-role";
// Exit codes of the roles: the step they were asked for went one way or
// the other. Neither is an exit code a crash or Windows would give.
inline constexpr int ENDED = 10;
inline constexpr int RAN = 11;

// The full path of this program.
std::string self();
// Names of our own for named objects and folders, so no other run and no
// real game meets them.
std::string unique_name(const char* what);
// A fresh empty folder in the temporary folder, removed with everything in
// it when the Folder goes.
struct Folder {
    explicit Folder(const char* what);
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    std::string path;
};

// Starts a program with these arguments, in cwd when given: its process
// handle, or null on failure.
void* start(const std::string& exe, const std::vector<std::string>& args, const char* cwd = nullptr);
// Waits for a process that must end, without taking any messages meanwhile,
// and closes it: its exit code, or -1 when it did not end after a long while.
int finish(void* process);
// Polls for something that must happen, taking this thread's window
// messages meanwhile; gives up only after a generous while.
bool eventually(const std::function<bool()>& done);
// Takes every message waiting for this thread's windows (Wine maps and
// moves windows through them).
void pump();

} // namespace children

// Sets the display mode the desktop already has through the game's own
// DirectDraw object; DirectDraw then takes the memory of every surface
// that can lose it. False when the mode could not be set.
bool change_display_mode(platform::Display* display);

// A surface's pixels as native values, row after row. Only the colour's
// own bits count: what a fill leaves in the unused byte of a 32-bit pixel
// is the driver's business (Wine sets it).
struct Picture {
    int width = 0;
    int height = 0;
    uint32_t masks[3] = {};
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    bool operator==(const Picture&) const = default;
};

Picture picture_of(platform::Surface* surface);
