// The display on the web: software surfaces in memory (never lost), and a
// present that hands the page's canvas only the rows of the back buffer
// that changed since the last frame, as RGBA bytes; a frame the game held
// back costs nothing. The page scales the canvas itself.
#include "platform/display.h"
#include "platform/soft/soft_platform.h"
#include "platform/web/web_platform.h"

#include <cstring>
#include <memory>
#include <new>

namespace platform {

struct Display {
    std::unique_ptr<uint32_t[]> shown; // the picture as the canvas has it, XRGB
    std::unique_ptr<uint32_t[]> rgba;  // the same in the canvas's byte order
    int width = 0;
    int height = 0;
    bool whole = true;               // the next present writes every row
    const Surface* source = nullptr; // the back buffer last shown
    uint64_t source_writes = 0;      // and its write count then
};

} // namespace platform

namespace {

platform::Display* current = nullptr;

// Allocates only when the picture's size changes.
bool fit(platform::Display* d, int w, int h)
{
    if (d->width == w && d->height == h) return true;
    const size_t n = size_t(w) * size_t(h);
    d->shown.reset(new (std::nothrow) uint32_t[n]);
    d->rgba.reset(new (std::nothrow) uint32_t[n]);
    if (!d->shown || !d->rgba) {
        d->shown.reset();
        d->rgba.reset();
        d->width = d->height = 0;
        return false;
    }
    d->width = w;
    d->height = h;
    d->whole = true;
    return true;
}

// 0x00RRGGBB becomes the bytes R, G, B, 255.
void to_rgba(const uint32_t* src, uint32_t* out, int n)
{
    for (int i = 0; i < n; ++i) {
        const uint32_t v = src[i];
        out[i] = 0xFF000000u | ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
    }
}

} // namespace

namespace platform {

Display* display_open(Window* window)
{
    if (!window) return nullptr;
    auto* d = new (std::nothrow) Display;
    if (!d) return nullptr;
    current = d;
    return d;
}

void display_close(Display* display, Window*)
{
    if (current == display) current = nullptr;
    delete display;
}

// The canvas is the game's picture, whatever screen position dest names.
// The pads are read here, once a frame, as the Gamepad API wants.
int primary_present(Surface* primary, const RECT&, Surface* back, const RECT& src)
{
    web_pads_poll();
    if (!primary || !back || !current || !soft_rect_valid(back->soft, src)) return 0;
    Display* d = current;
    const int w = src.right - src.left;
    const int h = src.bottom - src.top;
    if (!fit(d, w, h)) return 0;
    if (!d->whole && d->source == back && d->source_writes == back->soft.writes) return 1;
    d->source = back;
    d->source_writes = back->soft.writes;
    const uint32_t* first = back->soft.pixels.get() + size_t(src.top) * size_t(back->soft.width) + size_t(src.left);
    int top = h, bottom = 0;
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = first + size_t(y) * size_t(back->soft.width);
        uint32_t* was = d->shown.get() + size_t(y) * size_t(w);
        if (!d->whole && std::memcmp(row, was, size_t(w) * 4) == 0) continue;
        std::memcpy(was, row, size_t(w) * 4);
        to_rgba(row, d->rgba.get() + size_t(y) * size_t(w), w);
        if (top > y) top = y;
        bottom = y + 1;
    }
    d->whole = false;
    if (top < bottom) web_present(reinterpret_cast<const uint8_t*>(d->rgba.get()), w, h, top, bottom);
    return 1;
}

void surface_release(Surface* surface)
{
    if (surface && current && surface == current->source) current->source = nullptr;
    delete surface;
}

} // namespace platform
