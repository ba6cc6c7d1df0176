// The game's pads behind the input room's joystick_open and joystick_close,
// opened at start-up and closed at shutdown. On Windows it is the first
// joystick attached, held for the run and never read; on SDL it is every
// game controller, now or plugged in later, whose buttons reach the key
// table as keys of their own (GAMEPAD_A and the rest, types.h).
#pragma once

#include "platform/window.h"

namespace platform {

int gamepads_open(Window* window);
void gamepads_close();

} // namespace platform
