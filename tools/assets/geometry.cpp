#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assets {

namespace {}

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double smoothstep(double e0, double e1, double x) {
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

double lerp(double a, double b, double t) { return a + (b - a) * t; }
Pt lerp(Pt a, Pt b, double t) { return {lerp(a.x, b.x, t), lerp(a.y, b.y, t)}; }

Affine Affine::translate(double x, double y) { return {1, 0, 0, 1, x, y}; }
Affine Affine::scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
Affine Affine::rotate(double r) {
    const double c = std::cos(r), s = std::sin(r);
    return {c, s, -s, c, 0, 0};
}
Affine Affine::rotate_about(double r, Pt p) { return translate(p.x, p.y) * rotate(r) * translate(-p.x, -p.y); }

Affine Affine::operator*(const Affine& o) const {
    return {a * o.a + c * o.b, b * o.a + d * o.b,     a * o.c + c * o.d,
            b * o.c + d * o.d, a * o.e + c * o.f + e, b * o.e + d * o.f + f};
}

Shape& Shape::add(Contour c) {
    contours.push_back(std::move(c));
    return *this;
}

Shape& Shape::add(const Shape& s) {
    contours.insert(contours.end(), s.contours.begin(), s.contours.end());
    return *this;
}

Shape Shape::transformed(const Affine& m) const {
    Shape out;
    for (const Contour& c : contours) out.contours.push_back(assets::transformed(c, m));
    return out;
}

std::vector<Pt> transformed(const std::vector<Pt>& pts, const Affine& m) {
    std::vector<Pt> out;
    out.reserve(pts.size());
    for (Pt p : pts) out.push_back(m(p));
    return out;
}

std::vector<Pt> closed(const Contour& c) {
    std::vector<Pt> out(c.begin(), c.end());
    if (!c.empty()) out.push_back(c.front());
    return out;
}

Path& Path::move(Pt p) {
    if (current_.size() > 1) done_.push_back(current_);
    current_.assign(1, p);
    return *this;
}

Path& Path::line(Pt p) {
    current_.push_back(p);
    return *this;
}

Path& Path::quad(Pt c, Pt p) {
    const Pt p0 = current_.back();
    return cubic(p0 + (c - p0) * (2.0 / 3.0), p + (c - p) * (2.0 / 3.0), p);
}

Path& Path::cubic(Pt c1, Pt c2, Pt p) {
    const std::vector<Pt> pts = cubic_points(current_.back(), c1, c2, p);
    current_.insert(current_.end(), pts.begin() + 1, pts.end());
    return *this;
}

Path& Path::close() {
    if (current_.size() > 1) done_.push_back(current_);
    current_.clear();
    return *this;
}

Shape Path::shape() const {
    Shape s;
    s.contours = done_;
    if (current_.size() > 1) s.contours.push_back(current_);
    return s;
}

std::vector<Pt> Path::polyline() const {
    if (current_.size() > 1) return current_;
    return done_.empty() ? std::vector<Pt>{} : done_.back();
}

std::vector<Pt> cubic_points(Pt p0, Pt c1, Pt c2, Pt p3, int segments) {
    std::vector<Pt> out;
    out.reserve(segments + 1);
    for (int i = 0; i <= segments; ++i) {
        const double t = static_cast<double>(i) / segments, u = 1 - t;
        out.push_back({u * u * u * p0.x + 3 * u * u * t * c1.x + 3 * u * t * t * c2.x + t * t * t * p3.x,
                       u * u * u * p0.y + 3 * u * u * t * c1.y + 3 * u * t * t * c2.y + t * t * t * p3.y});
    }
    return out;
}

Contour ellipse(Pt c, double rx, double ry, double rotation, int segments) {
    if (segments <= 0) segments = std::clamp(static_cast<int>(std::max(rx, ry) * 1.5), 24, 256);
    const double cr = std::cos(rotation), sr = std::sin(rotation);
    Contour out;
    out.reserve(segments);
    for (int i = 0; i < segments; ++i) {
        const double t = 2 * std::numbers::pi * i / segments;
        const double x = rx * std::cos(t), y = ry * std::sin(t);
        out.push_back({c.x + x * cr - y * sr, c.y + x * sr + y * cr});
    }
    return out;
}

Contour polygon_star(Pt c, double outer, double inner, int points, double rotation) {
    Contour out;
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2) ? inner : outer;
        const double t = rotation - std::numbers::pi / 2 + std::numbers::pi * i / points;
        out.push_back({c.x + r * std::cos(t), c.y + r * std::sin(t)});
    }
    return out;
}

Contour heart(Pt c, double size, double rotation) {
    // The curve x = 16 sin^3 t, y = 13 cos t - 5 cos 2t - 2 cos 3t - cos 4t spans
    // about 32 x 29 units; it is scaled to `size` across, y pointing down.
    Contour out;
    const double k = size / 32.0;
    const Affine m = Affine::translate(c.x, c.y) * Affine::rotate(rotation);
    for (int i = 0; i < 96; ++i) {
        const double t = 2 * std::numbers::pi * i / 96;
        const double s = std::sin(t);
        const double x = 16 * s * s * s;
        const double y = 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
        out.push_back(m({x * k, -(y + 2.5) * k}));
    }
    return out;
}

}  // namespace assets
