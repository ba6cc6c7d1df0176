// The SDL main window's record, read by the window (sdl_window.cpp) and by
// the display that presents into it (sdl_display.cpp).
#pragma once

#include "platform/window.h"

#include <SDL.h>

#include <vector>

namespace platform {

struct Window {
    SDL_Window* sdl = nullptr;
    MessageHandler handler = nullptr;
    std::vector<Accelerator> accelerators;
    bool shown = false;  // shown at least once; minimised or not now
    int connection = -1; // the X server connection's descriptor; -1 elsewhere
};

} // namespace platform

inline SDL_Window* sdl_window_of(platform::Window* window)
{
    return window ? window->sdl : nullptr;
}
