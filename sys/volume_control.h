// The menu's volume command: start the system's volume control.
#pragma once

#include "platform/window.h"

// Tries the platform's volume controls in order of preference and stops at
// the first that starts; none while one the game started is still running.
// 1 when one is running, 0 when none could be started.
int open_volume_control(platform::Window* window);
