// The executable's resources, found by name and type, ignoring case.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

// One resource: its name, its type and its bytes.
struct Resource {
    const char* name;
    const char* type;
    std::span<const uint8_t> bytes;
};

// Empty when there is no such resource. Where the resources are embedded
// from res/quobbin.rc, a bitmap is found with the type "BITMAP" and holds a
// whole .bmp file; on Windows the resource compiler stores bitmaps in a form
// of its own, and the pictures come through bitmap_load_resource instead.
std::span<const uint8_t> resource_find(const char* name, const char* type);

} // namespace platform
