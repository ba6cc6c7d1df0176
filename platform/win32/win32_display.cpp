// The display on Windows: DirectDraw at the normal cooperative level, so the
// game shares the desktop in a window. The primary surface is the whole
// desktop with a clipper bound to the window; every other surface is an
// off-screen one in the desktop's own format. GDI reads and writes single
// pixels through a surface's device context, which is how the graphics room
// learns what a colour is in that format.
//
// On a screen of high DPI the window shows the picture at a whole scale:
// the present enlarges the BackBuffer into a surface of its own, each
// pixel a block of scale x scale, and copies that one to one. A stretching
// Blt would be shorter, but a driver may filter it, and the picture would
// blur.
#include "platform/win32/win32_platform.h"

#include "platform/graphics.h"
#include "platform/win32/win32_display.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace platform {

struct Display {
    IDirectDraw* ddraw = nullptr;
    // Kept from the start: the window is destroyed before the display is
    // closed, and its record with it.
    HWND hwnd = nullptr;
};

struct Surface {
    IDirectDrawSurface* surface = nullptr;
    IDirectDrawClipper* clipper = nullptr; // the primary's only
    // Device pixels; the primary's is the desktop's.
    int width = 0;
    int height = 0;
    // Counts what may have changed the pixels, so the present enlarges a
    // picture only when it is new.
    uint32_t writes = 0;
    // The primary's only: its window, the enlarged picture, and what the
    // enlarged picture was made from.
    HWND window = nullptr;
    IDirectDraw* ddraw = nullptr;
    Surface* enlarged = nullptr;
    const Surface* enlarged_from = nullptr;
    uint32_t enlarged_writes = 0;
};

} // namespace platform

