#include "gfx/surfaces.h"

#include "gfx/draw_list.h"
#include "gfx/view.h"
#include "platform/bitmap.h"
#include "platform/files.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

std::array<SurfaceSlot, SURFACE_SLOT_COUNT> surface_slots{};
const SurfaceSlot FREE_SLOT{};

bool id_valid(int id)
{
    return id >= 0 && id < SURFACE_SLOT_COUNT;
}

// A file name is looked up in bitmap_dir unless it starts with a drive
// letter; with no directory set it stands as given, relative to the
// working directory. Resource names stand as given. False when the path
// would not fit the platform's limit.
bool compose_path(const char* name, bool from_file, char (&path)[platform::PATH_LIMIT])
{
    const char* dir = bitmap_dir();
    int n;
    if (!from_file || (name[0] && name[1] == ':') || dir[0] == 0)
        n = std::snprintf(path, sizeof path, "%s", name);
    else
        n = std::snprintf(path, sizeof path, "%s%c%s", dir, platform::PATH_SEPARATOR, name);
    return n >= 0 && size_t(n) < sizeof path;
}

platform::Bitmap* load_bitmap(const char* name, bool from_file)
{
    char path[platform::PATH_LIMIT];
    if (!name || !compose_path(name, from_file, path)) return nullptr;
    return from_file ? platform::bitmap_load_file(path) : platform::bitmap_load_resource(path);
}

char* copy_name(const char* name)
{
    const size_t n = std::strlen(name) + 1;
    char* copy = new (std::nothrow) char[n];
    if (copy) std::memcpy(copy, name, n);
    return copy;
}

platform::Surface* make_slot_surface(int width, int height, bool system_memory)
{
    platform::Surface* s =
        platform::surface_create(display_device(), width * view_scale(), height * view_scale(), system_memory);
    if (s) platform::surface_set_colour_key(s, 0);
    return s;
}

} // namespace

int surface_load(const char* name, int id, bool from_file, bool system_memory)
{
    if (!id_valid(id) || surface_slots[size_t(id)].surface) return 0;
    draw_list_forget();
    platform::Bitmap* bitmap = load_bitmap(name, from_file);
    if (!bitmap) return 0;
    int width = 0;
    int height = 0;
    platform::bitmap_size(bitmap, &width, &height);
    platform::Surface* surface = make_slot_surface(width, height, system_memory);
    if (!surface) {
        platform::bitmap_free(bitmap);
        return 0;
    }
    platform::bitmap_copy_to_surface(bitmap, surface, view_scale());
    platform::bitmap_free(bitmap);

    SurfaceSlot& slot = surface_slots[size_t(id)];
    slot.surface = surface;
    delete[] slot.name;
    slot.name = copy_name(name);
    if (!slot.name) {
        // Without its name the slot could not be refilled after a loss.
        surface_release(id);
        return 0;
    }
    slot.width = width;
    slot.height = height;
    slot.flags = (from_file ? SLOT_FROM_FILE : 0) | (system_memory ? SLOT_SYSTEM_MEMORY : 0);
    return 1;
}

int surface_reload(const char* name, int id, bool from_file)
{
    if (!id_valid(id) || !surface_slots[size_t(id)].surface) return 0;
    draw_list_forget();
    platform::Bitmap* bitmap = load_bitmap(name, from_file);
    if (!bitmap) return 0;
    SurfaceSlot& slot = surface_slots[size_t(id)];
    platform::bitmap_copy_to_surface(bitmap, slot.surface, view_scale());
    platform::bitmap_free(bitmap);

    char* copy = copy_name(name);
    delete[] slot.name;
    slot.name = copy;
    if (!slot.name) {
        surface_release(id);
        return 0;
    }
    slot.flags = (slot.flags & ~SLOT_FROM_FILE) | (from_file ? SLOT_FROM_FILE : 0);
    return 1;
}

int surface_create_blank(int width, int height, int id, bool system_memory)
{
    if (!id_valid(id) || surface_slots[size_t(id)].surface) return 0;
    draw_list_forget();
    platform::Surface* surface = make_slot_surface(width, height, system_memory);
    if (!surface) return 0;
    SurfaceSlot& slot = surface_slots[size_t(id)];
    slot.surface = surface;
    delete[] slot.name;
    slot.name = nullptr;
    slot.width = width;
    slot.height = height;
    slot.flags = (slot.flags & ~SLOT_SYSTEM_MEMORY) | (system_memory ? SLOT_SYSTEM_MEMORY : 0);
    return 1;
}

void surface_release(int id)
{
    if (!id_valid(id) || !surface_slots[size_t(id)].surface) return;
    draw_list_forget();
    SurfaceSlot& slot = surface_slots[size_t(id)];
    delete[] slot.name;
    platform::surface_destroy(slot.surface);
    slot = SurfaceSlot{};
}

void surface_release_all()
{
    for (int id = 0; id < SURFACE_SLOT_COUNT; ++id) surface_release(id);
}

void surface_slots_clear()
{
    surface_slots.fill(SurfaceSlot{});
}

const SurfaceSlot& surface_slot(int id)
{
    return id_valid(id) ? surface_slots[size_t(id)] : FREE_SLOT;
}
