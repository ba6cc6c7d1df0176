// Drawing helpers shared by the lettering and the scenery: one-bit masks
// (shapes, pixel-font text, stroked curves) and a stamp that turns a mask
// into outlined, shaded lettering on a palette image.
#pragma once

#include "image.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace paint {

// Near-black for every outline and shadow; pure black stays transparent.
constexpr uint32_t INK = 0x101018;

struct Mask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bits;

    Mask() = default;
    Mask(int w, int h) : width(w), height(h), bits(size_t(w) * size_t(h), 0) {}

    bool at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return false;
        return bits[size_t(y) * size_t(width) + size_t(x)] != 0;
    }
    void set(int x, int y, bool on = true)
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        bits[size_t(y) * size_t(width) + size_t(x)] = on ? 1 : 0;
    }
};

// Copies src into dst at (x, y), or-ing its set pixels in.
void merge(Mask& dst, const Mask& src, int x, int y);

// Scales a pixel pattern ('#' set, anything else clear) to sx by sy pixels
// a cell, rounding convex corners and filling concave ones with a quarter
// circle of radius `round` cells (0 keeps the blocks square).
Mask pattern_mask(const std::vector<std::string>& rows, double sx, double sy, double round);

// Geometric pen for logotypes: sets (or clears, with on == false) every pixel
// whose centre lies within the shape. Angles are in degrees, clockwise from
// east since y grows downward.
void disc(Mask& m, double cx, double cy, double r, bool on = true);
void capsule(Mask& m, double x0, double y0, double x1, double y1, double r, bool on = true);
void arc(Mask& m, double cx, double cy, double radius, double from_deg, double to_deg, double half_width,
         bool on = true);

// Splits a pattern written as rows joined by '|'.
std::vector<std::string> split_rows(const char* rows);

// The 5x7 pixel font: rows of one glyph, top row first. Rows 0..6 sit on the
// baseline; glyphs with descenders have one or two more rows.
const std::vector<std::string>& glyph(char c);

// How text_mask sets a line in the pixel font.
struct Pen {
    int scale = 1;       // each font pixel becomes scale x scale pixels
    bool bold = false;   // vertical strokes one font pixel thicker
    bool narrow = false; // five-wide glyphs lose their middle column (round letters only)
    int extra = 0;       // pixels added between glyphs
};

// Lays out a line of text, glyphs one font pixel apart. A '^' toggles the
// accent: accented glyphs also go into *accent when given. The mask is
// 9 * scale tall with the baseline at row 7 * scale - 1.
Mask text_mask(std::string_view text, const Pen& pen, Mask* accent = nullptr);

// How a mask becomes lettering.
struct Style {
    std::vector<uint32_t> ramp; // face colours, top to bottom
    int ramp_top = 0;           // mask rows the ramp spans; bottom == 0 means the whole mask
    int ramp_bottom = 0;
    bool dither = true; // ordered dithering between ramp steps
    uint32_t light = 0; // rim along upper-left inner edges (0: none)
    uint32_t dark = 0;  // rim along lower-right inner edges (0: none)
    int rim = 1;        // rim thickness in pixels
    uint32_t outline = INK;
    int outline_width = 1; // 0: no outline
    int shadow_dx = 0;     // drop shadow, in the outline colour, under the outline
    int shadow_dy = 0;
    uint32_t shadow = INK;
};

// Draws the mask at (x, y): shadow, then outline, then the shaded face.
void stamp(Image& im, const Mask& m, int x, int y, const Style& s);

// 4x4 ordered-dither threshold in [0, 1).
double bayer(int x, int y);

// Small deterministic generator for scatter (stars, waves).
struct Rng {
    uint32_t state;
    explicit Rng(uint32_t seed) : state(seed ? seed : 1) {}
    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    double unit() { return double(next() >> 8) / double(1u << 24); } // [0, 1)
};

} // namespace paint
