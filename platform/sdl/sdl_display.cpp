// The display on SDL: software surfaces in memory (never lost), and a
// present that writes the back buffer straight into the window's own
// surface (on X11 a shared-memory image), each game pixel as an s x s
// block at the whole scale that fits, and hands the server only the rows
// that changed since the last frame. Where there is no such framebuffer
// (Wayland), SDL's window surface counts in points, which a desktop with a
// scale factor would enlarge softly; there the picture goes through a
// renderer instead, one texture drawn at the whole scale of the output's
// own pixels with nearest sampling. It never waits for the vertical
// blank: the 13 ms grid sets the pace.
#include "platform/sdl/sdl_display.h"

#include "platform/graphics.h"
#include "platform/sdl/sdl_view.h"
#include "platform/sdl/sdl_window_record.h"
#include "platform/soft/soft_platform.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace platform {

struct Display {
    Window* window = nullptr;
    SDL_Renderer* renderer = nullptr; // only without a plain framebuffer
    SDL_Texture* texture = nullptr;   // the picture, at its own size
    int texture_width = 0;
    int texture_height = 0;
};

} // namespace platform

namespace {

// A frame's changed rows go to the server as at most this many bands.
constexpr int BAND_LIMIT = 16;

platform::Display* current = nullptr;
// What the last present showed, to show it again on an expose.
platform::Surface* last_primary = nullptr;
platform::Surface* last_back = nullptr;
RECT last_dest{};
RECT last_src{};

// The picture as the window shows it, to find the rows that changed; and
// the surface and place it was last written to.
struct Shown {
    std::unique_ptr<uint32_t[]> pixels;
    std::unique_ptr<uint32_t[]> row; // one scaled row, where the window's format is not the game's
    int width = 0;
    int height = 0;
    int row_capacity = 0;
    SDL_Surface* surface = nullptr;
    int surface_width = 0;
    int surface_height = 0;
    bool whole = true;                         // the next present writes every row
    const platform::Surface* source = nullptr; // the back buffer last shown
    uint64_t source_writes = 0;                // and its write count then
};
Shown shown;

void shown_forget()
{
    shown = Shown{};
}

// Prepares for a picture of w x h on the window's surface; false when
// memory runs out. Allocates only when the sizes change.
bool shown_fit(SDL_Surface* surface, int w, int h, const SDL_Rect& place)
{
    if (shown.width != w || shown.height != h) {
        shown.pixels.reset(new (std::nothrow) uint32_t[size_t(w) * size_t(h)]);
        if (!shown.pixels) {
            shown_forget();
            return false;
        }
        shown.width = w;
        shown.height = h;
        shown.whole = true;
    }
    if (shown.row_capacity < place.w) {
        shown.row.reset(new (std::nothrow) uint32_t[size_t(place.w)]);
        shown.row_capacity = shown.row ? place.w : 0;
        if (!shown.row) return false;
    }
    if (surface != shown.surface || surface->w != shown.surface_width || surface->h != shown.surface_height) {
        shown.surface = surface;
        shown.surface_width = surface->w;
        shown.surface_height = surface->h;
        shown.whole = true;
    }
    if (shown.whole) SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    return true;
}

// Writes w pixels of a game row from src, s times wider and s rows tall,
// at the surface's (x, y).
void write_span(SDL_Surface* surface, const uint32_t* src, int w, int s, int x, int y)
{
    const bool same = surface->format->format == SDL_PIXELFORMAT_RGB888;
    auto* first = static_cast<uint8_t*>(surface->pixels) + size_t(y) * size_t(surface->pitch);
    uint32_t* out = same ? reinterpret_cast<uint32_t*>(first) + x : shown.row.get();
    if (s == 1) {
        std::memcpy(out, src, size_t(w) * 4);
    } else {
        for (int i = 0; i < w; ++i)
            for (int k = 0; k < s; ++k) *out++ = src[i];
    }
    const size_t bytes = size_t(w) * size_t(s) * surface->format->BytesPerPixel;
    uint8_t* line = first + size_t(x) * surface->format->BytesPerPixel;
    if (!same)
        SDL_ConvertPixels(w * s, 1, SDL_PIXELFORMAT_RGB888, shown.row.get(), w * s * 4, surface->format->format, line,
                          surface->pitch);
    for (int k = 1; k < s; ++k) std::memcpy(line + size_t(k) * size_t(surface->pitch), line, bytes);
}

// Copies what changed in each row of the picture onto the surface, from
// the first changed pixel of the row to its last, and lists it as bands of
// the surface (rows that follow on from each other share a band as wide as
// all of theirs); returns how many bands. Only the part of the picture in
// `changed` can differ from what the window shows, unless it shows nothing
// of it yet. A window smaller than the picture shows its top-left part.
int write_changed_rows(SDL_Surface* surface, const uint32_t* first, int pitch, const SDL_Rect& place,
                       const RECT& changed, SDL_Rect (&bands)[BAND_LIMIT])
{
    const int w = shown.width, s = place.w / w;
    const int columns = std::min(w, (surface->w - place.x) / s);
    const int rows = std::min(shown.height, (surface->h - place.y) / s);
    const RECT within = shown.whole ? RECT{0, 0, w, rows}
                                    : RECT{std::clamp(changed.left, 0, w), std::clamp(changed.top, 0, rows),
                                           std::clamp(changed.right, 0, w), std::clamp(changed.bottom, 0, rows)};
    int count = 0;
    for (int y = within.top; y < within.bottom && within.left < within.right; ++y) {
        const uint32_t* src = first + size_t(y) * size_t(pitch);
        uint32_t* was = shown.pixels.get() + size_t(y) * size_t(w);
        int from = within.left, to = within.right;
        if (!shown.whole) {
            if (std::memcmp(src + from, was + from, size_t(to - from) * 4) == 0) continue;
            // Eight pixels at a time first, then one by one.
            while (to - from >= 8 && std::memcmp(src + from, was + from, 32) == 0) from += 8;
            while (from < to && src[from] == was[from]) ++from;
            while (to - from >= 8 && std::memcmp(src + to - 8, was + to - 8, 32) == 0) to -= 8;
            while (to > from && src[to - 1] == was[to - 1]) --to;
        }
        std::memcpy(was + from, src + from, size_t(to - from) * 4);
        to = std::min(to, columns);
        if (from >= to) continue; // the change lies beyond the window's edge
        write_span(surface, src + from, to - from, s, place.x + from * s, place.y + y * s);
        const SDL_Rect span{place.x + from * s, place.y + y * s, (to - from) * s, s};
        SDL_Rect* last = count ? &bands[count - 1] : nullptr;
        if (last && (last->y + last->h == span.y || count == BAND_LIMIT)) {
            // Joined to the band above; the last band may stretch over a gap.
            SDL_UnionRect(last, &span, last);
        } else {
            bands[count++] = span;
        }
    }
    shown.whole = false;
    return count;
}

void renderer_forget(platform::Display* d)
{
    if (d->texture) SDL_DestroyTexture(d->texture);
    if (d->renderer) SDL_DestroyRenderer(d->renderer);
    d->texture = nullptr;
    d->renderer = nullptr;
    d->texture_width = d->texture_height = 0;
}

// The picture through the renderer: the texture takes the back buffer when
// it changed, and is drawn centred at the whole scale the output holds.
int renderer_present(platform::Display* d, const uint32_t* first, int pitch, int w, int h, bool changed)
{
    if (d->texture_width != w || d->texture_height != h) {
        if (d->texture) SDL_DestroyTexture(d->texture);
        d->texture = SDL_CreateTexture(d->renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
        if (!d->texture) {
            d->texture_width = d->texture_height = 0;
            return 0;
        }
        SDL_SetTextureScaleMode(d->texture, SDL_ScaleModeNearest);
        d->texture_width = w;
        d->texture_height = h;
        changed = true;
    }
    if (!changed) return 1;
    SDL_UpdateTexture(d->texture, nullptr, first, pitch * 4);
    int ow = 0, oh = 0;
    if (SDL_GetRendererOutputSize(d->renderer, &ow, &oh) != 0) return 0;
    const SDL_Rect place = sdl_view_place(ow, oh, w, h);
    SDL_SetRenderDrawColor(d->renderer, 0, 0, 0, 255);
    SDL_RenderClear(d->renderer);
    SDL_RenderCopy(d->renderer, d->texture, nullptr, &place);
    SDL_RenderPresent(d->renderer);
    return 1;
}

} // namespace

void sdl_display_device_reset()
{
    shown.whole = true;
}

void sdl_display_repaint()
{
    shown.whole = true;
    if (last_primary && last_back) platform::primary_present(last_primary, last_dest, last_back, last_src);
}

void sdl_display_window_gone(platform::Window* window)
{
    if (current && current->window == window) {
        shown_forget();
        renderer_forget(current);
    }
}

namespace platform {

// The game draws its own pixels, so no renderer stands between its back
// buffer and the window: SDL's framebuffer is a plain shared-memory X
// image, where a GL renderer without a GPU (a virtual machine, Xvfb) would
// run a software rasteriser over every frame.
Display* display_open(Window* window)
{
    SDL_Window* sdl = sdl_window_of(window);
    if (!sdl) return nullptr;
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0"); // where SDL has to make the surface from a texture
    auto* d = new (std::nothrow) Display;
    if (!d) return nullptr;
    // Only X11 has a plain framebuffer (SDL settles which kind at the first
    // window surface); elsewhere the picture goes through a renderer.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "x11") == 0) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (!SDL_GetWindowSurface(sdl)) {
            delete d;
            return nullptr;
        }
    } else {
        d->renderer = SDL_CreateRenderer(sdl, -1, 0);
        if (!d->renderer) {
            delete d;
            return nullptr;
        }
    }
    d->window = window;
    current = d;
    shown_forget();
    return d;
}

