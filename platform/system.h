// The desktop around the window, and launching other programs.
#pragma once

#include "platform/types.h"
#include "platform/window.h"

#include <array>
#include <cstddef>
#include <span>

namespace platform {

// The part of the desktop that windows may use (without panels and task
// bars), in screen coordinates.
quobbin::RECT work_area();
// Moves the window's top-left corner (its frame included) to (x, y),
// keeping its size, and shows it.
void window_move_and_show(Window* window, int x, int y);
// Starts a program found on the search path (or named by its full path),
// with its arguments (argv[0] is the program; the list ends with null), on
// behalf of the window. 1 when it started, 0 when not.
int launch(Window* owner, const char* const* argv);
// True while a program that launch started is still running.
bool launched_running();

// One way to start a volume control: an argv for launch, ended by null.
// A command that is `always` tried is started even when an earlier one
// already started; the others only while none has.
inline constexpr size_t VOLUME_COMMAND_ARGS = 4;
struct VolumeCommand {
    std::array<const char*, VOLUME_COMMAND_ARGS> argv;
    bool always;
};
// The system's volume controls, in the order they are tried.
std::span<const VolumeCommand> volume_control_commands();

} // namespace platform
