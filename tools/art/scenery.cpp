// The stage backgrounds: one icy bay seen at three times of day. Morning,
// sunset and night share every shape; only the light (the Mood) changes.
//
// The scene is kept soft and low in contrast where the game draws on top:
// the three chains and seals, the score in the upper middle, the results
// table over the horizon and the point figures above the bottom edge.
#include "paint.h"
#include "sheets.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int W = 640;
constexpr int H = 480;
constexpr int HORIZON = 300;

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb hex(uint32_t c)
{
    return {double(c >> 16 & 255), double(c >> 8 & 255), double(c & 255)};
}
Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
double smooth(double e0, double e1, double x)
{
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

struct Canvas {
    std::vector<Rgb> px = std::vector<Rgb>(size_t(W) * H);
    Rgb& at(int x, int y) { return px[size_t(y) * W + size_t(x)]; }
    void blend(int x, int y, Rgb c, double a)
    {
        if (x < 0 || y < 0 || x >= W || y >= H || a <= 0) return;
        Rgb& p = at(x, y);
        p = mix(p, c, std::min(a, 1.0));
    }
};

// The light of one stage.
struct Mood {
    Rgb sky_top, sky_mid, sky_low; // zenith, halfway, at the horizon
    Rgb sun;                       // sun or moon disc
    Rgb glow;                      // haze around it
    double sun_y, sun_r, glow_strength;
    bool moon;
    Rgb cloud_lit, cloud_dark;
    double cloud_amount;
    Rgb peak_lit, peak_shade, snow; // mountains, before haze
    double haze;                    // how much of the sky shows through the mountains
    Rgb sea_far, sea_near, glitter;
    Rgb ice_top, ice_side;
    double stars;  // count
    double aurora; // strength, 0 for none
};

// The sun, moon and their sea glitter stand in the gap between the second
// and third chains.
constexpr double SUN_X = 420;

Rgb sky_at(const Mood& m, double y)
{
    const double t = std::clamp(y / HORIZON, 0.0, 1.0);
    if (t < 0.55) return mix(m.sky_top, m.sky_mid, smooth(0, 0.55, t) * 0.85 + t / 0.55 * 0.15);
    return mix(m.sky_mid, m.sky_low, (t - 0.55) / 0.45);
}

void paint_sky(Canvas& c, const Mood& m)
{
    for (int y = 0; y < HORIZON; ++y)
        for (int x = 0; x < W; ++x) {
            Rgb p = sky_at(m, y);
            const double d = std::hypot(x - SUN_X, (y - m.sun_y) * 1.4);
            p = mix(p, m.glow, m.glow_strength * std::exp(-d / 120.0));
            c.at(x, y) = p;
        }
}

void paint_stars(Canvas& c, const Mood& m)
{
    paint::Rng rng(20071013);
    for (int i = 0; i < int(m.stars); ++i) {
        const int x = int(rng.unit() * W), y = int(rng.unit() * rng.unit() * (HORIZON - 40));
        const double bright = (0.35 + 0.65 * rng.unit()) * (1.0 - double(y) / HORIZON);
        const Rgb star = mix(hex(0xFFFFFF), hex(0xBFD8FF), rng.unit());
        c.blend(x, y, star, bright);
        if (bright > 0.8) // the brightest get a soft cross
            for (int k : {-1, 1}) {
                c.blend(x + k, y, star, bright * 0.35);
                c.blend(x, y + k, star, bright * 0.35);
            }
    }
}

// Curtains of light swaying across the upper sky.
void paint_aurora(Canvas& c, const Mood& m)
{
    if (m.aurora <= 0) return;
    const Rgb low = hex(0x52F2A6), high = hex(0x7C6AE8);
    for (int x = 0; x < W; ++x) {
        const double base =
            150 + 30 * std::sin(x * 0.011 + 0.8) + 10 * std::sin(x * 0.031 + 2.1) + 4 * std::sin(x * 0.09);
        const double rays = 0.6 + 0.25 * std::sin(x * 0.11 + 3 * std::sin(x * 0.021)) + 0.15 * std::sin(x * 0.37);
        const double reach = 55 + 25 * std::sin(x * 0.013);
        for (int y = 0; y < HORIZON; ++y) {
            const double above = base - y;
            // A bright lower hem fading up into the tall, dim rays.
            double a = above < 0 ? std::exp(-above * above / 40.0)
                                 : (0.3 + 0.7 * std::exp(-above / 10.0)) * std::exp(-above / reach);
            a *= rays * m.aurora * smooth(0, 120, x) * smooth(W, W - 120, x);
            c.blend(x, y, mix(low, high, std::clamp(above / reach, 0.0, 1.0)), a);
        }
    }
}

void paint_sun(Canvas& c, const Mood& m)
{
    for (int y = int(m.sun_y - m.sun_r) - 2; y <= int(m.sun_y + m.sun_r) + 2; ++y)
        for (int x = int(SUN_X - m.sun_r) - 2; x <= int(SUN_X + m.sun_r) + 2; ++x) {
            const double d = std::hypot(x + 0.5 - SUN_X, y + 0.5 - m.sun_y);
            double a = std::clamp(m.sun_r - d + 0.5, 0.0, 1.0);
            if (m.moon) { // a crescent: the lit limb faces the (long set) sun
                const double shade = std::hypot(x + 0.5 - SUN_X - m.sun_r * 0.45, y + 0.5 - m.sun_y + m.sun_r * 0.2);
                a *= 1.0 - 0.9 * std::clamp(m.sun_r * 0.92 - shade + 0.5, 0.0, 1.0);
            }
            c.blend(x, y, m.sun, a);
        }
}

// Soft cloud banks, each a row of overlapping puffs lit from above.
void paint_clouds(Canvas& c, const Mood& m)
{
    struct Bank {
        double x0, x1, y, size;
        uint32_t seed;
    };
    const Bank banks[] = {{-40, 250, 196, 26, 7},
                          {430, 700, 230, 22, 11},
                          {-20, 130, 62, 16, 5},
                          {470, 660, 118, 18, 3},
                          {180, 330, 250, 14, 9}};
    for (const Bank& b : banks) {
        struct Puff {
            double x, y, r;
        };
        std::vector<Puff> puffs;
        paint::Rng rng(b.seed);
        for (double x = b.x0; x < b.x1; x += b.size * (0.5 + 0.5 * rng.unit()))
            puffs.push_back({x, b.y + (rng.unit() - 0.5) * b.size * 0.4, b.size * (0.6 + 0.6 * rng.unit())});
        for (int y = int(b.y - b.size * 1.5); y < int(b.y + b.size * 0.8); ++y)
            for (int x = std::max(0, int(b.x0 - b.size * 2)); x < std::min(W, int(b.x1 + b.size * 2)); ++x) {
                double dens = 0;
                for (const Puff& p : puffs) {
                    const double dx = (x - p.x) / (p.r * 1.6), dy = (y - p.y) / (p.r * 0.45);
                    dens += std::exp(-dx * dx - dy * dy);
                }
                const double a = smooth(0.25, 1.1, dens) * m.cloud_amount;
                const double lit = smooth(b.y + b.size * 0.4, b.y - b.size * 0.8, y);
                c.blend(x, y, mix(m.cloud_dark, m.cloud_lit, lit), a);
            }
    }
}

// A mountain: a jagged triangle on the horizon, split along a crooked
// crest into a face towards the sun and one away from it, snow on top.
// Ranges are drawn back to front, so list the tall far peaks first.
struct Peak {
    double x, height, half;
};

void paint_peak(Canvas& c, const Mood& m, const Peak& p, double haze, int seed)
{
    for (int x = int(p.x - p.half); x <= int(p.x + p.half); ++x) {
        if (x < 0 || x >= W) continue;
        const double t = 1.0 - std::abs(x + 0.5 - p.x) / p.half;
        const double h = p.height * t * (0.8 + 0.2 * t) + 1.8 * std::sin(x * 0.23 + seed) * t;
        for (int y = int(HORIZON - h); y < HORIZON; ++y) {
            const double up = HORIZON - y, below_top = p.height - up;
            const double crest = p.x + below_top * 0.35 + 2.5 * std::sin(y * 0.3 + seed);
            const bool lit = (x < crest) == (SUN_X < p.x);
            const double snowline = p.height * (0.58 + 0.07 * std::sin(x * 0.19 + seed)) - 2 * std::sin(y * 0.9);
            Rgb rock = lit ? m.peak_lit : m.peak_shade;
            if (up > snowline) rock = lit ? m.snow : mix(m.snow, m.peak_shade, 0.45);
            const double fade = haze + (1 - haze) * 0.3 * (1 - up / std::max(h, 1.0));
            c.at(x, y) = mix(rock, sky_at(m, y), fade);
        }
    }
}

void paint_range(Canvas& c, const Mood& m, const std::vector<Peak>& peaks, double haze)
{
    int seed = 0;
    for (const Peak& p : peaks) paint_peak(c, m, p, haze, seed++);
}

// Calm water: sky reflected near the horizon, a mirrored range, gentle
// ripples and a glitter path under the sun.
void paint_sea(Canvas& c, const Mood& m, const std::vector<Rgb>& horizon_band)
{
    paint::Rng rng(424242);
    std::vector<double> ripple(size_t(W) * (H - HORIZON));
    for (double& r : ripple) r = rng.unit();
    for (int y = HORIZON; y < H; ++y) {
        const double t = double(y - HORIZON) / (H - HORIZON);
        for (int x = 0; x < W; ++x) {
            Rgb p = mix(m.sea_far, m.sea_near, std::pow(t, 0.6));
            // Mirror image of what stands on the horizon, fading with depth.
            const int mirror_y = 2 * HORIZON - y - 1;
            const int wobble = int(std::lround(1.5 * std::sin(y * 1.7 + x * 0.05)));
            if (mirror_y >= 0) {
                const Rgb& above = horizon_band[size_t(mirror_y) * W + size_t(std::clamp(x + wobble, 0, W - 1))];
                p = mix(p, above, 0.45 * std::exp(-(y - HORIZON) / 22.0));
            }
            // Ripples: short horizontal dashes, longer towards the viewer.
            const double len = 3 + 18 * t;
            const double phase = std::sin((x / len) + y * 2.3) * std::sin(x * 0.013 + y * 0.7);
            p = mix(p, phase > 0 ? m.glitter : m.sea_near, 0.05 * std::abs(phase) * (0.4 + t));
            // Sun glitter.
            const double spread = 14 + 70 * t;
            const double g = std::exp(-std::pow((x - SUN_X) / spread, 2));
            const double spark = ripple[size_t(y - HORIZON) * W + size_t(x)];
            if (g > 0.05 && spark > 0.62 && phase > 0.1) p = mix(p, m.glitter, g * 0.55 * m.glow_strength);
            c.at(x, y) = p;
        }
    }
}

// Flat-topped ice: a lumpy ellipse of top surface and a band of side below it.
struct Floe {
    double x, y, rx, ry;
};

bool on_floe(const Floe& f, double x, double y)
{
    const double a = std::atan2((y - f.y) / f.ry, (x - f.x) / f.rx);
    const double lump = 1.0 + 0.08 * std::sin(a * 3 + f.x) + 0.05 * std::sin(a * 7 + f.y);
    return std::hypot((x - f.x) / f.rx, (y - f.y) / f.ry) <= lump;
}

void paint_floe(Canvas& c, const Mood& m, const Floe& f)
{
    const int side = 2 + int((f.y - HORIZON) / 28);
    for (int y = int(f.y - f.ry * 1.2); y < int(f.y + f.ry * 1.2) + side + 3; ++y)
        for (int x = int(f.x - f.rx * 1.2); x < int(f.x + f.rx * 1.2); ++x) {
            if (on_floe(f, x, y)) {
                // Brighter towards the sun, a faint rim at the far edge.
                const double toward = std::clamp((x - f.x) / f.rx * (SUN_X > f.x ? 1 : -1), -1.0, 1.0);
                Rgb top = mix(m.ice_top, m.ice_side, 0.18 - 0.12 * toward);
                if (!on_floe(f, x, y - 1)) top = mix(top, m.ice_side, 0.35);
                c.blend(x, y, top, 1.0);
            } else if (on_floe(f, x, y - side)) {
                c.blend(x, y, m.ice_side, 1.0);
            } else if (on_floe(f, x, y - side - 2)) {
                c.blend(x, y, m.sea_near, 0.35);
            }
        }
}

Image paint_scene(const Mood& m)
{
    Canvas c;
    paint_sky(c, m);
    paint_stars(c, m);
    paint_aurora(c, m);
    paint_sun(c, m);
    paint_clouds(c, m);
    // Tall peaks frame the bay at both sides; a low far shore runs between
    // them behind the middle of the screen.
    const std::vector<Peak> far = {{610, 84, 110}, {40, 78, 110}, {520, 62, 100}, {150, 56, 90},
                                   {430, 26, 80},  {250, 22, 90}, {340, 16, 80}};
    const std::vector<Peak> near = {{-10, 52, 90}, {660, 56, 100}, {90, 34, 70}, {560, 30, 60}};
    paint_range(c, m, far, m.haze);
    paint_range(c, m, near, m.haze * 0.6);
    const std::vector<Rgb> band(c.px.begin(), c.px.begin() + size_t(HORIZON) * W);
    paint_sea(c, m, band);
    const Floe floes[] = {{120, 306, 22, 2}, {330, 311, 26, 2.5}, {530, 317, 30, 3},  {30, 332, 58, 8},
                          {222, 352, 40, 6}, {420, 392, 46, 8},   {650, 436, 76, 14}, {10, 458, 84, 15}};
    for (const Floe& f : floes) paint_floe(c, m, f);

    Image im(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const Rgb p = c.at(x, y);
            const double d = paint::bayer(x, y) - 0.5;
            auto ch = [&](double v) { return uint32_t(std::clamp(std::lround(v + d), 2L, 255L)); };
            im.set(x, y, ch(p.r) << 16 | ch(p.g) << 8 | ch(p.b));
        }
    return im;
}

Mood mood_of(int stage)
{
    if (stage == 2) // sunset: the sun sinks into the bay, everything glows
        return {.sky_top = hex(0x3A2C6E),
                .sky_mid = hex(0xC25E78),
                .sky_low = hex(0xFFB45E),
                .sun = hex(0xFFE27A),
                .glow = hex(0xFF8A3A),
                .sun_y = 286,
                .sun_r = 26,
                .glow_strength = 0.75,
                .moon = false,
                .cloud_lit = hex(0xFFB890),
                .cloud_dark = hex(0xA05A84),
                .cloud_amount = 0.5,
                .peak_lit = hex(0xC26A6E),
                .peak_shade = hex(0x5E3A6C),
                .snow = hex(0xFFC2A0),
                .haze = 0.5,
                .sea_far = hex(0xF2A872),
                .sea_near = hex(0x33265A),
                .glitter = hex(0xFFE6A0),
                .ice_top = hex(0xFFD6C4),
                .ice_side = hex(0x9A78B4),
                .stars = 40,
                .aurora = 0};
    if (stage == 3) // night: a crescent moon, stars and the northern lights
        return {.sky_top = hex(0x070B26),
                .sky_mid = hex(0x11264E),
                .sky_low = hex(0x24506E),
                .sun = hex(0xF4F0DA),
                .glow = hex(0x7CA4CC),
                .sun_y = 92,
                .sun_r = 17,
                .glow_strength = 0.3,
                .moon = true,
                .cloud_lit = hex(0x4A6288),
                .cloud_dark = hex(0x1A2A4C),
                .cloud_amount = 0.35,
                .peak_lit = hex(0x3C5878),
                .peak_shade = hex(0x1A2C4C),
                .snow = hex(0x8AA6C4),
                .haze = 0.45,
                .sea_far = hex(0x24506A),
                .sea_near = hex(0x0A1A34),
                .glitter = hex(0xD8E6FF),
                .ice_top = hex(0xB4CCE4),
                .ice_side = hex(0x4A6C94),
                .stars = 260,
                .aurora = 0.36};
    // morning: clear and bright, the sun still low over the far shore
    return {.sky_top = hex(0x3A7CD0),
            .sky_mid = hex(0x8CC2EC),
            .sky_low = hex(0xE8F2F6),
            .sun = hex(0xFFFCEC),
            .glow = hex(0xFFF2D2),
            .sun_y = 168,
            .sun_r = 16,
            .glow_strength = 0.6,
            .moon = false,
            .cloud_lit = hex(0xFFFFFF),
            .cloud_dark = hex(0xBCD2EA),
            .cloud_amount = 0.55,
            .peak_lit = hex(0xA8C4E0),
            .peak_shade = hex(0x7896BC),
            .snow = hex(0xF4F8FC),
            .haze = 0.4,
            .sea_far = hex(0x94C6E0),
            .sea_near = hex(0x1E5E96),
            .glitter = hex(0xFFFFFF),
            .ice_top = hex(0xF6FBFF),
            .ice_side = hex(0x8CC2E4),
            .stars = 0,
            .aurora = 0};
}

} // namespace

Image make_back(int stage)
{
    return paint_scene(mood_of(stage));
}
