#include "platform/bmp_header.h"

namespace {

constexpr size_t FILE_HEADER_SIZE = 14;
constexpr uint32_t CORE_HEADER_SIZE = 12; // the oldest form: 16-bit sizes
constexpr uint32_t INFO_HEADER_SIZE = 40;
constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;

uint32_t get16(std::span<const uint8_t> b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}

uint32_t get32(std::span<const uint8_t> b, size_t at)
{
    return get16(b, at) | get16(b, at + 2) << 16;
}

bool depth_known(uint32_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

bool bmp_file_plausible(std::span<const uint8_t> file)
{
    if (file.size() < FILE_HEADER_SIZE + CORE_HEADER_SIZE || file[0] != 'B' || file[1] != 'M') return false;
    if (long(file.size()) > BMP_FILE_SIZE_LIMIT) return false;
    const uint32_t pixels_at = get32(file, 10);
    const uint32_t header_size = get32(file, 14);
    int64_t width = 0, height = 0;
    uint32_t bits = 0, compression = BI_RGB;
    if (header_size == CORE_HEADER_SIZE) {
        width = get16(file, 18);
        height = get16(file, 20);
        bits = get16(file, 24);
    } else {
        if (header_size < INFO_HEADER_SIZE || file.size() < FILE_HEADER_SIZE + INFO_HEADER_SIZE) return false;
        width = int32_t(get32(file, 18));
        height = int32_t(get32(file, 22)); // negative: rows top down
        bits = get16(file, 28);
        compression = get32(file, 30);
    }
    if (height < 0) height = -height;
    if (width < 1 || height < 1 || width > BMP_FILE_SIDE_LIMIT || height > BMP_FILE_SIDE_LIMIT) return false;
    if (!depth_known(bits)) return false;
    switch (compression) {
    case BI_RGB:
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS: {
        // Rows are padded to four bytes, and every one must be there.
        const int64_t row = (width * bits + 31) / 32 * 4;
        return int64_t(pixels_at) + row * height <= int64_t(file.size());
    }
    case BI_RLE8:
        return bits == 8 && pixels_at < file.size();
    case BI_RLE4:
        return bits == 4 && pixels_at < file.size();
    default:
        return false;
    }
}
