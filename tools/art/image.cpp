#include "image.h"

#include <cstdio>
#include <map>

void Image::paste(const Image& src, int x, int y, bool keyed)
{
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i) {
            uint32_t c = src.get(i, j);
            if (keyed && c == 0) continue;
            set(x + i, y + j, c);
        }
}

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

bool save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) std::fprintf(stderr, "artgen: short write on %s\n", path.c_str());
    return ok;
}

} // namespace

std::vector<uint8_t> encode_bmp(const Image& image, int bits, std::string* error)
{
    if (bits != 4 && bits != 8 && bits != 24) {
        if (error) *error = "unsupported depth " + std::to_string(bits);
        return {};
    }
    std::vector<uint32_t> palette;
    std::map<uint32_t, uint32_t> index_of;
    if (bits <= 8) {
        for (uint32_t c : image.pixels) {
            if (index_of.count(c)) continue;
            index_of[c] = uint32_t(palette.size());
            palette.push_back(c);
        }
        if (palette.size() > (1u << bits)) {
            if (error)
                *error = std::to_string(palette.size()) + " colours, more than " + std::to_string(bits) + " bits hold";
            return {};
        }
        palette.resize(size_t(1) << bits, 0);
    }
    const uint32_t row_bytes = ((uint32_t(image.width) * uint32_t(bits) + 31) / 32) * 4;
    const uint32_t pixel_bytes = row_bytes * uint32_t(image.height);
    const uint32_t offset = 14 + 40 + uint32_t(palette.size()) * 4;

    std::vector<uint8_t> out;
    out.reserve(offset + pixel_bytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + pixel_bytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, uint32_t(image.width));
    put32(out, uint32_t(image.height));
    put16(out, 1);
    put16(out, uint32_t(bits));
    put32(out, 0); // BI_RGB
    put32(out, pixel_bytes);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, bits <= 8 ? uint32_t(palette.size()) : 0);
    put32(out, 0);
    for (uint32_t c : palette) {
        out.push_back(uint8_t(c));
        out.push_back(uint8_t(c >> 8));
        out.push_back(uint8_t(c >> 16));
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(row_bytes, 0);
        for (int x = 0; x < image.width; ++x) {
            uint32_t c = image.get(x, y);
            if (bits == 24) {
                row[size_t(x) * 3 + 0] = uint8_t(c);
                row[size_t(x) * 3 + 1] = uint8_t(c >> 8);
                row[size_t(x) * 3 + 2] = uint8_t(c >> 16);
            } else if (bits == 8) {
                row[size_t(x)] = uint8_t(index_of[c]);
            } else {
                uint8_t v = uint8_t(index_of[c]);
                row[size_t(x) / 2] |= (x & 1) ? v : uint8_t(v << 4);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool write_bmp(const std::string& path, const Image& image, int bits)
{
    std::string error;
    std::vector<uint8_t> bytes = encode_bmp(image, bits, &error);
    if (bytes.empty()) {
        std::fprintf(stderr, "artgen: %s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    return save(path, bytes);
}

bool write_ico(const std::string& path, const std::vector<Image>& images)
{
    std::vector<std::vector<uint8_t>> entries;
    for (const Image& im : images) {
        std::vector<uint8_t> e;
        const uint32_t mask_row = ((uint32_t(im.width) + 31) / 32) * 4;
        put32(e, 40);
        put32(e, uint32_t(im.width));
        put32(e, uint32_t(im.height) * 2); // colour rows plus mask rows
        put16(e, 1);
        put16(e, 32);
        put32(e, 0);
        put32(e, uint32_t(im.width * im.height * 4) + mask_row * uint32_t(im.height));
        put32(e, 0);
        put32(e, 0);
        put32(e, 0);
        put32(e, 0);
        for (int y = im.height - 1; y >= 0; --y)
            for (int x = 0; x < im.width; ++x) {
                uint32_t c = im.get(x, y);
                e.push_back(uint8_t(c));
                e.push_back(uint8_t(c >> 8));
                e.push_back(uint8_t(c >> 16));
                e.push_back(c == 0 ? 0 : 255);
            }
        for (int y = im.height - 1; y >= 0; --y) {
            std::vector<uint8_t> row(mask_row, 0);
            for (int x = 0; x < im.width; ++x)
                if (im.get(x, y) == 0) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
            e.insert(e.end(), row.begin(), row.end());
        }
        entries.push_back(std::move(e));
    }
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].width >= 256 ? 0 : images[i].width));
        out.push_back(uint8_t(images[i].height >= 256 ? 0 : images[i].height));
        out.push_back(0);
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, uint32_t(entries[i].size()));
        put32(out, offset);
        offset += uint32_t(entries[i].size());
    }
    for (auto& e : entries) out.insert(out.end(), e.begin(), e.end());
    return save(path, out);
}
