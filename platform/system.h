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
RECT work_area();
// Moves the window's top-left corner (its frame included) to (x, y),
// keeping its size, and shows it.
void window_move_and_show(Window* window, int x, int y);
// Starts a program found on the search path, with its arguments (argv[0]
// is the program; the list ends with null). 1 when it started, 0 when not.
int launch(const char* const* argv);

// One way to start a volume control: an argv for launch, ended by null.
inline constexpr size_t VOLUME_COMMAND_ARGS = 4;
using VolumeCommand = std::array<const char*, VOLUME_COMMAND_ARGS>;
// The system's volume controls, the most preferred first.
std::span<const VolumeCommand> volume_control_commands();

} // namespace platform
