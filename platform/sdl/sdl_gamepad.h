// Game controllers on SDL, as keys: each pad button the game uses goes
// down and up in the key table under a code of its own (GAMEPAD_A and the
// rest, platform/types.h), sent as WM_KEYDOWN and WM_KEYUP like a key.
// Several pads count as one: a button is down while any pad holds it, and
// a pad unplugged lets go of whatever it held.
#pragma once

#include <SDL.h>

#include <cstdint>

// Where the key messages go: the window's queue in the game.
using GamepadKeySink = void (*)(uint32_t message, uint8_t vk);

// Starts SDL's game-controller subsystem and opens every pad attached now;
// false when the subsystem cannot start. Pads plugged in later arrive as
// events.
bool sdl_gamepads_open();
// Closes every pad and stops the subsystem. No key messages are sent.
void sdl_gamepads_close();
// How many pads are open.
int sdl_gamepad_count();
// Takes a pad's event (attached, removed, a button down or up) and sends
// the key messages it makes; false for any other event.
bool sdl_gamepad_event(const SDL_Event& e, GamepadKeySink sink);
