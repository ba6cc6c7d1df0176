// The platform's surfaces and bitmaps as software pixels, shared by the SDL
// and headless backends: one record each, and the operations that are the
// same on both (copies, fills, locks, pixel conversion, bitmap loading).
// Each backend makes, releases, loses and restores surfaces its own way.
#pragma once

#include "platform/bitmap.h"
#include "platform/graphics.h"
#include "platform/soft/soft_surface.h"

namespace platform {

struct Surface {
    SoftSurface soft;
    bool lost = false;    // the headless backend can lose a surface on a test's word
    bool primary = false; // the screen itself: drawn on only by a present
};

struct Bitmap {
    SoftSurface pixels;
};

} // namespace platform
