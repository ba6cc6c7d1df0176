// The grade pictures shown after a game, and the program icon.
#include "seal.h"
#include "sheets.h"

#include <string>

namespace seal {

using ink::Layer;
using ink::Pt;
using ink::View;

namespace {

const ink::Ramp GOLD = {0x8a5a12, 0xc08a1c, 0xe8b836, 0xffe27a, 0xfff6cc};
const uint32_t GOLD_LINE = 0x4a2c0a;
const ink::Ramp WATER = {0x3f7fcc, 0x74b2ec, 0xb8defc};
const uint32_t WATER_LINE = 0x223a6a;
const uint32_t SPARKLE = 0xfff3a8;

// The sitting seal is drawn at 0.6 of the hanging one.
const View GRADE_VIEW = {48 - 48 * 0.6, 3.5, 0.6};

struct Grade {
    Face face;
    Pt flipper_dir_l; // right flipper mirrors it
    Pt flipper_l;
};

const Grade GRADES[5] = {
    {{Eyes::Wince, Mouth::Wail, Brows::Worried, false, false, false}, {-0.15, 1}, {16, 98}},
    {{Eyes::Sulky, Mouth::Pout, Brows::Cross, false, false, false}, {-0.3, 1}, {15, 96}},
    {{Eyes::Open, Mouth::Smile, Brows::None, false, false, true}, {-0.45, 1}, {14, 96}},
    {{Eyes::Happy, Mouth::Grin, Brows::None, false, false, true}, {-1, -0.25}, {8, 84}},
    {{Eyes::Star, Mouth::Grin, Brows::Raised, false, false, true}, {-0.55, -1}, {10, 76}},
};

void tears(Image& img)
{
    Layer pool(96, 86, GRADE_VIEW);
    pool.ellipse({48, 130}, 52, 5);
    ink::outline(img, pool, WATER_LINE, WATER_LINE);
    ink::paint(img, pool, WATER[1]);
}

void streams(Image& img)
{
    Layer s(96, 86, GRADE_VIEW);
    s.curve({24, 54}, {15, 60}, {13, 96}, 6);
    s.curve({72, 54}, {81, 60}, {83, 96}, 6);
    ink::outline(img, s, WATER_LINE, WATER_LINE);
    ink::paint(img, s, WATER[2]);
    for (Pt p : {Pt{-6, 40}, Pt{102, 40}, Pt{-4, 64}, Pt{100, 66}}) drop(img, GRADE_VIEW, p, 3.5, WATER, WATER_LINE);
}

void gloom(Image& img)
{
    Layer cloud(96, 86, GRADE_VIEW);
    cloud.ball({84, 6}, 9, 8);
    cloud.ball({95, 10}, 7, 6);
    cloud.ball({74, 10}, 7, 6);
    ink::lay(img, cloud, {0x4a4e62, 0x646a80, 0x80879c}, 0x20222e, 0x20222e);
    Layer rain(96, 86, GRADE_VIEW);
    for (double x : {76.0, 86.0, 96.0}) rain.capsule({x, 20}, {x - 2, 26}, 0.9, 0.9);
    ink::paint(img, rain, 0x5c8fd0);
}

void medal(Image& img, const Look& look)
{
    Layer ribbon(96, 86, GRADE_VIEW);
    ribbon.polygon({{33, 70}, {41, 68}, {51, 98}, {45, 100}});
    ribbon.polygon({{63, 70}, {55, 68}, {45, 98}, {51, 100}});
    ink::outline(img, ribbon, look.line, look.line);
    ink::paint(img, ribbon, 0x2f6fd0);
    Layer disc(96, 86, GRADE_VIEW);
    disc.ball({48, 104}, 10, 10);
    ink::lay(img, disc, GOLD, GOLD_LINE, GOLD_LINE);
    Layer star(96, 86, GRADE_VIEW);
    star.polygon({{48, 96.5},
                  {50.2, 101.5},
                  {55.5, 102},
                  {51.4, 105.4},
                  {52.8, 110.5},
                  {48, 107.6},
                  {43.2, 110.5},
                  {44.6, 105.4},
                  {40.5, 102},
                  {45.8, 101.5}});
    ink::paint(img, star, GOLD[4]);
}

void crown(Image& img)
{
    Layer c(96, 86, GRADE_VIEW);
    c.polygon({{29, 22}, {26, 2}, {38, 12}, {48, -2}, {58, 12}, {70, 2}, {67, 22}});
    for (Pt p : {Pt{26, 2}, Pt{48, -2}, Pt{70, 2}}) c.ball(p, 3.2, 3.2);
    ink::outline(img, c, GOLD_LINE, GOLD_LINE);
    ink::shade(img, c, GOLD);
    Layer band(96, 86, GRADE_VIEW);
    band.polygon({{29, 16}, {67, 16}, {67, 22}, {29, 22}});
    band.clip(c);
    ink::paint(img, band, GOLD[1]);
    Layer gems(96, 86, GRADE_VIEW);
    gems.ball({48, 15}, 3.2, 3.2);
    ink::lay(img, gems, {0x8a1030, 0xd82850, 0xff7090}, GOLD_LINE, GOLD_LINE);
    Layer blue(96, 86, GRADE_VIEW);
    blue.ball({36, 18}, 2.4, 2.4);
    blue.ball({60, 18}, 2.4, 2.4);
    ink::lay(img, blue, {0x1a4aa0, 0x3a86e8, 0x9cd0ff}, GOLD_LINE, GOLD_LINE);
}

} // namespace

Image grade_picture(int rank)
{
    const Grade& g = GRADES[rank];
    const Look& look = grey();
    Image img(96, 86);
    if (rank == 0) tears(img);
    Figure f = SITTING;
    f.flipper_l = g.flipper_l;
    f.flipper_r = {96 - g.flipper_l.x, g.flipper_l.y};
    f.flipper_dir_l = g.flipper_dir_l;
    f.flipper_dir_r = {-g.flipper_dir_l.x, g.flipper_dir_l.y};
    const Layer head = head_shape(96, 86, GRADE_VIEW);
    draw_body(img, GRADE_VIEW, look, f, &head);
    draw_head(img, GRADE_VIEW, look, g.face);
    switch (rank) {
    case 0:
        streams(img);
        break;
    case 1:
        gloom(img);
        break;
    case 3:
        medal(img, look);
        break;
    case 4:
        crown(img);
        sparkle(img, 9, 14, 5.5, SPARKLE, GOLD_LINE);
        sparkle(img, 87, 22, 4.5, SPARKLE, GOLD_LINE);
        sparkle(img, 7, 50, 3.5, SPARKLE, GOLD_LINE);
        sparkle(img, 89, 56, 5, SPARKLE, GOLD_LINE);
        sparkle(img, 16, 76, 3, SPARKLE, GOLD_LINE);
        break;
    default:
        break;
    }
    return img;
}

} // namespace seal

