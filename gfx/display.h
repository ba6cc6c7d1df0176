// The display: the one device, the primary target, the BackBuffer every
// frame is composed on, its present once per frame, and the repair of lost
// surfaces right after it. Also the state the rest of the graphics room
// shares: view_scale, the bitmap directory and the client offset.
#pragma once

#include "platform/display.h"
#include "platform/window.h"

#include <cstddef>

inline constexpr size_t BITMAP_DIR_SIZE = 260;

int display_init(platform::Window* window, const char* directory);
int display_create_surfaces(platform::Window* window, int width, int height, int scale);
void display_set_client_offset(int x, int y);
int display_present();
int display_restore_lost();
void display_shutdown();
void font_create(const char* face, int width, int height);
void font_delete();

int view_scale();
const char* bitmap_dir();
platform::Display* display_device();
platform::Surface* display_back_buffer();
platform::Surface* display_primary();
