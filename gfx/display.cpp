#include "gfx/display.h"

#include "gfx/blit.h"
#include "gfx/draw_list.h"
#include "gfx/surfaces.h"

#include <cstring>

namespace {

platform::Window* display_window = nullptr;
platform::Surface* primary_surface = nullptr;
int screen_width = 0;
int screen_height = 0;
int client_offset_x = 0;
int client_offset_y = 0;

// Puts a lost surface's memory back; true when it was lost.
bool restore_if_lost(platform::Surface* surface)
{
    if (!platform::surface_is_lost(surface)) return false;
    platform::surface_restore(surface);
    return true;
}

} // namespace

int display_init(platform::Window* window, const char* directory)
{
    view_set_bitmap_dir(directory);
    surface_slots_clear();
    draw_list_reset();
    platform::Display* device = platform::display_open(window);
    view_set_device(device);
    if (!device) return 0;
    display_window = window;
    return 1;
}

int display_create_surfaces(platform::Window* window, int width, int height, int new_scale)
{
    draw_list_reset();
    screen_width = width;
    screen_height = height;
    view_set_scale(new_scale);
    platform::Display* device = display_device();
    primary_surface = platform::primary_create(device, window);
    if (!primary_surface) return 0;
    platform::Surface* back_buffer = platform::surface_create(device, width * new_scale, height * new_scale, false);
    view_set_back_buffer(back_buffer);
    if (!back_buffer) return 0;
    platform::surface_fill(back_buffer, RECT{0, 0, width * new_scale, height * new_scale}, 0);
    return 1;
}

void display_set_client_offset(int x, int y)
{
    client_offset_x = x;
    client_offset_y = y;
}

int display_present()
{
    draw_list_frame_end();
    platform::Surface* back_buffer = display_back_buffer();
    if (!display_device() || !display_window || !primary_surface || !back_buffer) return 0;
    const int scale = view_scale();
    const RECT src{0, 0, screen_width * scale, screen_height * scale};
    const RECT window = platform::window_rect(display_window);
    RECT dest;
    dest.left = window.left + client_offset_x;
    dest.top = window.top + client_offset_y;
    dest.right = dest.left + screen_width * scale;
    dest.bottom = dest.top + screen_height * scale;
    platform::primary_present(primary_surface, dest, back_buffer, src);
    display_restore_lost();
    return 1;
}

int display_restore_lost()
{
    platform::Surface* back_buffer = display_back_buffer();
    if (!primary_surface || !back_buffer) return 0;
    int lost = 0;
    lost += restore_if_lost(primary_surface);
    lost += restore_if_lost(back_buffer);
    for (int id = 0; id < SURFACE_SLOT_COUNT; ++id) {
        const SurfaceSlot& slot = surface_slot(id);
        if (!slot.surface || !restore_if_lost(slot.surface)) continue;
        ++lost;
        if (slot.flags & SLOT_SYSTEM_MEMORY) continue;
        if (slot.name) {
            // The reload replaces the stored name, so it must get a copy.
            char name[BITMAP_DIR_SIZE];
            std::strncpy(name, slot.name, sizeof name - 1);
            name[sizeof name - 1] = 0;
            surface_reload(name, id, (slot.flags & SLOT_FROM_FILE) != 0);
        } else {
            fill_surface(nullptr, 0, id);
        }
    }
    // A lost back buffer comes back as garbage; a slot may come back changed.
    if (lost) draw_list_forget();
    return lost;
}

void display_shutdown()
{
    draw_list_reset();
    surface_release_all();
    if (primary_surface) platform::surface_destroy(primary_surface);
    primary_surface = nullptr;
    // The back buffer belongs to the device and ends with it.
    if (display_back_buffer()) platform::surface_destroy(display_back_buffer());
    view_set_back_buffer(nullptr);
    if (display_device()) platform::display_close(display_device());
    view_set_device(nullptr);
    display_window = nullptr;
}

void font_create(const char* face, int width, int height)
{
    platform::display_font_open(face, width, height);
}

void font_delete()
{
    platform::display_font_close();
}

platform::Surface* display_primary()
{
    return primary_surface;
}
