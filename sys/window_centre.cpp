// Centring on the work area. The main window has no parent, so the work
// area is both the reference to centre on and the area to stay inside.
#include "sys/window_centre.h"

#include "platform/system.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// Wide enough that no pair of rectangle coordinates can overflow.
int32_t to_int32(int64_t v)
{
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

void window_centre(platform::Window* window)
{
    const RECT work = platform::work_area();
    const RECT rect = platform::window_rect(window);
    const RECT& reference = work;

    const int64_t width = int64_t(rect.right) - rect.left;
    const int64_t height = int64_t(rect.bottom) - rect.top;
    // Division truncates toward zero: an odd difference loses its half.
    int64_t x = reference.left + (int64_t(reference.right) - reference.left - width) / 2;
    int64_t y = reference.top + (int64_t(reference.bottom) - reference.top - height) / 2;

    // Left and top first, then right and bottom, so that a window larger
    // than the work area shows its right and bottom edges.
    if (x < work.left) x = work.left;
    if (y < work.top) y = work.top;
    if (x + width > work.right) x = work.right - width;
    if (y + height > work.bottom) y = work.bottom - height;

    platform::window_move_and_show(window, to_int32(x), to_int32(y));
}
