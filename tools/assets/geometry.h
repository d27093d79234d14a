#pragma once
// Points, transforms and outlines for the pictures: shapes are closed
// polygons (curves flattened finely enough for these sizes), filled with the
// non-zero rule by the drawing layer.

#include <vector>

namespace assets {

double clamp01(double v);
double smoothstep(double e0, double e1, double x);
double lerp(double a, double b, double t);

struct Pt {
    double x = 0, y = 0;
};
inline Pt operator+(Pt a, Pt b) { return {a.x + b.x, a.y + b.y}; }
inline Pt operator-(Pt a, Pt b) { return {a.x - b.x, a.y - b.y}; }
inline Pt operator*(Pt a, double s) { return {a.x * s, a.y * s}; }
Pt lerp(Pt a, Pt b, double t);

// x' = a*x + c*y + e, y' = b*x + d*y + f
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    Pt operator()(Pt p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    static Affine translate(double x, double y);
    static Affine scale(double sx, double sy);
    static Affine rotate(double radians);
    static Affine rotate_about(double radians, Pt centre);
    // (this * other)(p) == this(other(p))
    Affine operator*(const Affine& other) const;
};

using Contour = std::vector<Pt>;

// One or more closed contours filled together with the non-zero rule.
struct Shape {
    std::vector<Contour> contours;
    Shape() = default;
    Shape(Contour c) { contours.push_back(std::move(c)); }
    Shape& add(Contour c);
    Shape& add(const Shape& s);
    Shape transformed(const Affine& m) const;
};

// Builds contours and open polylines from lines and Bézier curves.
class Path {
public:
    Path& move(Pt p);
    Path& line(Pt p);
    Path& quad(Pt c, Pt p);
    Path& cubic(Pt c1, Pt c2, Pt p);
    Path& close();
    Shape shape() const;               // every subpath, closed
    std::vector<Pt> polyline() const;  // the points of the last subpath, open

private:
    std::vector<Contour> done_;
    Contour current_;
};

std::vector<Pt> cubic_points(Pt p0, Pt c1, Pt c2, Pt p3, int segments = 32);
Contour ellipse(Pt centre, double rx, double ry, double rotation = 0.0, int segments = 0);
Contour polygon_star(Pt centre, double outer, double inner, int points, double rotation = 0.0);
// The classic two-lobed heart, point down, `size` wide, centred on `centre`.
Contour heart(Pt centre, double size, double rotation = 0.0);
std::vector<Pt> transformed(const std::vector<Pt>& pts, const Affine& m);
// A contour as an open line that ends back at its start, for stroking its edge.
std::vector<Pt> closed(const Contour& c);

}  // namespace assets
