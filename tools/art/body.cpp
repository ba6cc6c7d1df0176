// The seal's body and the two sheets of hanging seals (heads over bodies).
#include "seal.h"

#include "sheets.h"

#include <algorithm>
#include <cmath>

namespace seal {

using ink::Layer;
using ink::Pt;
using ink::View;

// Hanging from the chain by the head: a soft teardrop ending in the rear
// flippers. Coordinates run on from the head cell: y 88 is the body cell's
// first row, and nothing swings above y 92, so every head fits every body.
const Figure HANGING = {
    {{58, 0},
     {60, 16},
     {66, 23},
     {76, 27},
     {88, 29},
     {104, 32},
     {120, 33},
     {136, 30},
     {150, 24},
     {160, 17},
     {168, 10},
     {173, 5},
     {176, 0}},
    0,
    92,
    178,
    {19, 120},
    {77, 120},
    {-0.45, 1},
    {0.45, 1},
    15,
    {48, 171},
    {-0.75, 1},
    {0.75, 1},
    9,
    122,
    44,
};

// Sitting up on its tail for the grade pictures: a pear with the rear
// flippers poking out at the bottom.
const Figure SITTING = {
    {{58, 0}, {60, 16}, {68, 26}, {84, 34}, {100, 38}, {112, 38}, {122, 33}, {128, 24}, {131, 12}, {132, 0}},
    0,
    0,
    1,
    {14, 96},
    {82, 96},
    {-0.45, 1},
    {0.45, 1},
    15,
    {48, 124},
    {-1, 0.2},
    {1, 0.2},
    30,
    100,
    32,
};

namespace {

Pt unit(Pt v)
{
    const double l = std::sqrt(v.x * v.x + v.y * v.y);
    return {v.x / l, v.y / l};
}

Image crop(const Image& src, int x, int y, int w, int h)
{
    Image out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.set(i, j, src.get(x + i, y + j));
    return out;
}

// Head poses, left to right on the sheet.
const Face POSES[6] = {
    {Eyes::Open, Mouth::Rest, Brows::None, false, false, true},      // at rest
    {Eyes::Half, Mouth::Rest, Brows::None, false, false, true},      // blink, opening again
    {Eyes::Shut, Mouth::Rest, Brows::None, false, false, true},      // blink, closed
    {Eyes::Wide, Mouth::Oh, Brows::Raised, true, false, false},      // falling!
    {Eyes::Happy, Mouth::Grin, Brows::None, false, false, true},     // saved
    {Eyes::Wince, Mouth::Wobble, Brows::Worried, false, true, true}, // hit
};

// Body frames: swing of the tail end for the left, centre and right cells.
const double SWAY[3] = {-6, 0, 6};

Image hanging_sheet(const Look& look, int height)
{
    Image sheet(584, height);
    for (int i = 0; i < 3; ++i) {
        Figure f = HANGING;
        f.lean = SWAY[i];
        // the flippers trail a little behind the swing
        f.flipper_dir_l.x -= SWAY[i] * 0.03;
        f.flipper_dir_r.x -= SWAY[i] * 0.03;
        Image cell(96, 192);
        draw_body(cell, {}, look, f);
        sheet.paste(crop(cell, 0, 88, 96, 104), 96 * i, 88);
    }
    const Layer head = head_shape(96, 192, {});
    for (int p = 0; p < 6; ++p) {
        Image cell(96, 192);
        draw_body(cell, {}, look, HANGING, &head);
        // the head's last row repeats the body's first, so they meet exactly
        for (int x = 0; x < 96; ++x) cell.set(x, 87, cell.get(x, 88));
        draw_head(cell, {}, look, POSES[p]);
        sheet.paste(crop(cell, 0, 0, 96, 88), 96 * p, 0);
    }
    return sheet;
}

} // namespace

void draw_body(Image& img, const View& v, const Look& look, const Figure& f, const Layer* head)
{
    auto swing = [&](double y) {
        const double t = std::clamp((y - f.lean_from) / (f.lean_to - f.lean_from), 0.0, 1.0);
        return f.lean * t * t;
    };
    auto half = [&](double y) { return ink::spline(f.profile, y); };
    auto centre = [&](double y) { return 48 + swing(y); };
    const double y0 = f.profile.front().x, y1 = f.profile.back().x;

    // rear flippers, behind the body
    Layer tail(img.width, img.height, v);
    const Pt t = {f.tail.x + swing(f.tail.y), f.tail.y};
    for (Pt d : {unit(f.tail_dir_l), unit(f.tail_dir_r)})
        tail.ball({t.x + d.x * f.tail_reach, t.y + d.y * f.tail_reach}, 10, 5.5, d);
    ink::lay(img, tail, look.fur, look.line, look.inner);

    Layer body(img.width, img.height, v);
    body.body(half, centre, y0, y1);
    Layer belly(img.width, img.height, v);
    belly.body(
        [&](double y) {
            const double k = (y - f.belly_y) / f.belly_ry;
            return k * k < 1 ? half(y) * 0.68 * std::sqrt(1 - k * k) : 0.0;
        },
        centre, y0, y1);
    ink::outline(img, body, look.line, look.inner);
    ink::shade(img, body, look.fur);
    ink::shade(img, body, look.belly, &belly);

    if (head) { // the chin's shadow: one shade darker just below the head
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x) {
                if (!body.has(x, y) || head->has(x, y)) continue;
                if (!head->has(x, y - 1) && !head->has(x, y - 2) && !head->has(x, y - 3)) continue;
                const ink::Ramp& r = belly.has(x, y) ? look.belly : look.fur;
                const int band = std::min(int(r.size()) - 1, int(ink::light(body.at(x, y)) * int(r.size())));
                img.set(x, y, r[size_t(std::max(0, band - 1))]);
            }
    }

    Layer flippers(img.width, img.height, v);
    Layer fingers(img.width, img.height, v);
    for (int side = 0; side < 2; ++side) {
        const Pt base = side ? f.flipper_r : f.flipper_l;
        const Pt d = unit(side ? f.flipper_dir_r : f.flipper_dir_l);
        const Pt c = {base.x + swing(base.y), base.y};
        flippers.ball(c, f.flipper_len, 6.5, d);
        // two little creases near the tip
        const Pt tip = {c.x + d.x * f.flipper_len * 0.62, c.y + d.y * f.flipper_len * 0.62};
        for (double k : {-2.2, 2.2}) {
            const Pt a = {tip.x - d.y * k, tip.y + d.x * k};
            fingers.capsule(a, {a.x + d.x * 4, a.y + d.y * 4}, 0.5, 0.5);
        }
    }
    ink::lay(img, flippers, look.fur, look.line, look.inner);
    fingers.clip(flippers);
    ink::paint(img, fingers, look.inner);
}

void sparkle(Image& img, double x, double y, double r, uint32_t fill, uint32_t line)
{
    Layer s(img.width, img.height, {});
    const double k = r * 0.28;
    s.polygon({{x, y - r},
               {x + k, y - k},
               {x + r, y},
               {x + k, y + k},
               {x, y + r},
               {x - k, y + k},
               {x - r, y},
               {x - k, y - k}});
    ink::outline(img, s, line, line);
    ink::paint(img, s, fill);
}

} // namespace seal

Image make_azarashi()
{
    Image sheet = seal::hanging_sheet(seal::grey(), 280);
    for (int rank = 0; rank < 5; ++rank) sheet.paste(seal::grade_picture(rank), 96 * rank, 192);
    return sheet;
}

Image make_ame()
{
    return seal::hanging_sheet(seal::strawberry(), 192);
}
