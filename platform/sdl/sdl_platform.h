// What the pieces of the SDL backend tell each other.
#pragma once

#include "platform/window.h"

#include <SDL.h>

SDL_Window* sdl_window_of(platform::Window* window);
// The renderer lost its textures (or itself): they are made again at the
// next present.
void sdl_display_device_reset();
// The window is about to go; its renderer must go first.
void sdl_display_window_gone(platform::Window* window);
// Shows the last presented picture again, as when the window is uncovered.
void sdl_display_repaint();
