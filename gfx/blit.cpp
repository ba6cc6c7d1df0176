#include "gfx/blit.h"

#include "gfx/draw_list.h"
#include "gfx/surfaces.h"
#include "gfx/view.h"

#include <algorithm>
#include <cstring>

namespace {

// A slot without a picture has nothing to copy.
int copy(const RECT& d, const RECT& s, int id, bool keyed)
{
    platform::Surface* from = surface_slot(id).surface;
    return from ? draw_list_submit(DrawCommand{d, s, from, 0, keyed}) : 0;
}

// The right and bottom tests use the untrimmed position and are strict, so
// a sprite ending exactly on the clip's edge is left whole. A sprite wholly
// outside comes out empty or inverted, and the copy refuses it.
int trimmed_copy(const RECT& clip, int x, int y, const RECT& src, int id, bool keyed)
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
    return copy(RECT{x, y, x + s.right - s.left, y + s.bottom - s.top}, s, id, keyed);
}

} // namespace

void blit(int x, int y, const RECT& src, int id)
{
    copy(RECT{x, y, x + src.right - src.left, y + src.bottom - src.top}, src, id, true);
}

void blit_clipped(const RECT& clip, int x, int y, const RECT& src, int id)
{
    trimmed_copy(clip, x, y, src, id, true);
}

int copy_clipped(const RECT& clip, int x, int y, const RECT& src, int id)
{
    return trimmed_copy(clip, x, y, src, id, false);
}

void fill_rect(const RECT& rect, uint32_t colour)
{
    draw_list_submit(DrawCommand{rect, RECT{}, nullptr, colour, false});
}

// Above and below inner across the screen, then left and right of it
// between them; empty bands are refused by the fill.
void fill_around(const RECT& inner, uint32_t colour)
{
    const RECT& all = screen_clip;
    if (inner.left >= inner.right || inner.top >= inner.bottom) {
        fill_rect(all, colour);
        return;
    }
    const int top = std::clamp(inner.top, all.top, all.bottom);
    const int bottom = std::clamp(inner.bottom, top, all.bottom);
    const int left = std::clamp(inner.left, all.left, all.right);
    const int right = std::clamp(inner.right, left, all.right);
    fill_rect(RECT{all.left, all.top, all.right, top}, colour);
    fill_rect(RECT{all.left, bottom, all.right, all.bottom}, colour);
    fill_rect(RECT{all.left, top, left, bottom}, colour);
    fill_rect(RECT{right, top, all.right, bottom}, colour);
}

void fill_surface(const RECT* rect, uint32_t colour, int id)
{
    const SurfaceSlot& slot = surface_slot(id);
    if (!slot.surface) return;
    draw_list_forget();
    RECT r = rect ? *rect : RECT{0, 0, slot.width, slot.height};
    platform::surface_fill(slot.surface, scale_rect(r), colour);
}

// Lets the system convert the colour by writing it into pixel (0, 0) and
// reading the surface memory back; the pixel's own colour is put back after.
uint32_t native_colour(uint32_t rgb)
{
    draw_list_forget();
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