void display_close(Display* display)
{
    if (!display) return;
    if (current == display) {
        current = nullptr;
        shown_forget();
    }
    renderer_forget(display);
    delete display;
}

// The window's client area is the game's picture, so the picture goes to
// the window's own surface whatever the screen position in dest says.
int primary_present(Surface* primary, const RECT& dest, Surface* back, const RECT& src)
{
    if (!primary || !back || !current || !soft_rect_valid(back->soft, src)) return 0;
    if (current->renderer) {
        const bool changed = shown.whole || shown.source != back || shown.source_writes != back->soft.writes;
        shown.whole = false;
        shown.source = back;
        shown.source_writes = back->soft.writes;
        last_primary = primary;
        last_back = back;
        last_dest = dest;
        last_src = src;
        const uint32_t* first = back->soft.pixels.get() + size_t(src.top) * size_t(back->soft.width) + size_t(src.left);
        return renderer_present(current, first, back->soft.width, src.right - src.left, src.bottom - src.top, changed);
    }
    SDL_Window* window = sdl_window_of(current->window);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!surface) return 0;
    const int w = src.right - src.left;
    const int h = src.bottom - src.top;
    const SDL_Rect place = sdl_view_place(surface->w, surface->h, w, h);
    if (!shown_fit(surface, w, h, place)) return 0;
    last_primary = primary;
    last_back = back;
    last_dest = dest;
    last_src = src;
    const bool whole = shown.whole;
    // A frame the game held back wrote nothing: no row can have changed.
    if (!whole && shown.source == back && shown.source_writes == back->soft.writes) return 1;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return 0;
    // Another back buffer may differ anywhere; this one only where written.
    const RECT written = soft_surface_take_changed(&back->soft);
    const RECT changed = shown.source == back ? RECT{written.left - src.left, written.top - src.top,
                                                     written.right - src.left, written.bottom - src.top}
                                              : RECT{0, 0, w, h};
    shown.source = back;
    shown.source_writes = back->soft.writes;
    const uint32_t* first = back->soft.pixels.get() + size_t(src.top) * size_t(back->soft.width) + size_t(src.left);
    SDL_Rect bands[BAND_LIMIT];
    const int count = write_changed_rows(surface, first, back->soft.width, place, changed, bands);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (whole)
        SDL_UpdateWindowSurface(window);
    else if (count > 0)
        SDL_UpdateWindowSurfaceRects(window, bands, count);
    return 1;
}

void surface_destroy(Surface* surface)
{
    if (surface && (surface == last_primary || surface == last_back)) last_primary = last_back = nullptr;
    if (surface && surface == shown.source) shown.source = nullptr;
    delete surface;
}

} // namespace platform
