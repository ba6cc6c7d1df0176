#include "platform/soft/soft_bitmap.h"

#include "platform/bmp_header.h"
#include "platform/files.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace {

// One of red, green and blue in a 16- to 32-bit pixel.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int width = 0;
};

// A judged file's pixels and what turns them into colours.
struct Picture {
    std::span<const uint8_t> bytes;
    BmpLayout layout;
    // Indices past the file's palette read as black, as on Windows.
    std::array<uint32_t, 256> palette{};
    std::array<Channel, 3> channels{};
};

// A channel's bits made into a byte the way SDL makes them: the top eight
// of a wider channel, a narrower one scaled so its largest value is 255.
uint32_t widen(uint32_t value, const Channel& c)
{
    const uint32_t v = (value & c.mask) >> c.shift;
    if (c.width >= 8) return v >> (c.width - 8);
    return c.width ? v * 255 / ((1u << c.width) - 1) : 0;
}

Picture picture_of(std::span<const uint8_t> bytes, const BmpLayout& layout)
{
    Picture p{bytes, layout};
    for (int i = 0; i < layout.palette_size; ++i) {
        const uint8_t* e = bytes.data() + layout.palette_at + size_t(i) * size_t(layout.palette_entry);
        p.palette[size_t(i)] = uint32_t(e[2]) << 16 | uint32_t(e[1]) << 8 | e[0];
    }
    for (size_t i = 0; i < 3; ++i) {
        const uint32_t m = layout.masks[i];
        if (m) p.channels[i] = {m, std::countr_zero(m), std::popcount(m)};
    }
    return p;
}

void decode_row(const Picture& p, const uint8_t* row, uint32_t* out)
{
    const int width = p.layout.width;
    switch (p.layout.bits) {
    case 1:
        for (int x = 0; x < width; ++x) out[x] = p.palette[row[x / 8] >> (7 - x % 8) & 1];
        break;
    case 4:
        for (int x = 0; x < width; ++x) out[x] = p.palette[row[x / 2] >> (x % 2 ? 0 : 4) & 15];
        break;
    case 8:
        for (int x = 0; x < width; ++x) out[x] = p.palette[row[x]];
        break;
    default: {
        const int bytes = p.layout.bits / 8;
        for (int x = 0; x < width; ++x) {
            uint32_t value = 0;
            for (int i = bytes - 1; i >= 0; --i) value = value << 8 | row[x * bytes + i];
            out[x] = widen(value, p.channels[0]) << 16 | widen(value, p.channels[1]) << 8 | widen(value, p.channels[2]);
        }
    }
    }
}

// The judge has seen every row inside the bytes.
void decode_rows(const Picture& p, SoftSurface* s)
{
    const BmpLayout& b = p.layout;
    const size_t stride = (size_t(b.width) * size_t(b.bits) + 31) / 32 * 4;
    for (int r = 0; r < b.height; ++r) {
        const int y = b.top_down ? r : b.height - 1 - r;
        decode_row(p, p.bytes.data() + b.pixels_at + size_t(r) * stride, s->pixels.get() + size_t(y) * size_t(b.width));
    }
}

// Run-length coded pixels: pairs of a count and an index (or, at 4 bits,
// two alternating indices), and escapes after a zero count: end of line,
// end of bitmap, a jump right and up, or a run of indices as they are,
// padded to a whole 16-bit word. Rows run from the bottom up; what the
// stream never sets stays black. A stream that writes outside the picture,
// jumps out of it or ends before its end-of-bitmap is refused.
bool decode_rle(const Picture& p, SoftSurface* s)
{
    const BmpLayout& b = p.layout;
    const std::span<const uint8_t> in = p.bytes;
    const bool four = b.compression == BMP_RLE4;
    size_t at = b.pixels_at;
    int x = 0, y = 0; // y counts rows from the bottom
    auto put = [&](unsigned index) {
        if (x >= b.width || y >= b.height) return false;
        s->pixels[size_t(b.height - 1 - y) * size_t(b.width) + size_t(x)] = p.palette[index];
        ++x;
        return true;
    };
    while (in.size() - at >= 2) {
        const unsigned count = in[at], value = in[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                if (!put(four ? (i % 2 ? value & 15 : value >> 4) : value)) return false;
        } else if (value == 0) {
            x = 0;
            if (++y > b.height) return false;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (in.size() - at < 2) return false;
            x += in[at];
            y += in[at + 1];
            at += 2;
            if (x > b.width || y > b.height) return false;
        } else {
            const size_t used = four ? (value + 1) / 2 : value;
            const size_t padded = used + used % 2;
            if (in.size() - at < padded) return false;
            for (unsigned i = 0; i < value; ++i) {
                const unsigned byte = in[at + (four ? i / 2 : i)];
                if (!put(four ? (i % 2 ? byte & 15 : byte >> 4) : byte)) return false;
            }
            at += padded;
        }
    }
    return false;
}

} // namespace

bool soft_bitmap_decode(std::span<const uint8_t> bytes, SoftSurface* out)
{
    BmpLayout layout;
    if (!bmp_file_plausible(bytes, &layout)) return false;
    const Picture p = picture_of(bytes, layout);
    SoftSurface s;
    if (!soft_surface_init(&s, layout.width, layout.height)) return false;
    if (layout.compression == BMP_RLE8 || layout.compression == BMP_RLE4) {
        if (!decode_rle(p, &s)) return false;
    } else {
        decode_rows(p, &s);
    }
    *out = std::move(s);
    return true;
}

// The file is read whole and its headers judged (by the decoder, first)
// before its pixels are allocated, so a FIFO never blocks and a file that
// claims a vast picture is refused without ever costing its size.
bool soft_bitmap_load_file(const char* path, SoftSurface* out)
{
    const long size = platform::file_size(path);
    if (size <= 0 || size > BMP_FILE_SIZE_LIMIT) return false;
    std::vector<uint8_t> bytes(size_t(size), 0);
    const long n = platform::file_read(path, bytes.data(), bytes.size());
    if (n <= 0) return false;
    bytes.resize(size_t(n));
    return soft_bitmap_decode(bytes, out);
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
    soft_surface_index_spans(dst);
}
