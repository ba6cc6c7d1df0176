// The display on SDL: software surfaces in memory (never lost), and a
// present that copies the back buffer into one streaming texture and shows
// it, without waiting for the vertical blank: the 13 ms grid sets the pace.
#include "platform/display.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/soft/soft_platform.h"

#include <new>

namespace platform {

struct Display {
    Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int texture_width = 0;
    int texture_height = 0;
};

} // namespace platform

namespace {

platform::Display* current = nullptr;
// What the last present showed, to show it again on an expose.
platform::Surface* last_primary = nullptr;
platform::Surface* last_back = nullptr;
RECT last_dest{};
RECT last_src{};

void drop_texture(platform::Display* d)
{
    if (d && d->texture) SDL_DestroyTexture(d->texture);
    if (d) d->texture = nullptr;
}

bool ensure_texture(platform::Display* d, int width, int height)
{
    if (d->texture && d->texture_width == width && d->texture_height == height) return true;
    drop_texture(d);
    d->texture = SDL_CreateTexture(d->renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
    d->texture_width = width;
    d->texture_height = height;
    return d->texture != nullptr;
}

} // namespace

void sdl_display_device_reset()
{
    drop_texture(current);
}

void sdl_display_repaint()
{
    if (last_primary && last_back) platform::primary_present(last_primary, last_dest, last_back, last_src);
}

void sdl_display_window_gone(platform::Window* window)
{
    if (!current || current->window != window) return;
    drop_texture(current);
    if (current->renderer) SDL_DestroyRenderer(current->renderer);
    current->renderer = nullptr;
}

namespace platform {

// SDL's software renderer first: the game draws its own pixels, so a frame
// needs only the copy into the texture and a shared-memory put, where a GL
// renderer without a GPU (a virtual machine, Xvfb) would run a software
// rasteriser over every frame. The window surface stays a plain X image for
// the same reason.
Display* display_open(Window* window)
{
    SDL_Window* sdl = sdl_window_of(window);
    if (!sdl) return nullptr;
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    auto* d = new (std::nothrow) Display;
    if (!d) return nullptr;
    d->window = window;
    d->renderer = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_SOFTWARE);
    if (!d->renderer) d->renderer = SDL_CreateRenderer(sdl, -1, SDL_RENDERER_ACCELERATED);
    if (!d->renderer) {
        delete d;
        return nullptr;
    }
    current = d;
    return d;
}

void display_close(Display* display, Window*)
{
    if (!display) return;
    drop_texture(display);
    if (display->renderer) SDL_DestroyRenderer(display->renderer);
    if (current == display) current = nullptr;
    delete display;
}

Surface* primary_create(Display* display, Window*)
{
    if (!display) return nullptr;
    auto* p = new (std::nothrow) Surface;
    if (p) p->primary = true;
    return p;
}

// The window's client area is the game's picture, so the picture goes to
// its top-left corner whatever the screen position in dest says.
int primary_present(Surface* primary, const RECT& dest, Surface* back, const RECT& src)
{
    if (!primary || !back || !current || !current->renderer || !soft_rect_valid(back->soft, src)) return 0;
    const int w = src.right - src.left;
    const int h = src.bottom - src.top;
    if (!ensure_texture(current, w, h)) return 0;
    const uint32_t* first = back->soft.pixels.get() + size_t(src.top) * size_t(back->soft.width) + size_t(src.left);
    SDL_UpdateTexture(current->texture, nullptr, first, back->soft.width * 4);
    const SDL_Rect to{0, 0, dest.right - dest.left, dest.bottom - dest.top};
    SDL_RenderCopy(current->renderer, current->texture, nullptr, &to);
    SDL_RenderPresent(current->renderer);
    last_primary = primary;
    last_back = back;
    last_dest = dest;
    last_src = src;
    return 1;
}

Surface* surface_create(Display* display, int width, int height, bool)
{
    if (!display) return nullptr;
    auto* surface = new (std::nothrow) Surface;
    if (!surface) return nullptr;
    if (!soft_surface_init(&surface->soft, width, height)) {
        delete surface;
        return nullptr;
    }
    return surface;
}

void surface_release(Surface* surface)
{
    if (surface && (surface == last_primary || surface == last_back)) last_primary = last_back = nullptr;
    delete surface;
}

// Memory surfaces are never lost; a renderer that loses its texture makes it
// again at the next present.
bool surface_is_lost(Surface*)
{
    return false;
}

int surface_restore(Surface* surface)
{
    return surface ? 1 : 0;
}

// No drawing of the game uses the display font.
void font_create(const char*, int, int)
{
}

void font_delete()
{
}

} // namespace platform
