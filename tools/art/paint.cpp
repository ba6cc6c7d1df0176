#include "paint.h"

#include <algorithm>
#include <cmath>

namespace paint {

namespace {

// True when a set pixel lies within r of (x, y): the 3x3 block for r == 1,
// a disc for larger r.
bool near(const Mask& m, int x, int y, int r)
{
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            if (r > 1 && dx * dx + dy * dy > r * r + r) continue;
            if (m.at(x + dx, y + dy)) return true;
        }
    return false;
}

// True when (x, y) lies in the shape (grown by r) pushed anywhere up to
// (dx, dy) away: a solid extruded drop shadow.
bool extruded(const Mask& m, int x, int y, int dx, int dy, int r)
{
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    for (int b = 0; b <= std::abs(dy); ++b)
        for (int a = 0; a <= std::abs(dx); ++a)
            if ((a || b) && near(m, x - sx * a, y - sy * b, r)) return true;
    return false;
}

double angle_of(double dx, double dy)
{
    double a = std::atan2(dy, dx) * 180.0 / 3.14159265358979323846;
    return a < 0 ? a + 360.0 : a;
}

bool angle_within(double a, double from, double to)
{
    // Arcs run clockwise (on screen) from `from` to `to`, possibly through 0.
    from = std::fmod(from + 720.0, 360.0);
    to = std::fmod(to + 720.0, 360.0);
    if (from <= to) return a >= from && a <= to;
    return a >= from || a <= to;
}

} // namespace

void merge(Mask& dst, const Mask& src, int x, int y)
{
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i)
            if (src.at(i, j)) dst.set(x + i, y + j);
}

Mask pattern_mask(const std::vector<std::string>& rows, double sx, double sy, double round)
{
    const int cols = rows.empty() ? 0 : int(rows[0].size());
    auto cell = [&](int c, int r) {
        if (r < 0 || r >= int(rows.size()) || c < 0 || c >= int(rows[size_t(r)].size())) return false;
        return rows[size_t(r)][size_t(c)] == '#';
    };
    Mask m(int(std::ceil(cols * sx - 1e-9)), int(std::ceil(double(rows.size()) * sy - 1e-9)));
    for (int py = 0; py < m.height; ++py)
        for (int px = 0; px < m.width; ++px) {
            const double u = (px + 0.5) / sx, v = (py + 0.5) / sy;
            const int c = int(std::floor(u)), r = int(std::floor(v));
            const double fu = u - c, fv = v - r;
            const int qx = fu < 0.5 ? -1 : 1, qy = fv < 0.5 ? -1 : 1;
            const double cu = qx < 0 ? fu : 1.0 - fu, cv = qy < 0 ? fv : 1.0 - fv;
            const bool in_corner = round > 0 && std::hypot(round - cu, round - cv) > round && cu < round && cv < round;
            const bool side_x = cell(c + qx, r), side_y = cell(c, r + qy), diag = cell(c + qx, r + qy);
            bool on = cell(c, r);
            if (on && in_corner && !side_x && !side_y)
                on = false;
            else if (!on && in_corner && side_x && side_y && diag)
                on = true;
            m.set(px, py, on);
        }
    return m;
}

void disc(Mask& m, double cx, double cy, double r, bool on)
{
    for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
        for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x)
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r) m.set(x, y, on);
}

void capsule(Mask& m, double x0, double y0, double x1, double y1, double r, bool on)
{
    const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    const int left = int(std::min(x0, x1) - r) - 1, right = int(std::max(x0, x1) + r) + 1;
    const int top = int(std::min(y0, y1) - r) - 1, bottom = int(std::max(y0, y1) + r) + 1;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const double px = x + 0.5 - x0, py = y + 0.5 - y0;
            const double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
            if (std::hypot(px - t * dx, py - t * dy) <= r) m.set(x, y, on);
        }
}

