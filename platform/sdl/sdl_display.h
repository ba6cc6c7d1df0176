// What the SDL window tells its display.
#pragma once

#include "platform/window.h"

// What the window showed may be gone: the next present writes the whole
// picture.
void sdl_display_device_reset();
// The window is about to go; its renderer must go first.
void sdl_display_window_gone(platform::Window* window);
// Shows the last presented picture again, whole, as when the window is
// uncovered or resized.
void sdl_display_repaint();
