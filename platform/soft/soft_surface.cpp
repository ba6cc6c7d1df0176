#include "platform/soft/soft_surface.h"

#include <algorithm>
#include <cstring>
#include <new>

bool soft_surface_init(SoftSurface* surface, int width, int height)
{
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768) return false;
    const size_t count = size_t(width) * size_t(height);
    uint32_t* pixels = new (std::nothrow) uint32_t[count];
    if (!pixels) return false;
    std::fill(pixels, pixels + count, 0u);
    surface->pixels.reset(pixels);
    surface->width = width;
    surface->height = height;
    return true;
}

bool soft_rect_valid(const SoftSurface& surface, const RECT& r)
{
    return surface.pixels && r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
           r.right <= surface.width && r.bottom <= surface.height;
}

// Written without a branch per pixel so that the compiler turns the loop
// into vector compares and blends: a mask of all ones where the source is
// the key keeps the destination there.
void soft_copy_row_keyed(uint32_t* __restrict dst, const uint32_t* __restrict src, int count, uint32_t key)
{
    for (int x = 0; x < count; ++x) {
        const uint32_t s = src[x];
        const uint32_t keep = 0u - uint32_t(s == key);
        dst[x] = (dst[x] & keep) | (s & ~keep);
    }
}

int soft_blit(SoftSurface* dst, const RECT& dst_rect, const SoftSurface& src, const RECT& src_rect, bool keyed)
{
    if (!dst || !soft_rect_valid(*dst, dst_rect) || !soft_rect_valid(src, src_rect)) return 0;
    const int w = src_rect.right - src_rect.left;
    const int h = src_rect.bottom - src_rect.top;
    if (dst_rect.right - dst_rect.left != w || dst_rect.bottom - dst_rect.top != h) return 0;

    const uint32_t* s = src.pixels.get() + size_t(src_rect.top) * size_t(src.width) + size_t(src_rect.left);
    uint32_t* d = dst->pixels.get() + size_t(dst_rect.top) * size_t(dst->width) + size_t(dst_rect.left);
    // A surface copied onto itself with overlapping rectangles would need
    // care about direction; the game never does it, so refuse it.
    if (&src == dst) {
        const bool apart = dst_rect.right <= src_rect.left || src_rect.right <= dst_rect.left ||
                           dst_rect.bottom <= src_rect.top || src_rect.bottom <= dst_rect.top;
        if (!apart) return 0;
    }
    const bool use_key = keyed && src.has_colour_key;
    for (int y = 0; y < h; ++y) {
        if (use_key)
            soft_copy_row_keyed(d, s, w, src.colour_key);
        else
            std::memcpy(d, s, size_t(w) * sizeof(uint32_t));
        s += src.width;
        d += dst->width;
    }
    return 1;
}

int soft_fill(SoftSurface* dst, const RECT& rect, uint32_t colour)
{
    if (!dst || !soft_rect_valid(*dst, rect)) return 0;
    const int w = rect.right - rect.left;
    uint32_t* d = dst->pixels.get() + size_t(rect.top) * size_t(dst->width) + size_t(rect.left);
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::fill(d, d + w, colour);
        d += dst->width;
    }
    return 1;
}
