// How big the Linux game shows its picture: each game pixel as an s x s
// block of the screen's own pixels, in a window of that size or fullscreen
// at the largest s that fits, centred on black. The keys that change it
// (Alt+Enter and F11 for fullscreen, Ctrl+plus and Ctrl+minus for the
// window's scale) are taken here before the game sees them, and what they
// chose is remembered in the settings file.
#pragma once

#include "platform/sdl/sdl_options.h"
#include "platform/sdl/sdl_settings.h"

#include <SDL.h>

// The command line's choices over the remembered ones; before the window.
void sdl_view_configure(const Options& options, const Settings& remembered);
// Flags the game's window is made with.
Uint32 sdl_view_window_flags();
// Sizes the window for a picture of width x height at the chosen scale, or
// at the largest scale whose window (frame included) fits the work area.
void sdl_view_size_window(SDL_Window* window, int width, int height);
// The window has been placed and shown: a window whose frame has only now
// become known is made smaller when it no longer fits, and a game asked to
// start fullscreen goes fullscreen.
void sdl_view_shown(SDL_Window* window);
// True when the key was one of the view's (and so not the game's).
bool sdl_view_key(SDL_Window* window, const SDL_KeyboardEvent& key);

// Where a picture of pw x ph goes on an output of ow x oh pixels: the
// largest whole scale that fits (at least 1), centred.
SDL_Rect sdl_view_place(int ow, int oh, int pw, int ph);
