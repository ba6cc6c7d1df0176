// Software surfaces: 32-bit XRGB pixels in memory, a source colour key, and
// the copy and fill rules of a DirectDraw blitter. Shared by the SDL and the
// headless backends, which build their platform::Surface on it.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <memory>

// A stretch of one row that a keyed copy draws: opaque pixels copied whole,
// or (mixed) opaque pixels with short gaps of the key between them, copied
// pixel by pixel. What lies between stretches is the key and is skipped.
struct SoftSpan {
    uint16_t left;
    uint16_t right; // one past the last pixel
    bool mixed;
};

struct SoftSurface {
    int width = 0;
    int height = 0;
    std::unique_ptr<uint32_t[]> pixels; // width * height, row-major
    uint32_t colour_key = 0;
    bool has_colour_key = false;
    // The stretches of every row for colour_key, found once when a bitmap is
    // copied in and forgotten by any other write: row y's are spans[rows[y]]
    // up to spans[rows[y + 1]]. Without them a keyed copy tests every pixel.
    std::unique_ptr<SoftSpan[]> spans;
    std::unique_ptr<uint32_t[]> span_rows;
    bool spans_valid = false;
    // Counts the writes, so a reader of the pixels can tell that nothing
    // has changed since it last looked; and where they fell since the last
    // soft_surface_take_changed (empty while right <= left).
    uint64_t writes = 0;
    RECT changed{};
};

// Allocates width x height pixels, all black. False when the size is not
// positive or memory runs out.
bool soft_surface_init(SoftSurface* surface, int width, int height);

// Finds the stretches of every row for the surface's colour key; without
// a key or the memory for them, keyed copies go pixel by pixel.
void soft_surface_index_spans(SoftSurface* surface);
// The pixels of r (the whole surface if not given) are about to change
// other than through a bitmap's copy.
void soft_surface_touch(SoftSurface* surface, const RECT* r = nullptr);
// Where the pixels changed since the last call, and forgets it: a reader
// that keeps its own copy of them need compare only there.
RECT soft_surface_take_changed(SoftSurface* surface);

// True when r is a non-empty rectangle lying wholly inside the surface.
bool soft_rect_valid(const SoftSurface& surface, const RECT& r);

// Copies src_rect of src to dst_rect of dst; with keyed set, source pixels
// equal to src's colour key are skipped. Refuses (returns 0, draws nothing)
// empty, inverted or out-of-surface rectangles and rectangles of unequal size.
int soft_blit(SoftSurface* dst, const RECT& dst_rect, const SoftSurface& src, const RECT& src_rect, bool keyed);

// Fills rect with colour; refuses like soft_blit.
int soft_fill(SoftSurface* dst, const RECT& rect, uint32_t colour);
