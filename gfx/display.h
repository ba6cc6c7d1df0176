// The display: the one device, the primary target, the BackBuffer every
// frame is composed on, its present once per frame, and the repair of lost
// surfaces right after it. What the rest of the graphics room reads of it
// (the device, the BackBuffer, view_scale, the bitmap directory) is kept
// in view.h.
#pragma once

#include "gfx/view.h"
#include "platform/graphics.h"
#include "platform/window.h"

int display_init(platform::Window* window, const char* directory);
int display_create_surfaces(platform::Window* window, int width, int height, int scale);
void display_set_client_offset(int x, int y);
int display_present();
int display_restore_lost();
void display_shutdown();
void font_create(const char* face, int width, int height);
void font_delete();

platform::Surface* display_primary();