void arc(Mask& m, double cx, double cy, double radius, double from_deg, double to_deg, double half_width, bool on)
{
    const double reach = radius + half_width;
    for (int y = int(cy - reach) - 1; y <= int(cy + reach) + 1; ++y)
        for (int x = int(cx - reach) - 1; x <= int(cx + reach) + 1; ++x) {
            const double px = x + 0.5 - cx, py = y + 0.5 - cy;
            if (!angle_within(angle_of(px, py), from_deg, to_deg)) continue;
            if (std::abs(std::hypot(px, py) - radius) <= half_width) m.set(x, y, on);
        }
    // Round caps at both ends.
    const double k = 3.14159265358979323846 / 180.0;
    disc(m, cx + radius * std::cos(from_deg * k), cy + radius * std::sin(from_deg * k), half_width, on);
    disc(m, cx + radius * std::cos(to_deg * k), cy + radius * std::sin(to_deg * k), half_width, on);
}

namespace {

std::vector<std::string> shaped(char c, const Pen& pen)
{
    std::vector<std::string> g = glyph(c);
    for (std::string& row : g) {
        if (pen.narrow && row.size() == 5) row.erase(2, 1);
        if (pen.bold) {
            std::string thick = row + '.';
            for (size_t i = 0; i < row.size(); ++i)
                if (row[i] == '#') thick[i + 1] = '#';
            row = thick;
        }
    }
    return g;
}

} // namespace

Mask text_mask(std::string_view text, const Pen& pen, Mask* accent)
{
    const int s = pen.scale;
    int width = 0;
    for (char c : text)
        if (c != '^') width += (int(shaped(c, pen)[0].size()) + 1) * s + pen.extra;
    width = std::max(0, width - s - pen.extra);
    Mask m(width, 9 * s);
    if (accent) *accent = Mask(width, 9 * s);
    bool accented = false;
    int x0 = 0;
    for (char c : text) {
        if (c == '^') {
            accented = !accented;
            continue;
        }
        const auto g = shaped(c, pen);
        for (size_t r = 0; r < g.size(); ++r)
            for (size_t col = 0; col < g[r].size(); ++col) {
                if (g[r][col] != '#') continue;
                for (int j = 0; j < s; ++j)
                    for (int i = 0; i < s; ++i) {
                        const int x = x0 + int(col) * s + i, y = int(r) * s + j;
                        m.set(x, y);
                        if (accent && accented) accent->set(x, y);
                    }
            }
        x0 += (int(g[0].size()) + 1) * s + pen.extra;
    }
    return m;
}

double bayer(int x, int y)
{
    static const int order[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (order[y & 3][x & 3] + 0.5) / 16.0;
}

void stamp(Image& im, const Mask& m, int x, int y, const Style& s)
{
    const int ow = s.outline_width;
    const int pad = ow + std::max(std::abs(s.shadow_dx), std::abs(s.shadow_dy)) + 1;
    const bool shadowed = s.shadow_dx != 0 || s.shadow_dy != 0;
    for (int j = -pad; j < m.height + pad; ++j)
        for (int i = -pad; i < m.width + pad; ++i) {
            if (m.at(i, j)) continue;
            if (ow > 0 && near(m, i, j, ow))
                im.set(x + i, y + j, s.outline);
            else if (shadowed && extruded(m, i, j, s.shadow_dx, s.shadow_dy, ow))
                im.set(x + i, y + j, s.shadow);
        }
    const int top = s.ramp_top;
    const int bottom = s.ramp_bottom > top ? s.ramp_bottom : m.height;
    const int steps = int(s.ramp.size());
    for (int j = 0; j < m.height; ++j)
        for (int i = 0; i < m.width; ++i) {
            if (!m.at(i, j)) continue;
            const double t = std::clamp((j - top + 0.5) / double(bottom - top), 0.0, 1.0) * (steps - 1);
            int k = int(t);
            if (s.dither ? (t - k) > bayer(x + i, y + j) : (t - k) >= 0.5) ++k;
            uint32_t c = s.ramp[size_t(std::min(k, steps - 1))];
            for (int d = 1; d <= s.rim; ++d) {
                if (s.dark && (!m.at(i, j + d) || !m.at(i + d, j + d))) c = s.dark;
                if (s.light && (!m.at(i, j - d) || !m.at(i - d, j - d))) c = s.light;
            }
            im.set(x + i, y + j, c);
        }
}

} // namespace paint
