// The menu's volume command: start the system's volume control.
#pragma once

#include "platform/window.h"

// Tries the platform's volume controls in order of preference and stops at
// the first that starts. 1 when one started, 0 when none did.
int open_volume_control(platform::Window* window);
