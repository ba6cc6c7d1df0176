// A minimal PNG writer (8-bit RGB, zlib-compressed) for the screenshots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// pixels are 0xRRGGBB, row-major. Returns false when the file cannot be written.
bool write_png(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);
