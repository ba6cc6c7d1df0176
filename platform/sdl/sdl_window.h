// What the SDL window's message pump offers a message box of our own
// (sdl_message_box.cpp), which runs its modal loop on the same events.
#pragma once

#include <SDL.h>

// The next event, or false after a few milliseconds without one. A wait
// looks again and again, rather than blocking in SDL: SDL's blocking wait
// wakes itself with an X event sent to the newest window over a second
// connection, and when that window is a message box closed by the very
// event that woke the wait, the wake-up can reach the server after the
// box is gone; Xlib calls that a bad window and ends the program with 1.
// Looking every few milliseconds also sees Ctrl+C and SIGTERM at once.
bool sdl_next_event(SDL_Event* e);
// Turns one event into the game's messages, as the message pump does.
void sdl_window_translate(const SDL_Event& e);
// True when the video subsystem is up on a driver whose windows somebody
// can see (not one that draws into memory).
bool sdl_video_shows_windows();
// The game's window when it is on the screen, to own and centre a box.
SDL_Window* sdl_box_owner();
// A message box opens over the game (null: it has closed). Meanwhile the
// game's window is disabled, as a Windows dialog disables its owner: its
// keys, clicks and close box count for nothing, and when it takes the
// focus or is asked to come forward, the box comes forward over it. When
// the box closes the game's window gets the focus back.
void sdl_window_set_modal_box(SDL_Window* box);
