// The seal's head, face and body, and the two sheets of hanging seals.
#include "seal.h"

#include "sheets.h"

#include <cmath>

namespace seal {

using ink::Layer;
using ink::Pt;
using ink::View;

namespace {

// colours of the face, the same for every seal
const uint32_t EYE = 0x1b1a2a;
const uint32_t EYE_GLOW = 0x343a6c;
const uint32_t WHITE = 0xffffff;
const uint32_t NOSE = 0x2a2232;
const uint32_t NOSE_SHINE = 0x7a7290;
const uint32_t MOUTH = 0x6a2338;
const uint32_t TONGUE = 0xf07a8e;
const ink::Ramp WATER = {0x3f7fcc, 0x74b2ec, 0xb8defc, 0xeaf6ff};
const uint32_t WATER_LINE = 0x223a6a;

const Look GREY = {
    {0x5f6a83, 0x7c88a0, 0x9ca8bd, 0xbcc6d5, 0xd9e0ea},
    {0xc4cdda, 0xdde3eb, 0xeef1f6, 0xfbfcfe},
    0x262538,
    0x6c7690,
    0xf4a9bb,
    0x596277,
    false,
};
const Look STRAWBERRY = {
    {0xa8476a, 0xcc6a8a, 0xe790a9, 0xf6b3c6, 0xffd4df},
    {0xdcc0a6, 0xeedcc6, 0xf9eddc, 0xfffaf0},
    0x3d1a2b,
    0xa04c68,
    0xff7f9e,
    0x8a4660,
    true,
};

// Eye centres; the right eye mirrors the left around x = 48.
const Pt EYE_L = {29, 48};
const Pt EYE_R = {67, 48};

Pt mirror(Pt p, bool right)
{
    return right ? Pt{96 - p.x, p.y} : p;
}

// Eye parts are given for the left eye, relative to its centre.
Pt at_eye(Pt c, bool right, double dx, double dy)
{
    return {c.x + (right ? -dx : dx), c.y + dy};
}

void open_eye(Image& img, const View& v, Pt c, bool right, double scale, bool lid)
{
    Layer eye(img.width, img.height, v);
    eye.ellipse(c, 7 * scale, 8.5 * scale);
    Layer glow(img.width, img.height, v);
    glow.ellipse({c.x, c.y + 3.5 * scale}, 5 * scale, 4.5 * scale);
    glow.clip(eye);
    // the lid: an arch across the eye, ends a little lower than its middle
    const Pt lid_a = {c.x - 7 * scale, c.y + 0.6}, lid_c = {c.x, c.y - 2.6}, lid_b = {c.x + 7 * scale, c.y + 0.6};
    if (lid) { // everything above the arch is hidden
        std::vector<Pt> above = {{c.x + 10, c.y - 12}, {c.x - 10, c.y - 12}};
        for (int i = 0; i <= 8; ++i) {
            const double t = i / 8.0, u = 1 - t;
            above.push_back({u * u * lid_a.x + 2 * u * t * lid_c.x + t * t * lid_b.x,
                             u * u * lid_a.y + 2 * u * t * lid_c.y + t * t * lid_b.y});
        }
        Layer upper(img.width, img.height, v);
        upper.polygon(above);
        eye.erase(upper);
        glow.erase(upper);
    }
    ink::paint(img, eye, EYE);
    ink::paint(img, glow, EYE_GLOW);
    Layer shine(img.width, img.height, v);
    if (!lid) shine.ellipse(at_eye(c, right, -2.2 * scale, -3 * scale), 2.4 * scale, 2.6 * scale);
    shine.ellipse(at_eye(c, right, 2.4 * scale, 3.4 * scale), 1.1 * scale, 1.1 * scale);
    shine.clip(eye);
    ink::paint(img, shine, WHITE);
    if (lid) {
        Layer line(img.width, img.height, v);
        line.curve(lid_a, lid_c, lid_b, 1.8);
        ink::paint(img, line, EYE);
    }
}

void star_eye(Image& img, const View& v, Pt c, bool right)
{
    Layer eye(img.width, img.height, v);
    eye.ellipse(c, 7, 8.5);
    Layer glow(img.width, img.height, v);
    glow.ellipse({c.x, c.y + 4}, 5.5, 4.5);
    glow.clip(eye);
    ink::paint(img, eye, EYE);
    ink::paint(img, glow, EYE_GLOW);
    Layer star(img.width, img.height, v);
    const Pt s = at_eye(c, right, -0.5, -1);
    star.polygon({{s.x, s.y - 6},
                  {s.x + 1.4, s.y - 1.4},
                  {s.x + 5, s.y},
                  {s.x + 1.4, s.y + 1.4},
                  {s.x, s.y + 6},
                  {s.x - 1.4, s.y + 1.4},
                  {s.x - 5, s.y},
                  {s.x - 1.4, s.y - 1.4}});
    star.ellipse(at_eye(c, right, 3, 4.5), 1.1, 1.1);
    ink::paint(img, star, WHITE);
}

// A stroked eye made of one or two curves (closed, happy, wincing...).
void stroke_eye(Image& img, const View& v, Pt c, bool right, Eyes kind)
{
    Layer l(img.width, img.height, v);
    auto p = [&](double dx, double dy) { return at_eye(c, right, dx, dy); };
    switch (kind) {
    case Eyes::Shut:
        l.curve(p(-7, 1), p(0, 5.5), p(7, 1), 2.2);
        break;
    case Eyes::Happy:
        l.curve(p(-7, 3), p(0, -7), p(7, 3), 2.4);
        break;
    case Eyes::Wince: // ">" on the left, "<" on the right
        l.curve(p(-6, -6), p(0, -2.5), p(5, 0), 2.4);
        l.curve(p(5, 0), p(0, 2.5), p(-6, 6), 2.4);
        break;
    default:
        break;
    }
    ink::paint(img, l, EYE);
}

void wide_eye(Image& img, const View& v, Pt c, bool right)
{
    Layer ball(img.width, img.height, v);
    ball.ball(c, 8.5, 10);
    ink::lay(img, ball, {0xc9d0de, 0xe9edf4, WHITE}, EYE, EYE);
    Layer pupil(img.width, img.height, v);
    pupil.ellipse(at_eye(c, right, 0.5, 1), 3.4, 4);
    ink::paint(img, pupil, EYE);
    Layer shine(img.width, img.height, v);
    shine.ellipse(at_eye(c, right, -0.6, -0.6), 1.2, 1.2);
    ink::paint(img, shine, WHITE);
}

void eyes(Image& img, const View& v, Eyes kind, double size)
{
    for (bool right : {false, true}) {
        const Pt c = right ? EYE_R : EYE_L;
        switch (kind) {
        case Eyes::Open:
            open_eye(img, v, c, right, size, false);
            break;
        case Eyes::Half:
            open_eye(img, v, {c.x, c.y + 1}, right, 1, true);
            break;
        case Eyes::Sulky:
            open_eye(img, v, {c.x, c.y + 1.5}, right, 0.9, true);
            break;
        case Eyes::Wide:
            wide_eye(img, v, c, right);
            break;
        case Eyes::Star:
            star_eye(img, v, c, right);
            break;
        default:
            stroke_eye(img, v, c, right, kind);
            break;
        }
    }
}

void brows(Image& img, const View& v, const Look& look, Brows kind)
{
    if (kind == Brows::None) return;
    Layer l(img.width, img.height, v);
    for (bool right : {false, true}) {
        auto p = [&](double x, double y) { return mirror({x, y}, right); };
        switch (kind) {
        case Brows::Raised:
            l.curve(p(23, 33), p(29, 27), p(37, 31), 2.2);
            break;
        case Brows::Worried:
            l.curve(p(23, 36), p(30, 34), p(37, 30), 2.2);
            break;
        case Brows::Cross:
            l.curve(p(23, 33), p(30, 34), p(38, 38), 2.4);
            break;
        default:
            break;
        }
    }
    ink::paint(img, l, look.line);
}

void mouth(Image& img, const View& v, Mouth kind)
{
    Layer hole(img.width, img.height, v);
    Layer tongue(img.width, img.height, v);
    switch (kind) {
    case Mouth::Oh:
        hole.ellipse({48, 69.5}, 4.5, 5.5);
        tongue.ellipse({48, 74}, 3.5, 2.6);
        break;
    case Mouth::Grin:
        hole.ellipse({48, 64}, 9, 10);
        {
            Layer top(img.width, img.height, v);
            top.polygon({{30, 50}, {66, 50}, {66, 64}, {30, 64}});
            hole.erase(top);
        }
        tongue.ellipse({48, 74}, 5, 3);
        break;
    case Mouth::Wail: // wide open, the upper lip pulled down in the middle
        hole.ellipse({48, 71}, 9, 8);
        {
            Layer lip(img.width, img.height, v);
            lip.ellipse({48, 60}, 13, 8);
            hole.erase(lip);
        }
        tongue.ellipse({48, 78}, 5.5, 3);
        break;
    default:
        break;
    }
    tongue.clip(hole);
    ink::outline(img, hole, EYE, EYE);
    ink::paint(img, hole, MOUTH);
    ink::paint(img, tongue, TONGUE);
}

// Marks drawn below the muzzle once it is in place.
void lips(Image& img, const View& v, const Look& look, Mouth kind)
{
    Layer l(img.width, img.height, v);
    switch (kind) {
    case Mouth::Smile:
        l.curve({42, 68}, {48, 72}, {54, 68}, 1.6);
        break;
    case Mouth::Pout:
        l.curve({44, 71}, {48, 67.5}, {52, 71}, 1.8);
        break;
    case Mouth::Wobble:
        l.curve({41, 70}, {43, 67}, {46, 69.5}, 1.6);
        l.curve({46, 69.5}, {48, 72}, {50, 69.5}, 1.6);
        l.curve({50, 69.5}, {53, 67}, {55, 70}, 1.6);
        break;
    default:
        return;
    }
    ink::paint(img, l, look.line);
}

void bow(Image& img, const View& v, const Look& look)
{
    const ink::Ramp red = {0x9c1f3c, 0xcf3358, 0xee5676, 0xff8aa2};
    Layer loops(img.width, img.height, v);
    loops.ball({66, 16}, 9.5, 6.5, {0.6, 0.9});
    loops.ball({82, 24}, 9.5, 6.5, {0.9, -0.5});
    loops.ball({70, 30}, 5, 3.5, {0.35, 1});
    loops.ball({80, 33}, 5, 3.5, {-0.3, 1});
    ink::lay(img, loops, red, look.line, look.line);
    Layer dots(img.width, img.height, v);
    for (Pt p : {Pt{64, 13}, Pt{68, 19}, Pt{84, 22}, Pt{80, 27}}) dots.ellipse(p, 1.2, 1.2);
    dots.clip(loops);
    ink::paint(img, dots, 0xffe9ee);
    Layer knot(img.width, img.height, v);
    knot.ball({74, 23}, 4.2, 4.2);
    ink::lay(img, knot, red, look.line, look.line);
}

} // namespace

void drop(Image& img, const View& v, Pt tip, double r, const ink::Ramp& ramp, uint32_t line)
{
    Layer l(img.width, img.height, v);
    l.ball({tip.x, tip.y + r * 1.7}, r, r);
    l.polygon({{tip.x, tip.y}, {tip.x + r * 0.92, tip.y + r * 1.4}, {tip.x - r * 0.92, tip.y + r * 1.4}});
    ink::lay(img, l, ramp, line, line);
    Layer shine(img.width, img.height, v);
    shine.ellipse({tip.x - r * 0.4, tip.y + r * 1.45}, r * 0.28, r * 0.42);
    shine.clip(l);
    ink::paint(img, shine, WHITE);
}

const Look& grey()
{
    return GREY;
}
const Look& strawberry()
{
    return STRAWBERRY;
}

Layer head_shape(int w, int h, const View& v)
{
    Layer head(w, h, v);
    head.ball({48, 46}, 40, 34); // round, a little wider than tall
    return head;
}

void draw_head(Image& img, const View& v, const Look& look, const Face& face)
{
    const Layer head = head_shape(img.width, img.height, v);
    ink::lay(img, head, look.fur, look.line, look.inner);

    if (face.blush) {
        Layer cheeks(img.width, img.height, v);
        cheeks.ellipse({20, 59}, 5.5, 3.2);
        cheeks.ellipse({76, 59}, 5.5, 3.2);
        ink::paint(img, cheeks, look.blush);
    }
    eyes(img, v, face.eyes, face.eye_size);
    brows(img, v, look, face.brows);
    mouth(img, v, face.mouth);

    Layer muzzle(img.width, img.height, v);
    muzzle.ball({41.5, 61}, 8.5, 7);
    muzzle.ball({54.5, 61}, 8.5, 7);
    ink::outline(img, muzzle, look.line, look.inner);
    ink::shade(img, muzzle, look.belly);
    Layer dots(img.width, img.height, v);
    if (v.s >= 0.5) { // whiskers only where there is room for them
        for (bool right : {false, true})
            for (Pt p : {Pt{37, 59}, Pt{40, 62.5}, Pt{36, 64}}) dots.ellipse(mirror(p, right), 0.7, 0.7);
        ink::paint(img, dots, look.whisker);
        Layer whiskers(img.width, img.height, v);
        for (bool right : {false, true}) {
            auto p = [&](double x, double y) { return mirror({x, y}, right); };
            whiskers.curve(p(33, 63), p(24, 63), p(15, 66), 1.1);
            whiskers.curve(p(34, 66), p(26, 67), p(19, 72), 1.1);
        }
        ink::paint(img, whiskers, look.whisker);
    }

    Layer nose(img.width, img.height, v);
    nose.polygon({{42.5, 53}, {53.5, 53}, {50, 58}, {48, 59}, {46, 58}});
    nose.ellipse({48, 54}, 5.5, 2.6);
    ink::paint(img, nose, NOSE);
    Layer shine(img.width, img.height, v);
    shine.ellipse({46, 53.6}, 1.6, 0.8);
    ink::paint(img, shine, NOSE_SHINE);
    lips(img, v, look, face.mouth);

    if (face.tears) {
        drop(img, v, {16, 49}, 2.6, WATER, WATER_LINE);
        drop(img, v, {80, 49}, 2.6, WATER, WATER_LINE);
    }
    if (face.sweat) drop(img, v, {13, 16}, 4.5, WATER, WATER_LINE);
    if (look.bow) bow(img, v, look);
}

} // namespace seal
