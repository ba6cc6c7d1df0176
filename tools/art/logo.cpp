// The two wordmarks: the game's title "Quobbin" as chunky snow-capped ice
// letters, and the maker's mark "Orbane" as a clean geometric line.
//
// Both are built from the same small kit of round-ended strokes: every
// lowercase bowl is a ring, stems are capsules, so the letters share one
// stroke weight and come out soft and friendly.
#include "paint.h"
#include "sheets.h"

#include <algorithm>
#include <cmath>

using namespace paint;

namespace {

// One lowercase alphabet drawn with a pen of width `stroke`: letters sit on
// `baseline`, x-height `xh`, ascenders reaching `ascent` above the baseline.
struct Letters {
    Mask& m;
    double baseline;
    double xh;
    double ascent;
    double stroke;
    Mask* gloss = nullptr; // when given, each bowl leaves a glint here

    double half() const { return stroke / 2; }
    double bowl() const { return xh / 2; } // outer radius of o, b, n...

    void ring(double cx, double cy, double outer) const
    {
        disc(m, cx, cy, outer);
        disc(m, cx, cy, outer - stroke, false);
        if (gloss) arc(*gloss, cx, cy, outer - stroke / 2, 200, 228, stroke * 0.14);
    }
    void stem(double x, double top, double bottom) const { capsule(m, x, top, x, bottom, half()); }

