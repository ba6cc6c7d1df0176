// The small painting kit the characters are drawn with. Shapes are placed in
// design coordinates (a View maps them onto the picture, so the same seal can
// be drawn big for the game and small for the grade pictures and the icon),
// collected in a Layer, then inked: a 1-pixel outline around the layer and
// cel shading inside it from one fixed light coming from the upper left.
// Shading picks from a short ramp of shades, so every sheet keeps a small,
// fixed palette and the edges never blend into the (transparent) black.
#pragma once

#include "image.h"

#include <functional>
#include <vector>

namespace ink {

struct Pt {
    double x = 0;
    double y = 0;
};

// pixel = origin + design * scale
struct View {
    double ox = 0;
    double oy = 0;
    double s = 1;
};

// Shades of one material, darkest first.
using Ramp = std::vector<uint32_t>;

// A set of pixels with a surface normal each, for shading.
class Layer {
public:
    Layer(int w, int h, View view = {});

    bool has(int x, int y) const;
    int width() const { return w_; }
    int height() const { return h_; }
    const View& view() const { return view_; }

    // Rounded shapes: shaded like an ellipsoid (axis = direction of rx).
    // Where balls overlap, the one nearer the viewer (higher lift) wins.
    void ball(Pt c, double rx, double ry, Pt axis = {1, 0}, double lift = 0);
    // A body of revolution around a vertical, possibly bending axis:
    // half_width(y) and centre(y) in design units, for y0 <= y <= y1.
    void body(const std::function<double(double)>& half_width, const std::function<double(double)>& centre, double y0,
              double y1);

    // A ring of round wire (a chain link seen face-on): centre line rx, ry.
    void ring(Pt c, double rx, double ry, double thick);

    // Flat shapes (face-on normal).
    void ellipse(Pt c, double rx, double ry, Pt axis = {1, 0});
    void capsule(Pt a, Pt b, double ra, double rb); // tapered, round ends
    void curve(Pt a, Pt ctrl, Pt b, double width);  // quadratic Bezier stroke
    void polygon(const std::vector<Pt>& pts);

    void erase(const Layer& other); // drop the pixels other has
    void clip(const Layer& other);  // keep only pixels other has too
    void add(const Layer& other);   // take other's pixels (and normals)

    struct Px {
        bool on = false;
        double z = 0;
        double nx = 0, ny = 0, nz = 1;
    };
    const Px& at(int x, int y) const { return px_[size_t(y) * size_t(w_) + size_t(x)]; }

private:
    // Calls f(design_x, design_y, pixel) for every pixel of the layer.
    void each(const std::function<void(double, double, Px&)>& f);
    void flat(const std::function<bool(double, double)>& inside);
    double min_radius(double r) const; // keeps strokes at least one pixel wide

    int w_;
    int h_;
    View view_;
    std::vector<Px> px_;
};

// Fills every pixel of the layer with one colour.
void paint(Image& img, const Layer& layer, uint32_t colour, int dx = 0, int dy = 0);
// Cel-shades the layer with the ramp; with `only`, just where `only` has pixels.
void shade(Image& img, const Layer& layer, const Ramp& ramp, const Layer* only = nullptr, int dx = 0, int dy = 0);
// Draws a 1-pixel outline just outside the layer: `hard` over empty (black)
// pixels, `soft` where it crosses something already drawn.
void outline(Image& img, const Layer& layer, uint32_t hard, uint32_t soft, int dx = 0, int dy = 0);
// Outline, then shading: the usual way to put a rounded part down.
void lay(Image& img, const Layer& layer, const Ramp& ramp, uint32_t hard, uint32_t soft);

// Light from the upper left, 0 (facing away) .. 1 (facing the light).
double light(const Layer::Px& p);

// Smooth interpolation through (x, value) points sorted by x (Catmull-Rom).
double spline(const std::vector<Pt>& table, double x);

} // namespace ink
