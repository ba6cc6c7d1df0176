#include "platform/sdl/sdl_icon.h"

#include "platform/resource.h"

#include <SDL.h>

#include <cstdlib>

namespace {

constexpr size_t DIR_SIZE = 6;
constexpr size_t ENTRY_SIZE = 16;
constexpr uint32_t INFO_HEADER_SIZE = 40;
constexpr uint32_t MAX_SIDE = 256;

uint32_t get16(std::span<const uint8_t> b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}

uint32_t get32(std::span<const uint8_t> b, size_t at)
{
    return get16(b, at) | get16(b, at + 2) << 16;
}

} // namespace

bool icon_decode(std::span<const uint8_t> ico, int want, IconImage* out)
{
    if (ico.size() < DIR_SIZE || get16(ico, 0) != 0 || get16(ico, 2) != 1) return false;
    const size_t count = get16(ico, 4);
    if (count == 0 || ico.size() < DIR_SIZE + count * ENTRY_SIZE) return false;

    size_t best = count;
    int best_width = 0;
    for (size_t i = 0; i < count; ++i) {
        const int width = ico[DIR_SIZE + i * ENTRY_SIZE] ? ico[DIR_SIZE + i * ENTRY_SIZE] : int(MAX_SIDE);
        const bool nearer = best == count || std::abs(width - want) < std::abs(best_width - want) ||
                            (std::abs(width - want) == std::abs(best_width - want) && width > best_width);
        if (nearer) {
            best = i;
            best_width = width;
        }
    }
    const size_t entry = DIR_SIZE + best * ENTRY_SIZE;
    const uint64_t size = get32(ico, entry + 8);
    const uint64_t offset = get32(ico, entry + 12);
    if (offset + size > ico.size() || size < INFO_HEADER_SIZE) return false;
    const std::span<const uint8_t> dib = ico.subspan(size_t(offset), size_t(size));

    const uint32_t width = get32(dib, 4);
    const uint32_t rows = get32(dib, 8); // colour rows and mask rows
    if (get32(dib, 0) != INFO_HEADER_SIZE || width == 0 || width > MAX_SIDE || rows != 2 * width ||
        get16(dib, 12) != 1 || get16(dib, 14) != 32 || get32(dib, 16) != 0)
        return false;
    const uint32_t height = width;
    const uint64_t pixel_bytes = uint64_t(width) * height * 4;
    if (INFO_HEADER_SIZE + pixel_bytes > dib.size()) return false;

    out->width = int(width);
    out->height = int(height);
    out->argb.assign(size_t(width) * height, 0);
    for (uint32_t y = 0; y < height; ++y) {
        const size_t row = INFO_HEADER_SIZE + size_t(height - 1 - y) * width * 4; // stored bottom row first
        for (uint32_t x = 0; x < width; ++x) {
            const size_t p = row + size_t(x) * 4;
            out->argb[size_t(y) * width + x] =
                uint32_t(dib[p + 3]) << 24 | uint32_t(dib[p + 2]) << 16 | uint32_t(dib[p + 1]) << 8 | dib[p];
        }
    }
    return true;
}

// The seal's face from the icon resource, at the size window managers like.
void sdl_set_icon(SDL_Window* window)
{
    IconImage icon;
    if (!icon_decode(platform::resource_find("0", "ICON"), 32, &icon)) return;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(icon.argb.data(), icon.width, icon.height, 32, icon.width * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    if (!s) return;
    SDL_SetWindowIcon(window, s);
    SDL_FreeSurface(s);
}
