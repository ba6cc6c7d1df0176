#include "ink.h"

#include <algorithm>
#include <cmath>

namespace ink {

namespace {

double dist2_to_segment(double px, double py, Pt a, Pt b, double* t_out)
{
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((px - a.x) * vx + (py - a.y) * vy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = px - (a.x + t * vx), dy = py - (a.y + t * vy);
    if (t_out) *t_out = t;
    return dx * dx + dy * dy;
}

Pt unit(Pt v)
{
    const double l = std::sqrt(v.x * v.x + v.y * v.y);
    return l > 0 ? Pt{v.x / l, v.y / l} : Pt{1, 0};
}

} // namespace

Layer::Layer(int w, int h, View view) : w_(w), h_(h), view_(view), px_(size_t(w) * size_t(h))
{
}

bool Layer::has(int x, int y) const
{
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return false;
    return at(x, y).on;
}

void Layer::each(const std::function<void(double, double, Px&)>& f)
{
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const double dx = (x + 0.5 - view_.ox) / view_.s;
            const double dy = (y + 0.5 - view_.oy) / view_.s;
            f(dx, dy, px_[size_t(y) * size_t(w_) + size_t(x)]);
        }
}

void Layer::flat(const std::function<bool(double, double)>& inside)
{
    each([&](double x, double y, Px& p) {
        if (!inside(x, y)) return;
        p = Px{true, std::max(p.z, 0.0), 0, 0, 1};
    });
}

double Layer::min_radius(double r) const
{
    return std::max(r, 0.55 / view_.s);
}

void Layer::ball(Pt c, double rx, double ry, Pt axis, double lift)
{
    const Pt u = unit(axis);
    const double rz = std::min(rx, ry);
    each([&](double x, double y, Px& p) {
        const double dx = x - c.x, dy = y - c.y;
        const double a = (dx * u.x + dy * u.y) / rx;
        const double b = (-dx * u.y + dy * u.x) / ry;
        const double q = a * a + b * b;
        if (q > 1) return;
        const double h = std::sqrt(1 - q);
        const double z = lift + rz * h;
        if (p.on && p.z > z) return;
        // ellipsoid normal in the ball's own frame, turned back
        const double na = a / rx, nb = b / ry, nz = h / rz;
        const double nx = na * u.x - nb * u.y, ny = na * u.y + nb * u.x;
        const double l = std::sqrt(nx * nx + ny * ny + nz * nz);
        p = Px{true, z, nx / l, ny / l, nz / l};
    });
}

void Layer::body(const std::function<double(double)>& half_width, const std::function<double(double)>& centre,
                 double y0, double y1)
{
    each([&](double x, double y, Px& p) {
        if (y < y0 || y > y1) return;
        const double w = half_width(y);
        if (w <= 0) return;
        const double c = centre(y);
        const double u = (x - c) / w;
        if (u <= -1 || u >= 1) return;
        const double dw = (half_width(y + 0.5) - half_width(y - 0.5));
        const double dc = (centre(y + 0.5) - centre(y - 0.5));
        const double h = std::sqrt(1 - u * u);
        const double z = w * h;
        if (p.on && p.z > z) return;
        const double ny = -(dw + dc * u);
        const double l = std::sqrt(u * u + ny * ny + h * h);
        p = Px{true, z, u / l, ny / l, h / l};
    });
}

void Layer::ring(Pt c, double rx, double ry, double thick)
{
    each([&](double x, double y, Px& p) {
        const double dx = x - c.x, dy = y - c.y;
        const double q = std::sqrt((dx / rx) * (dx / rx) + (dy / ry) * (dy / ry));
        const double r = std::sqrt(dx * dx + dy * dy);
        if (q == 0) return;
        const double t = (q - 1) * (r / q) / (thick / 2); // -1 inner edge .. 1 outer edge
        if (t <= -1 || t >= 1) return;
        const double h = std::sqrt(1 - t * t);
        const double z = h * thick / 2;
        if (p.on && p.z > z) return;
        p = Px{true, z, t * dx / r, t * dy / r, h};
    });
}

void Layer::ellipse(Pt c, double rx, double ry, Pt axis)
{
    const Pt u = unit(axis);
    rx = min_radius(rx);
    ry = min_radius(ry);
    flat([&](double x, double y) {
        const double dx = x - c.x, dy = y - c.y;
        const double a = (dx * u.x + dy * u.y) / rx;
        const double b = (-dx * u.y + dy * u.x) / ry;
        return a * a + b * b <= 1;
    });
}

void Layer::capsule(Pt a, Pt b, double ra, double rb)
{
    ra = min_radius(ra);
    rb = min_radius(rb);
    flat([&](double x, double y) {
        double t = 0;
        const double d2 = dist2_to_segment(x, y, a, b, &t);
        const double r = ra + (rb - ra) * t;
        return d2 <= r * r;
    });
}

void Layer::curve(Pt a, Pt ctrl, Pt b, double width)
{
    const int steps = 16;
    std::vector<Pt> pts;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps, s = 1 - t;
        pts.push_back({s * s * a.x + 2 * s * t * ctrl.x + t * t * b.x, s * s * a.y + 2 * s * t * ctrl.y + t * t * b.y});
    }
    const double r = min_radius(width / 2);
    flat([&](double x, double y) {
        for (int i = 0; i < steps; ++i)
            if (dist2_to_segment(x, y, pts[size_t(i)], pts[size_t(i) + 1], nullptr) <= r * r) return true;
        return false;
    });
}

