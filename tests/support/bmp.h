// Bitmap files made in memory, for resources and files in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A 24-bit .bmp of width x height whose pixel (x, y) is colour(x, y), 0xRRGGBB.
std::vector<uint8_t> make_bmp(int width, int height, const std::function<uint32_t(int, int)>& colour);
std::vector<uint8_t> make_solid_bmp(int width, int height, uint32_t colour);
void write_file(const std::string& path, const std::vector<uint8_t>& bytes);