namespace {

// The smallest icon is placed by hand, one character a pixel.
Image icon16()
{
    static const char* rows[16] = {
        "................", ".....######.....", "...##aaaaaa##...", "..#aaaaaaaabb#..",
        ".#aaaaaaaabbbb#.", ".#aabbbbbbbbbc#.", "#abbwebbbbwebcc#", "#abbeebbbbeebcc#",
        "#bbbggbnnbggbcc#", "#bpbbwwnnwwbpcc#", "#bbbwwwwwwwwbcc#", ".#cbbwwccwwbcc#.",
        ".#ccbbbbbbbccc#.", "..##cccccccc##..", "....########....", "................",
    };
    const std::string keys = "#abcewnpg";
    const uint32_t colours[] = {0x262538, 0xd9e0ea, 0xbcc6d5, 0x9ca8bd, 0x1b1a2a,
                                0xfbfcfe, 0x2a2232, 0xf4a9bb, 0x343a6c};
    Image img(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const size_t k = keys.find(rows[y][x]);
            if (k != std::string::npos) img.set(x, y, colours[k]);
        }
    return img;
}

Image icon(int size, double scale)
{
    Image img(size, size);
    const ink::View v = {size / 2.0 - 48 * scale, size / 2.0 - 46 * scale, scale};
    seal::Face face;
    face.eye_size = 1.3;
    seal::draw_head(img, v, seal::grey(), face);
    return img;
}

} // namespace

std::vector<Image> make_icon()
{
    return {icon16(), icon(32, 0.37), icon(48, 0.56)};
}

// The 48-pixel face's proportions, drawn at the larger sizes.
std::vector<Image> make_icon_large()
{
    std::vector<Image> large;
    for (int size : {64, 128, 256}) large.push_back(icon(size, 0.56 * size / 48));
    return large;
}