    // Each returns the letter's width; x is its left edge.
    double o(double x) const
    {
        ring(x + bowl(), baseline - bowl(), bowl());
        return 2 * bowl();
    }
    double b(double x) const
    {
        o(x);
        stem(x + half(), baseline - ascent + half(), baseline - bowl());
        return 2 * bowl();
    }
    double a(double x) const
    {
        o(x);
        stem(x + 2 * bowl() - half(), baseline - xh + half(), baseline - half());
        return 2 * bowl();
    }
    double n(double x) const
    {
        const double r = bowl() - half(), top = baseline - xh;
        arc(m, x + bowl(), top + bowl(), r, 180, 360, half());
        stem(x + half(), top + half(), baseline - half());
        stem(x + 2 * bowl() - half(), top + bowl(), baseline - half());
        return 2 * bowl();
    }
    double u(double x) const
    {
        const double r = bowl() - half(), top = baseline - xh;
        arc(m, x + bowl(), baseline - bowl(), r, 0, 180, half());
        stem(x + half(), top + half(), baseline - bowl());
        stem(x + 2 * bowl() - half(), top + half(), baseline - half());
        return 2 * bowl();
    }
    double r(double x) const
    {
        const double top = baseline - xh;
        arc(m, x + bowl(), top + bowl(), bowl() - half(), 190, 295, half());
        stem(x + half(), top + half(), baseline - half());
        return bowl() * 1.35;
    }
    double e(double x) const
    {
        const double cy = baseline - bowl();
        arc(m, x + bowl(), cy, bowl() - half(), 50, 360, half());
        capsule(m, x + half(), cy, x + 2 * bowl() - half(), cy, half() * 0.8);
        return 2 * bowl();
    }
    double i(double x, double dot) const
    {
        stem(x + half(), baseline - xh + half(), baseline - half());
        disc(m, x + half(), baseline - xh - dot - 3, dot);
        return stroke;
    }
};

// Topmost face pixel of each column: where the snow settles.
Mask snow_caps(const Mask& m, int depth)
{
    Mask snow(m.width, m.height);
    for (int x = 0; x < m.width; ++x) {
        // A soft, lumpy lower edge rather than a ruler line.
        const int d = depth + int(std::lround(1.6 * std::sin(x * 0.31) + 1.1 * std::sin(x * 0.83 + 2.0)));
        int y = 0;
        while (y < m.height && !m.at(x, y)) ++y;
        for (int k = 0; k < d && m.at(x, y + k); ++k) snow.set(x, y + k);
    }
    return snow;
}

int first_ink(const Mask& m)
{
    for (int x = 0; x < m.width; ++x)
        for (int y = 0; y < m.height; ++y)
            if (m.at(x, y)) return x;
    return 0;
}

// Moves the drawing so its ink sits in the middle of the mask (plus nudge).
Mask centred(const Mask& m, int nudge)
{
    int left = m.width, right = -1;
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            if (m.at(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    Mask out(m.width, m.height);
    merge(out, m, (m.width - (right - left + 1)) / 2 - left + nudge, 0);
    return out;
}

Mask shifted_union(const Mask& m, int dx, int dy)
{
    Mask out(m.width, m.height);
    for (int b = 0; b <= dy; ++b)
        for (int a = 0; a <= dx; ++a) merge(out, m, a, b);
    return out;
}

} // namespace

Image make_title2()
{
    Image im(320, 80);
    Mask m(320, 80), gloss(320, 80);
    // Letters bob up and down a little, like floes on a swell.
    const double stroke = 12, xh = 40, base = 63, gap = 4;
    const double bob[7] = {0, -2, 1, -2, 1, -2, 0};
    double x = 0;
    int k = 0;
    auto at = [&](double lift) { return Letters{m, base + lift, xh, 56, stroke, &gloss}; };
    {
        // The Q: a big ring with a flick of a tail out past the baseline.
        const double r = 27.5, cx = x + r, cy = base + bob[0] - r;
        Letters q = at(bob[k++]);
        q.ring(cx, cy, r);
        capsule(m, cx + 7, cy + 10, cx + r + 1, cy + r + 1, stroke / 2);
        x += 2 * r + gap;
    }
    x += at(bob[k++]).u(x) + gap;
    x += at(bob[k++]).o(x) + gap;
    x += at(bob[k++]).b(x) + gap;
    x += at(bob[k++]).b(x) + gap;
    x += at(bob[k++]).i(x, 6.5) + gap;
    at(bob[k++]).n(x);
    // Centre the word; the glints move with it.
    Mask both = m;
    m = centred(m, -1);
    Mask moved(320, 80);
    for (int y = 0; y < 80; ++y)
        for (int i = 0; i < 320; ++i)
            if (gloss.at(i, y)) moved.set(i + (first_ink(m) - first_ink(both)), y);
    gloss = moved;

    // A darker block pushed down and right gives the letters their thickness.
    Style side;
    side.ramp = {0x2A5CB0, 0x1A3A7C};
    side.outline_width = 3;
    stamp(im, shifted_union(m, 2, 5), 0, 0, side);

    Style face;
    face.ramp = {0xD8F6FF, 0x9CE0FF, 0x5CBCF6, 0x3090E4, 0x2468C8};
    face.ramp_top = 10;
    face.ramp_bottom = 68;
    face.light = 0xFFFFFF;
    face.dark = 0x1A4EA0;
    face.rim = 2;
    face.outline_width = 2;
    stamp(im, m, 0, 0, face);

    Style snow;
    snow.ramp = {0xFFFFFF, 0xFFFFFF, 0xD4EAFA};
    snow.outline_width = 0;
    snow.dither = false;
    const Mask caps = snow_caps(m, 6);
    stamp(im, caps, 0, 0, snow);
    // A thin blue crease under the snow where it meets the ice.
    for (int y = 0; y < 80; ++y)
        for (int i = 0; i < 320; ++i)
            if (caps.at(i, y) && !caps.at(i, y + 1) && m.at(i, y + 1)) im.set(i, y, 0xD4EAFA);
    for (int y = 0; y < 80; ++y)
        for (int i = 0; i < 320; ++i)
            if (gloss.at(i, y) && m.at(i, y) && !caps.at(i, y)) im.set(i, y, 0xFFFFFF);
    return im;
}

Image make_rogo()
{
    Image im(200, 40);
    Mask word(200, 40), accent(200, 40);
    const double stroke = 5, xh = 21, base = 33, gap = 5;
    Letters cap{accent, base, 28, 28, stroke};
    Letters low{word, base, xh, 29, stroke};
    double x = 0;
    cap.ring(x + 14, base - 14, 14);
    // A little sun-spark in the O's counter.
    disc(accent, x + 14, base - 14, 3.2);
    x += 28 + gap;
    x += low.r(x) + gap * 0.6;
    x += low.b(x) + gap;
    x += low.a(x) + gap;
    x += low.n(x) + gap;
    x += low.e(x);
    // Underline from the r to the end of the word.
    capsule(word, 30, base + 4, x, base + 4, 1.2);
    // Centre the mark, keeping the O and the rest together.
    Mask both = word;
    merge(both, accent, 0, 0);
    int right = 0;
    for (int y = 0; y < 40; ++y)
        for (int i = 0; i < 200; ++i)
            if (both.at(i, y)) right = std::max(right, i);
    Mask shifted_word(200, 40), shifted_accent(200, 40);
    merge(shifted_word, word, (199 - right) / 2, 0);
    merge(shifted_accent, accent, (199 - right) / 2, 0);
    word = shifted_word;
    accent = shifted_accent;

    Style ink;
    ink.ramp = {0xFFFFFF, 0xE4ECF6, 0xB8C8DC};
    ink.ramp_top = int(base - 29);
    ink.ramp_bottom = int(base);
    ink.dither = false;
    stamp(im, word, 0, 0, ink);
    Style sun;
    sun.ramp = {0xFFE27A, 0xFFB238, 0xF27A22};
    sun.ramp_top = int(base - 28);
    sun.ramp_bottom = int(base);
    sun.dither = false;
    stamp(im, accent, 0, 0, sun);
    return im;
}
