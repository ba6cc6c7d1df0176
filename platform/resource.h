// The executable's resources, found by name and type, ignoring case.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

// Bitmap resources have the type "BITMAP" and hold a whole .bmp file.
// Empty when there is no such resource.
std::span<const uint8_t> resource_find(const char* name, const char* type);

} // namespace platform
