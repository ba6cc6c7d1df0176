// The game's pads behind the input room's joystick_open and joystick_close,
// opened at start-up and closed at shutdown: every pad, now or plugged in
// later, whose buttons reach the key table as keys of their own (GAMEPAD_A
// and the rest, types.h): game controllers on SDL, XInput pads on Windows,
// where the first joystick attached is also held for the run, never read.
#pragma once

#include "platform/window.h"

namespace platform {

int gamepads_open(Window* window);
void gamepads_close();

} // namespace platform