namespace {

using platform::Surface;

HFONT display_font = nullptr;

// DirectDraw refuses most bad rectangles itself, but not every one
// everywhere (Wine stretches a copy between rectangles of unequal size),
// and the game counts on a sprite trimmed to nothing drawing nothing.
bool rect_inside(const Surface& s, const quobbin::RECT& r)
{
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom && r.right <= s.width &&
           r.bottom <= s.height;
}

bool same_size(const quobbin::RECT& a, const quobbin::RECT& b)
{
    return int64_t(a.right) - a.left == int64_t(b.right) - b.left &&
           int64_t(a.bottom) - a.top == int64_t(b.bottom) - b.top;
}

Surface* wrap(IDirectDrawSurface* dds)
{
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    auto* s = new (std::nothrow) Surface;
    if (!s || FAILED(dds->GetSurfaceDesc(&desc))) {
        delete s;
        dds->Release();
        return nullptr;
    }
    s->surface = dds;
    s->width = int(desc.dwWidth);
    s->height = int(desc.dwHeight);
    return s;
}

Surface* create_offscreen(IDirectDraw* ddraw, int width, int height, bool system_memory)
{
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = DWORD(width);
    desc.dwHeight = DWORD(height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | (system_memory ? DDSCAPS_SYSTEMMEMORY : 0);
    IDirectDrawSurface* dds = nullptr;
    if (FAILED(ddraw->CreateSurface(&desc, &dds, nullptr))) return nullptr;
    return wrap(dds);
}

// One row, each pixel repeated scale times: whole pixels where they are
// 16 or 32 bits, byte by byte otherwise.
template <typename Pixel> void widen_row(const uint8_t* row, uint8_t* put, LONG width, int scale)
{
    const auto* in = reinterpret_cast<const Pixel*>(row);
    auto* out = reinterpret_cast<Pixel*>(put);
    for (LONG x = 0; x < width; ++x)
        for (int i = 0; i < scale; ++i) *out++ = in[x];
}

void widen_row_bytes(const uint8_t* row, uint8_t* put, LONG width, int scale, size_t bytes)
{
    for (LONG x = 0; x < width; ++x, row += bytes)
        for (int i = 0; i < scale; ++i, put += bytes) std::memcpy(put, row, bytes);
}

// Copies src of from into the top-left of to, each pixel a block of
// scale x scale; both surfaces are in the display's format.
bool enlarge(Surface* from, const ::RECT& src, Surface* to, int scale)
{
    DDSURFACEDESC in{}, out{};
    in.dwSize = out.dwSize = sizeof in;
    if (FAILED(from->surface->Lock(nullptr, &in, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) return false;
    if (FAILED(to->surface->Lock(nullptr, &out, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr))) {
        from->surface->Unlock(nullptr);
        return false;
    }
    const size_t bytes = in.ddpfPixelFormat.dwRGBBitCount / 8;
    const LONG width = src.right - src.left;
    const bool ok = in.lpSurface && out.lpSurface && bytes > 0 && bytes <= 4 &&
                    out.ddpfPixelFormat.dwRGBBitCount == in.ddpfPixelFormat.dwRGBBitCount;
    for (LONG y = src.top; ok && y < src.bottom; ++y) {
        const auto* row = static_cast<const uint8_t*>(in.lpSurface) + y * in.lPitch + size_t(src.left) * bytes;
        auto* first = static_cast<uint8_t*>(out.lpSurface) + (y - src.top) * scale * out.lPitch;
        if (bytes == 4)
            widen_row<uint32_t>(row, first, width, scale);
        else if (bytes == 2)
            widen_row<uint16_t>(row, first, width, scale);
        else
            widen_row_bytes(row, first, width, scale, bytes);
        for (int i = 1; i < scale; ++i) std::memcpy(first + i * out.lPitch, first, size_t(width) * scale * bytes);
    }
    to->surface->Unlock(nullptr);
    from->surface->Unlock(nullptr);
    return ok;
}

// The enlarged picture of src, made again only when the BackBuffer has
// been drawn on since, or the enlarged one is new or was lost.
Surface* enlarged_picture(Surface* primary, Surface* back, const ::RECT& src, int scale)
{
    const int width = (src.right - src.left) * scale, height = (src.bottom - src.top) * scale;
    Surface*& enlarged = primary->enlarged;
    if (enlarged && (enlarged->width != width || enlarged->height != height)) {
        platform::surface_destroy(enlarged);
        enlarged = nullptr;
    }
    bool stale = primary->enlarged_from != back || primary->enlarged_writes != back->writes;
    if (!enlarged) {
        enlarged = create_offscreen(primary->ddraw, width, height, false);
        if (!enlarged) return nullptr;
        stale = true;
    }
    if (enlarged->surface->IsLost() == DDERR_SURFACELOST) {
        if (FAILED(enlarged->surface->Restore())) return nullptr;
        stale = true;
    }
    if (stale) {
        primary->enlarged_from = nullptr;
        if (!enlarge(back, src, enlarged, scale)) return nullptr;
        primary->enlarged_from = back;
        primary->enlarged_writes = back->writes;
    }
    return enlarged;
}

} // namespace

bool win32_present_cut(::RECT* dest, ::RECT* src, const ::RECT& desktop)
{
    const LONG cut_left = std::max(0L, desktop.left - dest->left);
    const LONG cut_top = std::max(0L, desktop.top - dest->top);
    const LONG cut_right = std::max(0L, dest->right - desktop.right);
    const LONG cut_bottom = std::max(0L, dest->bottom - desktop.bottom);
    *dest = ::RECT{dest->left + cut_left, dest->top + cut_top, dest->right - cut_right, dest->bottom - cut_bottom};
    *src = ::RECT{src->left + cut_left, src->top + cut_top, src->right - cut_right, src->bottom - cut_bottom};
    return dest->left < dest->right && dest->top < dest->bottom;
}

HDC win32_surface_dc(platform::Surface* surface)
{
    HDC dc = nullptr;
    if (!surface || FAILED(surface->surface->GetDC(&dc))) return nullptr;
    ++surface->writes;
    return dc;
}

void win32_surface_release_dc(platform::Surface* surface, HDC dc)
{
    if (surface && dc) surface->surface->ReleaseDC(dc);
}

IDirectDraw* win32_ddraw(platform::Display* display)
{
    return display ? display->ddraw : nullptr;
}

namespace platform {

Display* display_open(Window* window)
{
    IDirectDraw* ddraw = nullptr;
    if (FAILED(DirectDrawCreate(nullptr, &ddraw, nullptr))) return nullptr;
    auto* d = new (std::nothrow) Display;
    if (!d) {
        ddraw->Release();
        return nullptr;
    }
    d->ddraw = ddraw;
    d->hwnd = win32_hwnd(window);
    ddraw->SetCooperativeLevel(d->hwnd, DDSCL_NORMAL);
    return d;
}

// The window is normally gone by now. A dead handle could by then name
// another window, so the level is handed back without one, which the
// normal level allows.
void display_close(Display* display)
{
    if (!display) return;
    const HWND hwnd = IsWindow(display->hwnd) ? display->hwnd : nullptr;
    display->ddraw->SetCooperativeLevel(hwnd, DDSCL_NORMAL);
    display->ddraw->Release();
    delete display;
}

Surface* primary_create(Display* display, Window* window)
{
    if (!display) return nullptr;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* dds = nullptr;
    if (FAILED(display->ddraw->CreateSurface(&desc, &dds, nullptr))) return nullptr;
    Surface* primary = wrap(dds);
    if (!primary) return nullptr;
    primary->window = win32_hwnd(window);
    primary->ddraw = display->ddraw;
    // Without its clipper a present would also write over whatever covers
    // the window; the game still runs, so that is no reason to stop.
    IDirectDrawClipper* clipper = nullptr;
    if (SUCCEEDED(display->ddraw->CreateClipper(0, &clipper, nullptr))) {
        clipper->SetHWnd(0, win32_hwnd(window));
        primary->surface->SetClipper(clipper);
        primary->clipper = clipper;
    }
    return primary;
}

// The picture goes to the window's client area, wherever the frame around
// it puts it at this monitor's DPI, at the window's scale. It may lie
// partly off the desktop or under other windows. The clipper keeps the
// copy to what shows of the window, but Wine refuses a destination that
// reaches past the desktop's edge instead of clipping it, so the part off
// the whole desktop (every monitor's, which may lie left of or above the
// primary one) is cut away here first; the copy is one to one, so the
// source loses the same rows and columns.
int primary_present(Surface* primary, const quobbin::RECT& dest, Surface* back, const quobbin::RECT& src)
{
    if (!primary || !back || !rect_inside(*back, src) || !same_size(dest, src)) return 0;
    ::RECT s = win32_rect(src);
    POINT corner{0, 0};
    if (!primary->window || !ClientToScreen(primary->window, &corner)) corner = POINT{dest.left, dest.top};
    const int scale = win32_window_scale(primary->window);
    Surface* from = back;
    if (scale > 1) {
        from = enlarged_picture(primary, back, s, scale);
        if (!from) return 0;
        s = ::RECT{0, 0, from->width, from->height};
    }
    ::RECT d{corner.x, corner.y, corner.x + (s.right - s.left), corner.y + (s.bottom - s.top)};
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const ::RECT desktop{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    if (!win32_present_cut(&d, &s, desktop)) return 1; // wholly off the desktop: nothing to show
    return SUCCEEDED(primary->surface->Blt(&d, from->surface, &s, DDBLT_WAIT, nullptr)) ? 1 : 0;
}

Surface* surface_create(Display* display, int width, int height, bool system_memory)
{
    if (!display || width <= 0 || height <= 0) return nullptr;
    return create_offscreen(display->ddraw, width, height, system_memory);
}

void surface_destroy(Surface* surface)
{
    if (!surface) return;
    surface_destroy(surface->enlarged);
    surface->surface->Release();
    if (surface->clipper) surface->clipper->Release();
    delete surface;
}

void surface_set_colour_key(Surface* surface, uint32_t key)
{
    if (!surface) return;
    DDCOLORKEY k{key, key};
    surface->surface->SetColorKey(DDCKEY_SRCBLT, &k);
}

int surface_blit(Surface* dst, const quobbin::RECT& dst_rect, Surface* src, const quobbin::RECT& src_rect, bool keyed)
{
    if (!dst || !src || !rect_inside(*dst, dst_rect) || !rect_inside(*src, src_rect) || !same_size(dst_rect, src_rect))
        return 0;
    ::RECT d = win32_rect(dst_rect);
    ::RECT s = win32_rect(src_rect);
    const DWORD flags = DDBLT_WAIT | (keyed ? DDBLT_KEYSRC : 0);
    ++dst->writes;
    return SUCCEEDED(dst->surface->Blt(&d, src->surface, &s, flags, nullptr)) ? 1 : 0;
}

int surface_fill(Surface* dst, const quobbin::RECT& rect, uint32_t colour)
{
    if (!dst || !rect_inside(*dst, rect)) return 0;
    ::RECT r = win32_rect(rect);
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = colour;
    ++dst->writes;
    return SUCCEEDED(dst->surface->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx)) ? 1 : 0;
}

int surface_lock(Surface* surface, SurfaceLock* lock)
{
    if (!surface || !lock) return 0;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    if (FAILED(surface->surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr))) return 0;
    ++surface->writes;
    if (!desc.lpSurface) {
        surface->surface->Unlock(nullptr);
        return 0;
    }
    const DDPIXELFORMAT& f = desc.ddpfPixelFormat;
    *lock = SurfaceLock{static_cast<uint8_t*>(desc.lpSurface),
                        int(desc.lPitch),
                        int(desc.dwWidth),
                        int(desc.dwHeight),
                        int(f.dwRGBBitCount),
                        uint32_t(f.dwRBitMask),
                        uint32_t(f.dwGBitMask),
                        uint32_t(f.dwBBitMask)};
    return 1;
}

void surface_unlock(Surface* surface)
{
    if (surface) surface->surface->Unlock(nullptr);
}

bool surface_is_lost(Surface* surface)
{
    return surface && surface->surface->IsLost() == DDERR_SURFACELOST;
}

// A display mode change is what takes surfaces away; the primary comes
// back at the desktop's new size.
int surface_restore(Surface* surface)
{
    if (!surface || FAILED(surface->surface->Restore())) return 0;
    ++surface->writes;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    if (SUCCEEDED(surface->surface->GetSurfaceDesc(&desc))) {
        surface->width = int(desc.dwWidth);
        surface->height = int(desc.dwHeight);
    }
    return 1;
}

uint32_t surface_get_pixel_rgb(Surface* surface, int x, int y)
{
    const HDC dc = win32_surface_dc(surface);
    if (!dc) return CLR_INVALID;
    const COLORREF rgb = GetPixel(dc, x, y);
    win32_surface_release_dc(surface, dc);
    return rgb;
}

int surface_set_pixel_rgb(Surface* surface, int x, int y, uint32_t rgb)
{
    const HDC dc = win32_surface_dc(surface);
    if (!dc) return 0;
    const COLORREF set = SetPixel(dc, x, y, rgb);
    win32_surface_release_dc(surface, dc);
    return set != CLR_INVALID ? 1 : 0;
}

// A second font replaces the first rather than leaking it.
void display_font_open(const char* face, int width, int height)
{
    display_font_close();
    display_font = CreateFontA(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, face);
}

void display_font_close()
{
    if (display_font) DeleteObject(display_font);
    display_font = nullptr;
}

} // namespace platform
