// The main window's message handler: keys and mouse buttons into the key
// table, the menu commands, and the activation that freezes the game while
// the window is inactive or minimised. The frame loop reads what the
// messages leave here: whether the window is active, and whether a reset
// was asked for (by the menu, or by F2 on the pause screen).
#pragma once

#include "platform/window.h"
#include "res/resource_ids.h" // COMMAND_CLOSE and the other menu commands

#include <cstdint>

// Where the window has no menu bar, the commands are keys with Ctrl:
// R reset, M volume (mixer), I about, Q close.
inline constexpr platform::Accelerator MENU_KEYS[] = {
    {'R', COMMAND_RESET},
    {'M', COMMAND_VOLUME},
    {'I', COMMAND_ABOUT},
    {'Q', COMMAND_CLOSE},
};

// The About box's three lines.
inline constexpr const char* ABOUT_TITLE = "Quobbin";
inline constexpr const char* ABOUT_DATE = "2007 / 10";
inline constexpr const char* ABOUT_MAKER = "Orbane";

intptr_t main_window_proc(platform::Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam);
int window_active();
void request_reset(int flag);
int reset_requested();
// Back to the state before any window existed, with no reset asked for.
void main_window_state_reset();
