#include "platform/soft/soft_bitmap.h"

#include "platform/bmp_header.h"
#include "platform/files.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

namespace {

bool decode(SDL_RWops* rw, SoftSurface* out)
{
    if (!rw) return false;
    SDL_Surface* loaded = SDL_LoadBMP_RW(rw, 1);
    if (!loaded) return false;
    SDL_Surface* xrgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    if (!xrgb) return false;
    bool ok = soft_surface_init(out, xrgb->w, xrgb->h);
    if (ok) {
        for (int y = 0; y < xrgb->h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(xrgb->pixels) +
                                                                size_t(y) * size_t(xrgb->pitch));
            uint32_t* dst = out->pixels.get() + size_t(y) * size_t(xrgb->w);
            // The unused top byte is whatever SDL left there; black must be 0.
            for (int x = 0; x < xrgb->w; ++x) dst[x] = row[x] & 0x00FFFFFFu;
        }
    }
    SDL_FreeSurface(xrgb);
    return ok;
}

} // namespace

bool soft_bitmap_decode(std::span<const uint8_t> bytes, SoftSurface* out)
{
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return false;
    return decode(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), out);
}

// The file is read whole and its headers judged before SDL sees it, so a
// FIFO never blocks and a file that claims a vast picture is refused
// before its pixels are allocated.
bool soft_bitmap_load_file(const char* path, SoftSurface* out)
{
    const long size = platform::file_size(path);
    if (size <= 0 || size > BMP_FILE_SIZE_LIMIT) return false;
    std::vector<uint8_t> bytes(size_t(size), 0);
    const long n = platform::file_read(path, bytes.data(), bytes.size());
    if (n <= 0) return false;
    bytes.resize(size_t(n));
    return bmp_file_plausible(bytes) && soft_bitmap_decode(bytes, out);
}

void soft_bitmap_copy(const SoftSurface& bitmap, SoftSurface* dst, int scale)
{
    if (!dst || !dst->pixels || !bitmap.pixels || scale < 1) return;
    const int w = std::min(bitmap.width * scale, dst->width);
    const int h = std::min(bitmap.height * scale, dst->height);
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = bitmap.pixels.get() + size_t(y / scale) * size_t(bitmap.width);
        uint32_t* d = dst->pixels.get() + size_t(y) * size_t(dst->width);
        for (int x = 0; x < w; ++x) d[x] = src[x / scale];
    }
}
