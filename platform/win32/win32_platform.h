// What the pieces of the Win32 backend tell each other. Only the backend
// includes <windows.h>; the platform headers name the core's rectangle
// quobbin::RECT, and these helpers turn one into the other.
#pragma once

#define QUOBBIN_WIN32_BACKEND
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <xinput.h>

#include "platform/types.h"
#include "platform/window.h"

// The window's handle; null for no window.
HWND win32_hwnd(platform::Window* window);
// The whole scale the main window shows its picture at (1 for any other).
int win32_window_scale(HWND hwnd);
// The largest whole scale of a DPI (a multiple of 96), at least 1, at which
// a window around a picture of width x height fits a work area this large.
int win32_scale_for(unsigned dpi, int work_width, int work_height, int width, int height);
// The 1 ms timer periods the backend holds (one while a window lives).
int win32_timer_periods();

// XInput's XInputGetState from the system's DLL, which stays loaded until
// *library is freed; null (and no library) where there is none.
using XInputGetStateFunction = DWORD(WINAPI*)(DWORD pad, XINPUT_STATE* state);
XInputGetStateFunction win32_xinput_load(HMODULE* library);
// Reads the pads that gamepads_open found (at most every few ms) and posts
// their changes to its window as key messages.
void win32_gamepads_poll();
// The program's module, whose resources the game uses.
inline HINSTANCE win32_instance()
{
    return GetModuleHandleA(nullptr);
}

inline ::RECT win32_rect(const quobbin::RECT& r)
{
    return ::RECT{r.left, r.top, r.right, r.bottom};
}

inline quobbin::RECT core_rect(const ::RECT& r)
{
    return quobbin::RECT{int32_t(r.left), int32_t(r.top), int32_t(r.right), int32_t(r.bottom)};
}
