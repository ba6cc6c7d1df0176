// The main window and its message queue. The rooms see a window handle, the
// messages of types.h, and a handler that the backend calls for each message
// it dispatches (or sends directly, as creation and activation are).
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <span>

namespace platform {

struct Window;

using MessageHandler = intptr_t (*)(Window* window, uint32_t message, uintptr_t wparam, intptr_t lparam);

// The messages the handler is given, and no others: the Win32 window hands
// these on and answers the rest itself, the headless queue hands on no
// others either, and the SDL backend makes no others. The game's handler
// (app/main_window.cpp) has a case for each.
inline constexpr uint32_t HANDLER_MESSAGES[] = {
    WM_CREATE,      WM_SIZE,      WM_ACTIVATE,    WM_CLOSE,     WM_KEYDOWN,    WM_KEYUP,
    WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_CANCELMODE, WM_COMMAND,
};
constexpr bool handler_message(uint32_t message)
{
    for (uint32_t m : HANDLER_MESSAGES)
        if (m == message) return true;
    return false;
}

// Makes the hidden main window; the handler gets WM_CREATE before this returns.
Window* window_create(MessageHandler handler);
void window_destroy(Window* window);
void window_set_title(Window* window, const char* title);
// Sizes the window so that its client area shows a picture of width x
// height: that many pixels, or on Linux each pixel an s x s block at the
// player's scale (platform/sdl/sdl_view.h).
void window_set_client_size(Window* window, int width, int height);
void window_show(Window* window);
// The window rectangle in screen coordinates, and the distance from its
// top-left corner to the client area's.
quobbin::RECT window_rect(Window* window);
void window_client_offset(int* x, int* y);

// True when a message is waiting; nothing is taken from the queue.
bool message_peek();
// Takes the next message, waiting for one. False when it is the quit message.
bool message_get(Message* message);
// Waits until a message is queued or ms milliseconds have passed, whichever
// comes first; nothing is taken from the queue. It may end early.
void message_wait(uint32_t ms);
// Hands a message to the window's handler.
void message_dispatch(const Message& message);
void post_quit();

// Keys that stand for menu commands where the window has no menu bar:
// with Ctrl held, the key becomes WM_COMMAND with the command number.
struct Accelerator {
    uint8_t vk;
    uint32_t command;
};
void window_set_accelerators(Window* window, std::span<const Accelerator> accelerators);

// A modal message box with an OK button.
void message_box(const char* text, const char* caption);
// The About box, modal: the game's title, its date and its maker, and OK.
// Where the system has no dialog of the game's own it is a message box.
void about_box(Window* owner, const char* title, const char* date, const char* maker);
// A line for a debugger attached to the program; dropped where there is none.
void debug_output(const char* text);

// Asks for the window to be restored and brought to the front, if it is
// visible. Safe to call from any thread: the request is carried out on the
// window's own thread while messages are processed. A request may still
// name the window after it was destroyed (the single-instance guard is
// released last); such a request is ignored.
void window_request_raise(Window* window);

void mouse_capture(Window* window);
void mouse_release();

// The system's own handle of the window (on Windows its HWND), for what
// another process must find: the single-instance claim publishes it. 0
// where the window has none.
uintptr_t window_system_handle(Window* window);

} // namespace platform
