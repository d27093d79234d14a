// The rose picture: a red rose on a green stem with two leaves, on a clear
// ground, stored as a 96 x 96 icon with 8-bit alpha. The stage draws it on
// white and shows everything exactly white as see-through, so a partly
// clear edge pixel would become a pale fringe over the desktop. The rose's
// edge is therefore hard: every part carries a thin dark ink line round its
// outside, the smoothing of the colours happens against that line, and the
// picture's alpha is then made all or nothing.
// The drawing itself takes any scale: the presenter's program icon is the
// same rose at other sizes, with its soft edge kept.

#include "rose.h"

#include <cmath>
#include <string>
#include <vector>

#include "assets.h"
#include "draw.h"
#include "ico_writer.h"

namespace assets {

namespace {

constexpr int kSize = 96;
// The ink line is this wide in icon units, half of it outside the part.
constexpr double kInk = 2.2;

// Drawing in icon units: a unit is `scale` pixels and the icon's corner lies
// at `origin`.
class Pen {
public:
    Pen(Drawing& c, Pt origin, double scale)
        : c_(c),
          view_{scale, 0, 0, scale, origin.x, origin.y},
          scale_(scale),
          mask_(c.width(), c.height()),
          shadow_(c.width(), c.height()) {}

    double scale() const { return scale_; }
    Shape big(const Shape& s) const { return s.transformed(view_); }
    std::vector<Pt> big(const std::vector<Pt>& p) const { return transformed(p, view_); }
    Paint lin(Pt a, Colour ca, Pt b, Colour cb) const { return linear(view_(a), ca, view_(b), cb); }
    Paint rad(Pt a, double r, Colour ci, Colour co) const { return radial(view_(a), r * scale_, ci, co); }

