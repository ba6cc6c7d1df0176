#include "platform/soft/soft_platform.h"

#include "platform/resource.h"
#include "platform/soft/soft_bitmap.h"

#include <new>

namespace {

// A surface that can be drawn on and read: there, not lost, not the screen.
bool usable(const platform::Surface* s)
{
    return s && !s->lost && !s->primary;
}

bool inside(const platform::Surface* s, int x, int y)
{
    return x >= 0 && y >= 0 && x < s->soft.width && y < s->soft.height;
}

} // namespace

namespace platform {

void surface_set_colour_key(Surface* surface, uint32_t key)
{
    if (!surface) return;
    surface->soft.colour_key = key;
    surface->soft.has_colour_key = true;
    soft_surface_touch(&surface->soft);
}

int surface_blit(Surface* dst, const RECT& dst_rect, Surface* src, const RECT& src_rect, bool keyed)
{
    if (!usable(dst) || !usable(src)) return 0;
    return soft_blit(&dst->soft, dst_rect, src->soft, src_rect, keyed);
}

int surface_fill(Surface* dst, const RECT& rect, uint32_t colour)
{
    if (!usable(dst)) return 0;
    return soft_fill(&dst->soft, rect, colour);
}

int surface_lock(Surface* surface, SurfaceLock* lock)
{
    if (!usable(surface) || !lock) return 0;
    soft_surface_touch(&surface->soft); // whoever locks may write
    // 32-bit XRGB, rows packed.
    *lock = SurfaceLock{reinterpret_cast<uint8_t*>(surface->soft.pixels.get()),
                        surface->soft.width * 4,
                        surface->soft.width,
                        surface->soft.height,
                        32,
                        0x00FF0000u,
                        0x0000FF00u,
                        0x000000FFu};
    return 1;
}

void surface_unlock(Surface*)
{
}

// The system's conversion between 0x00BBGGRR and the surface's XRGB.
uint32_t surface_get_pixel_rgb(Surface* surface, int x, int y)
{
    if (!usable(surface) || !inside(surface, x, y)) return 0xFFFFFFFFu;
    const uint32_t v = surface->soft.pixels[size_t(y) * size_t(surface->soft.width) + size_t(x)];
    return ((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16);
}

int surface_set_pixel_rgb(Surface* surface, int x, int y, uint32_t rgb)
{
    if (!usable(surface) || !inside(surface, x, y)) return 0;
    soft_surface_touch(&surface->soft);
    surface->soft.pixels[size_t(y) * size_t(surface->soft.width) + size_t(x)] =
        ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    return 1;
}

Bitmap* bitmap_load_resource(const char* name)
{
    const std::span<const uint8_t> bytes = resource_find(name, "BITMAP");
    if (bytes.empty()) return nullptr;
    auto* b = new (std::nothrow) Bitmap;
    if (b && soft_bitmap_decode(bytes, &b->pixels)) return b;
    delete b;
    return nullptr;
}

Bitmap* bitmap_load_file(const char* path)
{
    auto* b = new (std::nothrow) Bitmap;
    if (b && soft_bitmap_load_file(path, &b->pixels)) return b;
    delete b;
    return nullptr;
}

void bitmap_size(const Bitmap* bitmap, int* width, int* height)
{
    *width = bitmap ? bitmap->pixels.width : 0;
    *height = bitmap ? bitmap->pixels.height : 0;
}

void bitmap_copy_to_surface(const Bitmap* bitmap, Surface* surface, int scale)
{
    if (bitmap && usable(surface)) soft_bitmap_copy(bitmap->pixels, &surface->soft, scale);
}

void bitmap_free(Bitmap* bitmap)
{
    delete bitmap;
}

} // namespace platform
