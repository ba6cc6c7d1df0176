// Bitmaps from the executable's resources or from files, at their own size,
// and their copy into a surface enlarged by an integer factor. Black in the
// bitmap becomes native colour 0 in the surface.
#pragma once

#include "platform/graphics.h"

namespace platform {

struct Bitmap;

Bitmap* bitmap_load_resource(const char* name);
Bitmap* bitmap_load_file(const char* path);
void bitmap_size(const Bitmap* bitmap, int* width, int* height);
// Copies the whole bitmap to the surface's top-left corner, each pixel
// becoming scale x scale; what falls outside the surface is cut off.
void bitmap_copy_to_surface(const Bitmap* bitmap, Surface* surface, int scale);
void bitmap_free(Bitmap* bitmap);

} // namespace platform
