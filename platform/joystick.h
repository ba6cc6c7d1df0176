// The first attached joystick, opened and held for the run; nothing reads it.
#pragma once

#include "platform/window.h"

namespace platform {

int joystick_open(Window* window);
void joystick_close();

} // namespace platform
