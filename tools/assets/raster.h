#pragma once
// A small float raster for drawing the show's pictures: anti-aliased polygon
// fills (non-zero winding), variable-width strokes, gradients through paint
// callbacks, Gaussian blur and value noise. Everything is plain double/float
// arithmetic with no randomness of its own, so the same calls give the same
// pixels on every run.

#include <cstdint>
#include <functional>
#include <vector>

namespace assets {

// Straight (not premultiplied) colour, each channel 0..1.
struct Colour {
    float r = 0, g = 0, b = 0, a = 0;
};

Colour hex(std::uint32_t rgb, float alpha = 1.0f);
Colour mix(Colour a, Colour b, double t);
Colour with_alpha(Colour c, float alpha);
Colour lighter(Colour c, double t);  // towards white
Colour darker(Colour c, double t);   // towards black

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
    Shape shape() const;              // every subpath, closed
    std::vector<Pt> polyline() const; // the points of the last subpath, open

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

// Coverage 0..1 per pixel. Drawing into a mask unites shapes by taking the
// larger coverage; the box of touched pixels keeps clearing and painting cheap.
class Mask {
public:
    Mask(int width, int height);
    int width() const { return w_; }
    int height() const { return h_; }
    float& at(int x, int y) { return v_[static_cast<std::size_t>(y) * w_ + x]; }
    float at(int x, int y) const { return v_[static_cast<std::size_t>(y) * w_ + x]; }
    void clear();
    void touch(int x0, int y0, int x1, int y1);  // half-open box
    void touch_all() { touch(0, 0, w_, h_); }
    int x0() const { return bx0_; }
    int y0() const { return by0_; }
    int x1() const { return bx1_; }
    int y1() const { return by1_; }
    bool empty() const { return bx0_ >= bx1_ || by0_ >= by1_; }
    void scale(float s);
    void subtract(const Mask& other);  // this = this * (1 - other)
    void multiply(const Mask& other);  // this = this * other

private:
    int w_, h_;
    std::vector<float> v_;
    int bx0_, by0_, bx1_, by1_;
};

void fill(Mask& m, const Shape& s);
// A polyline stroked with round ends; the width goes linearly from w0 at the
// first point to w1 at the last, for tapered brush-like lines.
void stroke(Mask& m, const std::vector<Pt>& pts, double w0, double w1);
inline void stroke(Mask& m, const std::vector<Pt>& pts, double w) { stroke(m, pts, w, w); }
void blur(Mask& m, double sigma);

using Paint = std::function<Colour(double x, double y)>;
Paint solid(Colour c);
Paint linear(Pt p0, Colour c0, Pt p1, Colour c1);
Paint radial(Pt centre, double radius, Colour inner, Colour outer);

// Premultiplied float RGBA.
class Canvas {
public:
    Canvas(int width, int height, Colour background = {});
    int width() const { return w_; }
    int height() const { return h_; }
    // Straight colour of a pixel.
    Colour get(int x, int y) const;
    void set(int x, int y, Colour c);
    // Source-over the paint through the mask's coverage times opacity.
    void paint(const Mask& m, const Paint& p, double opacity = 1.0);
    void paint(const Mask& m, Colour c, double opacity = 1.0) { paint(m, solid(c), opacity); }
    // Source-over another canvas of the same size.
    void draw(const Canvas& layer, double opacity = 1.0);
    void blur(double sigma);
    // The straight colour over an opaque background, 8 bits per channel RGB.
    std::vector<std::uint8_t> rgb8(Colour background) const;
    // Straight RGBA, 8 bits per channel, top row first.
    std::vector<std::uint8_t> rgba8() const;

    // Shorthands that go through a scratch mask.
    void fill(const Shape& s, const Paint& p, double opacity = 1.0);
    void fill(const Shape& s, Colour c, double opacity = 1.0) { fill(s, solid(c), opacity); }
    void stroke(const std::vector<Pt>& pts, double w0, double w1, const Paint& p, double opacity = 1.0);
    void stroke(const std::vector<Pt>& pts, double w, Colour c, double opacity = 1.0) {
        stroke(pts, w, w, solid(c), opacity);
    }

    const float* data() const { return px_.data(); }
    float* data() { return px_.data(); }

private:
    Mask& scratch();
    int w_, h_;
    std::vector<float> px_;  // r g b a, premultiplied
    std::vector<Mask> scratch_;
};

// Averages factor x factor blocks: pictures are drawn large and shrunk for
// smooth edges on fine detail.
Canvas downsample(const Canvas& big, int factor);

// Deterministic pseudo-random numbers (splitmix64); the standard library's
// distributions are not the same everywhere, these are.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double uniform();                       // [0, 1)
    double uniform(double lo, double hi);   // [lo, hi)
    int below(int n);                       // [0, n)

private:
    std::uint64_t state_;
};

// Smooth value noise in about [0, 1], and its fractal sum over octaves.
double value_noise(double x, double y, std::uint32_t seed);
double fbm(double x, double y, int octaves, std::uint32_t seed);

}  // namespace assets
