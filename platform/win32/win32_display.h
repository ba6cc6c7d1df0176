// What the other pieces of the Win32 backend need of the display: a GDI
// device context that draws into a surface in the surface's own format
// (the bitmap copy), and the DirectDraw object itself.
#pragma once

#include "platform/win32/win32_platform.h"

#include "platform/graphics.h"

#include <ddraw.h>

// Null when the surface cannot give one (lost, or already locked). A
// context that was given must go back before the surface is drawn on again.
HDC win32_surface_dc(platform::Surface* surface);
void win32_surface_release_dc(platform::Surface* surface, HDC dc);

// The display's DirectDraw object, for what only DirectDraw itself can do
// (the tests change the display mode with it, which takes every surface's
// memory away as it would on a player's desktop).
IDirectDraw* win32_ddraw(platform::Display* display);

// Cuts a present's destination to the desktop of every monitor, and its
// source (one to one) by the same rows and columns. False when nothing is
// left.
bool win32_present_cut(::RECT* dest, ::RECT* src, const ::RECT& desktop);
