// The display operations that are the same wherever surfaces live in
// memory and the screen is the backend's own (SDL, the web): surfaces
// are made there and never lost, and the display has no font.
#include "platform/soft/soft_platform.h"

#include <new>

namespace platform {

Surface* primary_create(Display* display, Window*)
{
    if (!display) return nullptr;
    auto* p = new (std::nothrow) Surface;
    if (p) p->primary = true;
    return p;
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
