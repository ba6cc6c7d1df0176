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

#include "platform/types.h"
#include "platform/window.h"

// The window's handle; null for no window.
HWND win32_hwnd(platform::Window* window);
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
