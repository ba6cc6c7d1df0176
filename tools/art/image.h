// A plain RGB canvas for the art generator, and the writers that turn it
// into the exact files the game loads. Colours are 0xRRGGBB; pure black
// (0x000000) is the transparent colour of every picture in the game, so
// outlines and shadows use near-black and only "nothing here" is 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // row-major, top row first

    Image() = default;
    Image(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}

    uint32_t get(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0;
        return pixels[size_t(y) * size_t(width) + size_t(x)];
    }
    void set(int x, int y, uint32_t c)
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        pixels[size_t(y) * size_t(width) + size_t(x)] = c;
    }
    // Copies another image in at (x, y); with keyed set, its black pixels are skipped.
    void paste(const Image& src, int x, int y, bool keyed = false);
};

// Writes an uncompressed Windows bitmap (BITMAPINFOHEADER, bottom-up rows).
// bits is 4, 8 or 24. For 4 and 8 bits the palette is built from the colours
// the image uses, in order of first use; more colours than fit is an error.
// Returns false and prints why on failure.
bool write_bmp(const std::string& path, const Image& image, int bits);
// The same bytes in memory; empty (and the reason in error) on failure.
std::vector<uint8_t> encode_bmp(const Image& image, int bits, std::string* error = nullptr);

// Writes a Windows icon file holding the given images (32-bit with alpha
// taken from the transparent black: black pixels become fully transparent).
bool write_ico(const std::string& path, const std::vector<Image>& images);

// Writes a PNG (zlib-compressed). With keyed set the picture gets an alpha
// channel in which pure black is fully transparent, as in the icon.
bool write_png(const std::string& path, const Image& image, bool keyed = false);