void Layer::polygon(const std::vector<Pt>& pts)
{
    flat([&](double x, double y) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const Pt& a = pts[i];
            const Pt& b = pts[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    });
}

void Layer::erase(const Layer& other)
{
    for (size_t i = 0; i < px_.size(); ++i)
        if (other.px_[i].on) px_[i].on = false;
}

void Layer::clip(const Layer& other)
{
    for (size_t i = 0; i < px_.size(); ++i)
        if (!other.px_[i].on) px_[i].on = false;
}

void Layer::add(const Layer& other)
{
    for (size_t i = 0; i < px_.size(); ++i)
        if (other.px_[i].on) px_[i] = other.px_[i];
}

double light(const Layer::Px& p)
{
    // light from the upper left and a little in front
    const double lx = -0.5, ly = -0.62, lz = 0.6;
    const double l = std::sqrt(lx * lx + ly * ly + lz * lz);
    const double d = (p.nx * lx + p.ny * ly + p.nz * lz) / l;
    return std::clamp((d + 0.45) / 1.35, 0.0, 1.0);
}

void paint(Image& img, const Layer& layer, uint32_t colour, int dx, int dy)
{
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            if (layer.at(x, y).on) img.set(x + dx, y + dy, colour);
}

void shade(Image& img, const Layer& layer, const Ramp& ramp, const Layer* only, int dx, int dy)
{
    const int n = int(ramp.size());
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x) {
            const Layer::Px& p = layer.at(x, y);
            if (!p.on || (only && !only->has(x, y))) continue;
            const int band = std::min(n - 1, int(light(p) * n));
            img.set(x + dx, y + dy, ramp[size_t(band)]);
        }
}

void outline(Image& img, const Layer& layer, uint32_t hard, uint32_t soft, int dx, int dy)
{
    for (int y = -1; y <= layer.height(); ++y)
        for (int x = -1; x <= layer.width(); ++x) {
            if (layer.has(x, y)) continue;
            if (!layer.has(x - 1, y) && !layer.has(x + 1, y) && !layer.has(x, y - 1) && !layer.has(x, y + 1)) continue;
            const int ix = x + dx, iy = y + dy;
            if (ix < 0 || iy < 0 || ix >= img.width || iy >= img.height) continue;
            img.set(ix, iy, img.get(ix, iy) == 0 ? hard : soft);
        }
}

void lay(Image& img, const Layer& layer, const Ramp& ramp, uint32_t hard, uint32_t soft)
{
    outline(img, layer, hard, soft);
    shade(img, layer, ramp);
}

double spline(const std::vector<Pt>& t, double x)
{
    if (x <= t.front().x) return t.front().y;
    if (x >= t.back().x) return t.back().y;
    size_t i = 0;
    while (t[i + 1].x < x) ++i;
    const Pt& p1 = t[i];
    const Pt& p2 = t[i + 1];
    const Pt& p0 = i > 0 ? t[i - 1] : p1;
    const Pt& p3 = i + 2 < t.size() ? t[i + 2] : p2;
    const double s = (x - p1.x) / (p2.x - p1.x);
    // tangents scaled to the segment width, so uneven spacing stays smooth
    const double m1 = (p2.y - p0.y) / (p2.x - p0.x) * (p2.x - p1.x);
    const double m2 = (p3.y - p1.y) / (p3.x - p1.x) * (p2.x - p1.x);
    const double s2 = s * s, s3 = s2 * s;
    return (2 * s3 - 3 * s2 + 1) * p1.y + (s3 - 2 * s2 + s) * m1 + (-2 * s3 + 3 * s2) * p2.y + (s3 - s2) * m2;
}

} // namespace ink
