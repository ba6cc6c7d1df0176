// SDL key events in the virtual-key codes Windows would send for them.
#pragma once

#include <SDL.h>

#include <cstdint>

// 0 for a key Windows has no code for (or the game never needs).
uint8_t sdl_key_to_vk(const SDL_Keysym& key);
