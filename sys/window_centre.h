// Puts the main window in the middle of the desktop's work area and shows it.
#pragma once

#include "platform/window.h"

// Centres the window on the work area, keeps it inside that area (a window
// larger than the area ends aligned with its right and bottom edges), keeps
// its size and shows it. The main window is created hidden; this is what
// first shows it.
void window_centre(platform::Window* window);
