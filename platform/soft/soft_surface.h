// Software surfaces: 32-bit XRGB pixels in memory, a source colour key, and
// the copy and fill rules of a DirectDraw blitter. Shared by the SDL and the
// headless backends, which build their platform::Surface on it.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <memory>

struct SoftSurface {
    int width = 0;
    int height = 0;
    std::unique_ptr<uint32_t[]> pixels; // width * height, row-major
    uint32_t colour_key = 0;
    bool has_colour_key = false;
};

// Allocates width x height pixels, all black. False when the size is not
// positive or memory runs out.
bool soft_surface_init(SoftSurface* surface, int width, int height);

// True when r is a non-empty rectangle lying wholly inside the surface.
bool soft_rect_valid(const SoftSurface& surface, const RECT& r);

// Copies src_rect of src to dst_rect of dst; with keyed set, source pixels
// equal to src's colour key are skipped. Refuses (returns 0, draws nothing)
// empty, inverted or out-of-surface rectangles and rectangles of unequal size.
int soft_blit(SoftSurface* dst, const RECT& dst_rect, const SoftSurface& src, const RECT& src_rect, bool keyed);

// Fills rect with colour; refuses like soft_blit.
int soft_fill(SoftSurface* dst, const RECT& rect, uint32_t colour);

// The keyed row copy at the heart of every sprite: pixels equal to key are
// left alone. Exposed for the benchmark.
void soft_copy_row_keyed(uint32_t* dst, const uint32_t* src, int count, uint32_t key);
