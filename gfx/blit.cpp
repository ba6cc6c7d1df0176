#include "gfx/blit.h"

#include "gfx/display.h"
#include "gfx/surfaces.h"

#include <cstring>

namespace {

void keyed_copy(RECT d, RECT s, int id)
{
    const SurfaceSlot& slot = surface_slot(id);
    if (!slot.surface) return;
    scale_rect(s);
    scale_rect(d);
    platform::surface_blit(display_back_buffer(), d, slot.surface, s, true);
}

} // namespace

void blit(int x, int y, const RECT& src, int id)
{
    keyed_copy(RECT{x, y, x + src.right - src.left, y + src.bottom - src.top}, src, id);
}

// The right and bottom tests use the untrimmed position and are strict, so
// a sprite ending exactly on the clip's edge is left whole. A sprite wholly
// outside comes out empty or inverted, and the copy refuses it.
void blit_clipped(const RECT& clip, int x, int y, const RECT& src, int id)
{
    const int w = src.right - src.left;
    const int h = src.bottom - src.top;
    RECT s = src;
    if (x + w > clip.right) s.right -= x + w - clip.right;
    if (x < clip.left) {
        s.left += clip.left - x;
        x = clip.left;
    }
    if (y + h > clip.bottom) s.bottom -= y + h - clip.bottom;
    if (y < clip.top) {
        s.top += clip.top - y;
        y = clip.top;
    }
    keyed_copy(RECT{x, y, x + s.right - s.left, y + s.bottom - s.top}, s, id);
}

void fill_rect(const RECT& rect, uint32_t colour)
{
    RECT r = rect;
    platform::surface_fill(display_back_buffer(), scale_rect(r), colour);
}

void fill_surface(const RECT* rect, uint32_t colour, int id)
{
    const SurfaceSlot& slot = surface_slot(id);
    if (!slot.surface) return;
    RECT r = rect ? *rect : RECT{0, 0, slot.width, slot.height};
    platform::surface_fill(slot.surface, scale_rect(r), colour);
}

RECT& scale_rect(RECT& rect)
{
    const int s = view_scale();
    rect.left *= s;
    rect.top *= s;
    rect.right *= s;
    rect.bottom *= s;
    return rect;
}

// Lets the system convert the colour by writing it into pixel (0, 0) and
// reading the surface memory back; the pixel's own colour is put back after.
uint32_t native_colour(uint32_t rgb)
{
    platform::Surface* back = display_back_buffer();
    if (!back) return 0xFFFFFFFFu;
    const uint32_t saved = platform::surface_get_pixel_rgb(back, 0, 0);
    if (!platform::surface_set_pixel_rgb(back, 0, 0, rgb)) return 0xFFFFFFFFu;
    platform::SurfaceLock lock{};
    if (!platform::surface_lock(back, &lock)) return 0xFFFFFFFFu;
    // The first pixel, read as a 32-bit word whatever the format, and cut
    // to the format's own bits (the words are little-endian).
    uint32_t value = 0;
    std::memcpy(&value, lock.bits, sizeof value);
    if (lock.bits_per_pixel < 32) value &= (1u << lock.bits_per_pixel) - 1;
    platform::surface_unlock(back);
    if (!platform::surface_set_pixel_rgb(back, 0, 0, saved)) return 0xFFFFFFFFu;
    return value;
}
