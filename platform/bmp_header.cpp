#include "platform/bmp_header.h"

#include <bit>

namespace {

constexpr size_t FILE_HEADER_SIZE = 14;
constexpr uint32_t CORE_HEADER_SIZE = 12; // the oldest form: 16-bit sizes, 3-byte palette entries
constexpr uint32_t INFO_HEADER_SIZE = 40;
// The masks sit right after the 40-byte header, inside the larger ones.
constexpr size_t MASKS_AT = FILE_HEADER_SIZE + INFO_HEADER_SIZE;

uint32_t get16(std::span<const uint8_t> b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}

uint32_t get32(std::span<const uint8_t> b, size_t at)
{
    return get16(b, at) | get16(b, at + 2) << 16;
}

// The 40-byte header and the versions Windows grew from it (52 and 56 bytes
// with masks in the header, then 108 and 124); not OS/2's 64-byte one,
// whose compression numbers mean other things.
bool info_header_known(uint32_t size)
{
    return size == INFO_HEADER_SIZE || size == 52 || size == 56 || size == 108 || size == 124;
}

bool depth_known(uint32_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// A mask is one unbroken run of bits, or nothing at all.
bool mask_usable(uint32_t mask)
{
    return mask == 0 || std::popcount(mask) == int(std::bit_width(mask)) - std::countr_zero(mask);
}

} // namespace

bool bmp_file_plausible(std::span<const uint8_t> file, BmpLayout* layout)
{
    if (file.size() < FILE_HEADER_SIZE + CORE_HEADER_SIZE || file[0] != 'B' || file[1] != 'M') return false;
    if (long(file.size()) > BMP_FILE_SIZE_LIMIT) return false;
    BmpLayout b;
    b.pixels_at = get32(file, 10);
    const uint32_t header_size = get32(file, 14);
    b.palette_at = FILE_HEADER_SIZE + header_size;
    int64_t width = 0, height = 0;
    uint32_t colours_used = 0;
    if (header_size == CORE_HEADER_SIZE) {
        width = get16(file, 18);
        height = get16(file, 20);
        b.bits = int(get16(file, 24));
        b.palette_entry = 3;
    } else {
        if (!info_header_known(header_size) || file.size() < b.palette_at) return false;
        width = int32_t(get32(file, 18));
        height = int32_t(get32(file, 22)); // negative: rows top down
        b.bits = int(get16(file, 28));
        b.compression = get32(file, 30);
        colours_used = get32(file, 46);
    }
    b.top_down = height < 0;
    if (height < 0) height = -height;
    if (width < 1 || height < 1 || width > BMP_FILE_SIDE_LIMIT || height > BMP_FILE_SIDE_LIMIT) return false;
    if (!depth_known(uint32_t(b.bits))) return false;
    b.width = int(width);
    b.height = int(height);

    if (b.bits <= 8) {
        // The palette may be shorter than the depth allows, never longer.
        const uint32_t most = 1u << b.bits;
        if (colours_used > most) return false;
        b.palette_size = int(colours_used ? colours_used : most);
        if (b.palette_at + size_t(b.palette_size) * size_t(b.palette_entry) > file.size()) return false;
    } else if (b.compression == BMP_BITFIELDS) {
        if (MASKS_AT + 12 > file.size()) return false;
        for (size_t i = 0; i < 3; ++i) b.masks[i] = get32(file, MASKS_AT + 4 * i);
    } else if (b.bits == 16) {
        b.masks = {0x7C00, 0x03E0, 0x001F};
    } else {
        b.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    }
    for (uint32_t mask : b.masks)
        if (!mask_usable(mask)) return false;

    bool stored_right = false;
    switch (b.compression) {
    case BMP_BITFIELDS:
        if (b.bits != 16 && b.bits != 32) return false;
        [[fallthrough]];
    case BMP_RGB: {
        // Rows are padded to four bytes, and every one must be there.
        const int64_t row = (width * b.bits + 31) / 32 * 4;
        stored_right = int64_t(b.pixels_at) + row * height <= int64_t(file.size());
        break;
    }
    case BMP_RLE8:
    case BMP_RLE4:
        // Windows never codes rows from the top down.
        stored_right = b.bits == (b.compression == BMP_RLE8 ? 8 : 4) && !b.top_down && b.pixels_at < file.size();
        break;
    }
    if (stored_right && layout) *layout = b;
    return stored_right;
}
