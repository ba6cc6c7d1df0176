#include "gfx/view.h"

#include <cstring>

namespace {

platform::Display* device = nullptr;
platform::Surface* back_buffer = nullptr;
int scale = 1;
char directory_buffer[BITMAP_DIR_SIZE] = {};

} // namespace

int view_scale()
{
    return scale;
}

const char* bitmap_dir()
{
    return directory_buffer;
}

platform::Display* display_device()
{
    return device;
}

platform::Surface* display_back_buffer()
{
    return back_buffer;
}

RECT& scale_rect(RECT& rect)
{
    rect.left *= scale;
    rect.top *= scale;
    rect.right *= scale;
    rect.bottom *= scale;
    return rect;
}

void view_set_bitmap_dir(const char* directory)
{
    std::memset(directory_buffer, 0, sizeof directory_buffer);
    if (directory) std::strncpy(directory_buffer, directory, BITMAP_DIR_SIZE - 1);
}

void view_set_device(platform::Display* new_device)
{
    device = new_device;
}

void view_set_back_buffer(platform::Surface* new_back_buffer)
{
    back_buffer = new_back_buffer;
}

void view_set_scale(int new_scale)
{
    scale = new_scale;
}