    void fill(const Shape& s, const Paint& p, double opacity = 1.0) { c_.fill(big(s), p, opacity); }
    void stroke(const std::vector<Pt>& pts, double w0, double w1, Colour col, double opacity = 1.0) {
        c_.stroke(big(pts), w0 * scale_, w1 * scale_, solid(col), opacity);
    }
    // The ink line round a part, laid before the part itself so that only
    // its outer half shows.
    void ink(const Shape& s, Colour col) {
        for (const Contour& c : s.contours) stroke(closed(c), kInk, kInk, col);
    }
    // A soft shadow of the shape, moved by (dx, dy), kept inside `clip` when given.
    void shadow(const Shape& s, double dx, double dy, double softness, Colour col, double opacity,
                const Mask* clip = nullptr) {
        shadow_.clear();
        assets::fill(shadow_, big(s.transformed(Affine::translate(dx, dy))));
        assets::blur(shadow_, softness * scale_);
        if (clip) shadow_.multiply(*clip);
        c_.paint(shadow_, col, opacity);
    }
    Mask& mask(const Shape& s) {
        mask_.clear();
        assets::fill(mask_, big(s));
        return mask_;
    }

private:
    Drawing& c_;
    Affine view_;
    double scale_;
    Mask mask_, shadow_;
};

Shape leaf(Pt base, Pt tip, double width, double curl) {
    const Pt d = tip - base;
    const Pt n{-d.y, d.x};
    const double len = std::hypot(d.x, d.y);
    const Pt u = n * (1.0 / len);
    Path p;
    p.move(base)
        .cubic(base + d * 0.2 + u * (width * 1.1), base + d * 0.7 + u * (width * (0.9 + curl)), tip)
        .cubic(base + d * 0.75 - u * (width * (0.7 - curl)), base + d * 0.25 - u * (width * 1.0), base)
        .close();
    return p.shape();
}

}  // namespace

void draw_rose(Drawing& big, Pt origin, double scale) {
    Pen pen(big, origin, scale);

    const Colour stem_dark = hex(0x1F5E2A), stem_light = hex(0x3F8F3A);
    const Colour leaf_dark = hex(0x2A7A30), leaf_light = hex(0x6CBF4E), vein = hex(0xA8DC8A);
    const Colour green_ink = hex(0x0F3517), red_ink = hex(0x4A0711);

    // Stem, a gentle S from under the bloom to the bottom edge.
    Path stem;
    stem.move({50, 50}).cubic({53, 62}, {44, 74}, {47, 93});
    const Shape thorns[2] = {Shape(Contour{{49.9, 64}, {54.5, 62.0}, {50.3, 67.5}}),
                             Shape(Contour{{46.0, 80}, {41.8, 78.6}, {45.9, 83.5}})};
    pen.stroke(stem.polyline(), 3.6 + kInk, 3.0 + kInk, green_ink);
    for (const Shape& t : thorns) pen.ink(t, green_ink);
    pen.stroke(stem.polyline(), 3.6, 3.0, stem_dark);
    Path stem_hi;
    stem_hi.move({49.4, 52}).cubic({52.2, 62}, {43.3, 74}, {46.2, 91});
    pen.stroke(stem_hi.polyline(), 1.0, 0.7, stem_light, 0.8);
    // Two small thorns.
    for (const Shape& t : thorns) pen.fill(t, solid(stem_dark));

    // Leaves: one reaching left and up, one right; each with a lighter
    // midrib and a few side veins.
    struct LeafSpec {
        Pt base, tip;
        double width, curl;
    };
    const LeafSpec leaves[2] = {{{48.5, 71}, {21, 58}, 8.5, 0.15}, {{47.2, 82}, {76, 72}, 8.0, -0.1}};
    for (const LeafSpec& l : leaves) {
        const Shape s = leaf(l.base, l.tip, l.width, l.curl);
        pen.shadow(s, 0.6, 1.2, 1.2, hex(0x0B2A10), 0.35);
        pen.ink(s, green_ink);
        const Pt mid = lerp(l.base, l.tip, 0.5);
        pen.fill(s, pen.lin(mid + Pt{0, -l.width}, leaf_light, mid + Pt{0, l.width}, leaf_dark));
        const Pt d = l.tip - l.base;
        const Pt n = Pt{-d.y, d.x} * (1.0 / std::hypot(d.x, d.y));
        std::vector<Pt> rib = cubic_points(l.base, l.base + d * 0.3 + n * 1.5, l.base + d * 0.7 + n * 1.2, l.tip, 16);
        pen.stroke(rib, 0.9, 0.3, vein, 0.85);
        for (int k = 1; k <= 3; ++k) {
            const double t = 0.22 * k;
            const Pt at = lerp(l.base, l.tip, t) + n * 1.3;
            for (int side : {-1, 1}) {
                const Pt end = at + d * 0.14 + n * (side * l.width * 0.55 * (1.0 - 0.2 * k));
                pen.stroke({at, end}, 0.45, 0.2, vein, 0.6);
            }
        }
    }

    // Sepals under the bloom.
    std::vector<Shape> sepals;
    for (double a : {-0.9, -0.2, 0.6}) {
        const Pt base{50, 50};
        sepals.push_back(leaf(base, base + Pt{std::sin(a) * 13, std::cos(a) * 7 - 2}, 2.6, 0.0));
    }
    for (const Shape& s : sepals) pen.ink(s, green_ink);
    for (const Shape& s : sepals) pen.fill(s, pen.lin({50, 47}, stem_light, {50, 58}, stem_dark));

    // The bloom, back to front.
    const Colour deep = hex(0x7E0A17), dark = hex(0xA3111F), red = hex(0xCF1D32), bright = hex(0xE8394A),
                 rim = hex(0xF7788A);

    // The petals' outlines come first, so the ink can go under all of them.
    // Outer petals behind the cup.
    Path back;
    back.move({25, 31})
        .cubic({21, 17}, {33, 8}, {43, 12})
        .cubic({47, 6}, {55, 6}, {58, 12})
        .cubic({68, 8}, {79, 17}, {75, 31})
        .cubic({75, 46}, {63, 54}, {50, 54})
        .cubic({37, 54}, {25, 46}, {25, 31})
        .close();
    // Petals flaring out at both sides, under the cup.
    const Shape flares[2] = {Shape(ellipse({30.5, 38}, 9.5, 13.5, -0.55)), Shape(ellipse({69.5, 38}, 9.5, 13.5, 0.55))};
    // The cup: two wrapping petals meeting in the middle.
    Path left;
    left.move({27, 25})
        .cubic({35, 21}, {46, 24}, {53, 30})
        .cubic({47, 37}, {48, 48}, {52, 56})
        .cubic({38, 56}, {26, 45}, {27, 25})
        .close();
    Path right;
    right.move({73, 25})
        .cubic({66, 21}, {56, 23}, {48, 29})
        .cubic({53, 36}, {54, 47}, {50, 56})
        .cubic({63, 56}, {74, 45}, {73, 25})
        .close();
    Shape cup;
    cup.add(left.shape()).add(right.shape());
    // A front petal lapping over both.
    Path front;
    front.move({35, 37})
        .cubic({42, 33}, {58, 33}, {65, 37})
        .cubic({65, 48}, {58, 56}, {50, 57})
        .cubic({42, 56}, {35, 48}, {35, 37})
        .close();
    for (const Shape& s : {back.shape(), flares[0], flares[1], cup, front.shape()}) pen.ink(s, red_ink);

    // Outer petals behind, their curled tips showing above the cup.
    pen.shadow(back.shape(), 0, 1.5, 2.0, hex(0x3A0508), 0.35);
    pen.fill(back.shape(), pen.lin({50, 8}, bright, {50, 40}, dark));
    // Curled edges of the back petals.
    pen.stroke(cubic_points({26.5, 27}, {23, 16}, {34, 10}, {43, 13.5}, 24), 1.1, 0.5, rim, 0.9);
    pen.stroke(cubic_points({57, 13.5}, {67, 10}, {78, 17}, {73.5, 27}, 24), 0.5, 1.1, rim, 0.9);
    pen.stroke(cubic_points({44, 12.5}, {47.5, 7.5}, {53, 7.5}, {57, 12.5}, 16), 0.6, 0.6, rim, 0.8);

    // Petals flaring out at both sides, under the cup.
    for (int side : {-1, 1}) {
        const Pt c{50 + side * 19.5, 38};
        const Shape& flare = flares[side > 0];
        pen.shadow(flare, 0, 1.0, 1.5, hex(0x3A0508), 0.35);
        pen.fill(flare, pen.lin(c + Pt{side * 8.0, -10}, bright, c + Pt{-side * 4.0, 10}, dark));
        std::vector<Pt> edge;
        for (int i = 0; i <= 24; ++i) {
            const double t = -1.2 + 2.0 * i / 24;  // the outer side of the ellipse
            const double x = 9.5 * std::cos(t), y = 13.5 * std::sin(t);
            const double r = side * 0.55;
            edge.push_back(
                {c.x + side * (x * std::cos(r)) - y * std::sin(r), c.y + side * x * std::sin(r) + y * std::cos(r)});
        }
        pen.stroke(edge, 0.4, 1.1, rim, 0.8);
    }

    // The opening of the cup and the bud curled inside it.
    pen.fill(Shape(ellipse({50, 25}, 21, 9.5)), pen.lin({50, 16}, deep, {50, 34}, dark));
    pen.fill(Shape(ellipse({50.5, 24.5}, 14, 7.0)), pen.lin({42, 18}, bright, {58, 31}, red));
    {
        // A spiral of petal edges, squashed into the bud's perspective:
        // dark creases with a light rolled edge just above each.
        std::vector<Pt> spiral;
        for (int i = 0; i <= 90; ++i) {
            const double th = 0.6 + i * 0.118;
            const double r = 0.4 + 1.2 * th;
            spiral.push_back({50.5 + r * std::cos(th), 24.2 + 0.5 * r * std::sin(th)});
        }
        pen.stroke(spiral, 0.9, 2.0, deep, 0.95);
        for (Pt& p : spiral) p = p + Pt{-0.3, -1.0};
        pen.stroke(spiral, 0.5, 1.0, rim, 0.8);
    }

    // The cup: two wrapping petals meeting in the middle, each darker where
    // it turns away from the light.
    Mask& clip = pen.mask(cup);
    Mask cup_mask = clip;
    pen.shadow(left.shape(), 1.2, 0.8, 1.5, hex(0x3A0508), 0.45);
    pen.fill(right.shape(), pen.lin({72, 24}, bright, {55, 52}, dark));
    pen.shadow(left.shape(), 1.6, 0.5, 1.6, hex(0x3A0508), 0.5, &cup_mask);
    pen.fill(left.shape(), pen.lin({30, 24}, bright, {48, 54}, dark));
    pen.stroke(cubic_points({27.5, 25.5}, {35, 21.5}, {46, 24.5}, {52.5, 30}, 24), 1.3, 0.5, rim, 0.95);
    pen.stroke(cubic_points({72.5, 25.5}, {66, 21.5}, {56, 23.5}, {49, 29}, 24), 1.3, 0.5, rim, 0.85);

    // A front petal lapping over both, its rolled top edge catching the light.
    pen.shadow(front.shape(), 0, -0.5, 1.6, hex(0x3A0508), 0.45, &cup_mask);
    pen.fill(front.shape(), pen.lin({50, 34}, red, {50, 57}, hex(0x93101F)));
    pen.stroke(cubic_points({35.5, 37}, {42, 33.2}, {58, 33.2}, {64.5, 37}, 24), 1.0, 1.0, rim);
    pen.stroke(cubic_points({37, 38.6}, {43, 35.8}, {57, 35.8}, {63, 38.6}, 24), 0.7, 0.7, bright, 0.6);

    // A broad soft sheen from the upper left over the whole bloom.
    {
        Shape bloom;
        bloom.add(back.shape()).add(cup);
        Mask& bloom_mask = pen.mask(bloom);
        Mask sheen(big.width(), big.height());
        assets::fill(sheen, pen.big(Shape(ellipse({38, 24}, 12, 8, -0.5))));
        assets::blur(sheen, 5.0 * pen.scale());
        sheen.multiply(bloom_mask);
        big.paint(sheen, hex(0xFFD0D6), 0.28);
    }
}

namespace {

Drawing hard_edged_rose() {
    Drawing c(kSize, kSize);
    draw_rose(c, {0, 0}, 1.0);
    // At the edge only the outer half of the ink's smoothing is partly
    // clear: what is at least half covered becomes its own colour, opaque,
    // the rest clear.
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const Colour p = c.get(x, y);
            c.set(x, y, p.a >= 0.5f ? with_alpha(p, 1.0f) : Colour{});
        }
    return c;
}

}  // namespace

void make_rose(const std::string& path) { write_icon(path, {{kSize, hard_edged_rose().rgba8()}}); }

}  // namespace assets
