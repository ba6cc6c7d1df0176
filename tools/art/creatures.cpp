// The props around the seals: the chain they hang from, the dart and the
// drops a hit seal sheds.
#include "seal.h"
#include "sheets.h"

#include <cmath>

using ink::Layer;
using ink::Pt;

namespace {

const ink::Ramp STEEL = {0x3b4352, 0x5d687a, 0x8793a6, 0xb8c2d0, 0xe6ecf3};
const uint32_t STEEL_LINE = 0x1a1d28;
const uint32_t STEEL_INNER = 0x2c3240;

// A link seen face-on, with its lower bar split off so a link hanging from
// it can be drawn between the two (links interlock).
struct Link {
    Layer all;
    Layer lower;
};

Link face_link(Pt c, double rx, double ry, double thick)
{
    Link l{Layer(48, 168), Layer(48, 168)};
    l.all.ring(c, rx, ry, thick);
    Layer bottom(48, 168);
    bottom.polygon({{0, c.y + ry * 0.45}, {48, c.y + ry * 0.45}, {48, 168}, {0, 168}});
    l.lower = l.all;
    l.lower.clip(bottom);
    return l;
}

// A link seen edge-on: a rounded bar.
void edge_link(Image& img, double y0, double y1)
{
    Layer bar(48, 168);
    bar.ball({24, (y0 + y1) / 2}, 2.6, (y1 - y0) / 2);
    ink::lay(img, bar, STEEL, STEEL_LINE, STEEL_INNER);
}

void lay_link(Image& img, const Layer& l)
{
    ink::lay(img, l, STEEL, STEEL_LINE, STEEL_INNER);
}

// Four cells of one drop, big to small, each centred in its 16x16 cell.
Image drops(const ink::Ramp& ramp, uint32_t line)
{
    Image img(64, 16);
    const double radius[4] = {4.6, 3.8, 3.0, 2.2};
    for (int i = 0; i < 4; ++i) {
        const double r = radius[i];
        // tip to bottom is 2.7 r; centre that span on the cell's middle
        seal::drop(img, {}, {16.0 * i + 8, 8 - 1.35 * r}, r, ramp, line);
    }
    return img;
}

} // namespace

Image make_chaine()
{
    Image img(48, 168);
    // The top ring the dart pins: rows 2..23, the dart's tip reaches (25, 20).
    Link top = face_link({24, 12.5}, 8.5, 9.5, 4);
    lay_link(img, top.all);
    // Links down to the seal: each edge-on bar hooks through the bottom of
    // the ring above it and the top of the next face-on ring.
    Layer ring_above = top.lower;
    double bottom = 22; // lowest bar of the ring above
    for (int i = 0; i < 4; ++i) {
        Link face = face_link({24, bottom + 13}, 4.6, 7, 3);
        lay_link(img, face.all);
        edge_link(img, bottom - 5, bottom + 11);
        lay_link(img, ring_above);
        ring_above = face.lower;
        bottom += 20;
    }
    // The last bar ends in a small shackle clipped onto the seal's head
    // (the head covers rows 116 and down; its top is at about row 128).
    Link shackle = face_link({24, 124}, 6, 7, 3.4);
    lay_link(img, shackle.all);
    edge_link(img, bottom - 5, 121);
    lay_link(img, ring_above);
    Layer cap(48, 168);
    cap.ball({24, 137}, 9, 4);
    ink::lay(img, cap, STEEL, STEEL_LINE, STEEL_INNER);
    return img;
}

Image make_dart()
{
    Image img(56, 72);
    // Along the dart from its tip (53, 68) back towards the upper left.
    const Pt tip = {53.2, 68.4};
    const double len = std::sqrt(45.0 * 45.0 + 62.0 * 62.0);
    const Pt d = {45.0 / len, 62.0 / len}; // flying direction
    const Pt n = {-d.y, d.x};              // across the dart
    auto at = [&](double back, double side) {
        return Pt{tip.x - d.x * back + n.x * side, tip.y - d.y * back + n.y * side};
    };

    // flights: two vanes seen from the side, one each way
    const ink::Ramp red = {0x8a1426, 0xc42a3c, 0xea4c5a};
    for (double s : {-1.0, 1.0}) {
        Layer vane(56, 72);
        vane.polygon({at(46, 0), at(58, 8.5 * s), at(72, 9.5 * s), at(74, 6 * s), at(70, 0)});
        ink::outline(img, vane, STEEL_LINE, STEEL_LINE);
        ink::paint(img, vane, s < 0 ? red[2] : red[1]); // the far vane in shadow
        Layer stripe(56, 72);
        stripe.capsule(at(57, 3.5 * s), at(69, 5 * s), 1, 1);
        stripe.clip(vane);
        ink::paint(img, stripe, 0xfff4e8);
    }
    Layer shaft(56, 72);
    shaft.capsule(at(34, 0), at(70, 0), 1.4, 1.4);
    ink::lay(img, shaft, {0x1f2a44, 0x34466e, 0x4f6a9c}, STEEL_LINE, STEEL_LINE);

    // barrel, with grip rings
    const ink::Ramp brass = {0x7a5418, 0xb07e24, 0xdcb042, 0xf6dc84, 0xfff4c8};
    Layer barrel(56, 72);
    barrel.ball(at(24, 0), 12, 3.6, d);
    ink::lay(img, barrel, brass, STEEL_LINE, STEEL_LINE);
    Layer grip(56, 72);
    for (double b : {19.0, 23.0, 27.0}) grip.capsule(at(b, -3), at(b, 3), 0.55, 0.55);
    grip.clip(barrel);
    ink::paint(img, grip, 0x7a5418);

    // the steel point
    Layer point(56, 72);
    point.polygon({at(-0.6, 0), at(14, 1.9), at(14.5, 0), at(14, -1.9)});
    ink::lay(img, point, STEEL, STEEL_LINE, STEEL_LINE);
    return img;
}

Image make_blood1()
{
    return drops({0x7a0c1c, 0xb01628, 0xdc2c3c, 0xff7a84}, 0x3a0812);
}

Image make_blood2()
{
    return drops({0x1d4fa0, 0x2f7fd8, 0x6ab4f4, 0xd4efff}, 0x142456);
}
