#include "support/bmp.h"

#include "image.h"

#include <fstream>

std::vector<uint8_t> make_bmp(int width, int height, const std::function<uint32_t(int, int)>& colour)
{
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.set(x, y, colour(x, y));
    return encode_bmp(image, 24);
}

std::vector<uint8_t> make_solid_bmp(int width, int height, uint32_t colour)
{
    return make_bmp(width, height, [colour](int, int) { return colour; });
}

void write_file(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
