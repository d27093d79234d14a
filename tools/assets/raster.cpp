#include "raster.h"

#include <algorithm>
#include <cmath>

namespace assets {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

Colour hex(std::uint32_t rgb, float alpha) {
    return {static_cast<float>((rgb >> 16) & 255) / 255.0f, static_cast<float>((rgb >> 8) & 255) / 255.0f,
            static_cast<float>(rgb & 255) / 255.0f, alpha};
}

Colour mix(Colour a, Colour b, double t) {
    const float u = static_cast<float>(t);
    return {a.r + (b.r - a.r) * u, a.g + (b.g - a.g) * u, a.b + (b.b - a.b) * u, a.a + (b.a - a.a) * u};
}

Colour with_alpha(Colour c, float alpha) {
    c.a = alpha;
    return c;
}

Colour lighter(Colour c, double t) { return mix(c, Colour{1, 1, 1, c.a}, t); }
Colour darker(Colour c, double t) { return mix(c, Colour{0, 0, 0, c.a}, t); }

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
    return {a * o.a + c * o.b, b * o.a + d * o.b, a * o.c + c * o.d, b * o.c + d * o.d, a * o.e + c * o.f + e,
            b * o.e + d * o.f + f};
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
        const double t = 2 * kPi * i / segments;
        const double x = rx * std::cos(t), y = ry * std::sin(t);
        out.push_back({c.x + x * cr - y * sr, c.y + x * sr + y * cr});
    }
    return out;
}

Contour polygon_star(Pt c, double outer, double inner, int points, double rotation) {
    Contour out;
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2) ? inner : outer;
        const double t = rotation - kPi / 2 + kPi * i / points;
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
        const double t = 2 * kPi * i / 96;
        const double s = std::sin(t);
        const double x = 16 * s * s * s;
        const double y = 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
        out.push_back(m({x * k, -(y + 2.5) * k}));
    }
    return out;
}

Mask::Mask(int width, int height)
    : w_(width), h_(height), v_(static_cast<std::size_t>(width) * height, 0.0f), bx0_(width), by0_(height), bx1_(0),
      by1_(0) {}

void Mask::clear() {
    for (int y = by0_; y < by1_; ++y) std::fill(&at(bx0_, y), &at(bx0_, y) + (bx1_ - bx0_), 0.0f);
    bx0_ = w_;
    by0_ = h_;
    bx1_ = by1_ = 0;
}

void Mask::touch(int x0, int y0, int x1, int y1) {
    bx0_ = std::max(0, std::min(bx0_, x0));
    by0_ = std::max(0, std::min(by0_, y0));
    bx1_ = std::min(w_, std::max(bx1_, x1));
    by1_ = std::min(h_, std::max(by1_, y1));
}

void Mask::scale(float s) {
    for (int y = by0_; y < by1_; ++y)
        for (int x = bx0_; x < bx1_; ++x) at(x, y) *= s;
}

void Mask::subtract(const Mask& o) {
    for (int y = std::max(by0_, o.by0_); y < std::min(by1_, o.by1_); ++y)
        for (int x = std::max(bx0_, o.bx0_); x < std::min(bx1_, o.bx1_); ++x) at(x, y) *= 1.0f - o.at(x, y);
}

void Mask::multiply(const Mask& o) {
    for (int y = by0_; y < by1_; ++y)
        for (int x = bx0_; x < bx1_; ++x) at(x, y) *= o.at(x, y);
}

void fill(Mask& m, const Shape& s) {
    struct Edge {
        double x0, y0, x1, y1;
        int dir;
    };
    std::vector<Edge> edges;
    double minx = 1e30, miny = 1e30, maxx = -1e30, maxy = -1e30;
    for (const Contour& c : s.contours) {
        const std::size_t n = c.size();
        if (n < 3) continue;
        for (std::size_t i = 0; i < n; ++i) {
            const Pt a = c[i], b = c[(i + 1) % n];
            minx = std::min(minx, a.x);
            maxx = std::max(maxx, a.x);
            miny = std::min(miny, a.y);
            maxy = std::max(maxy, a.y);
            if (a.y == b.y) continue;
            if (a.y < b.y)
                edges.push_back({a.x, a.y, b.x, b.y, 1});
            else
                edges.push_back({b.x, b.y, a.x, a.y, -1});
        }
    }
    if (edges.empty()) return;
    const int x0 = std::max(0, static_cast<int>(std::floor(minx)));
    const int x1 = std::min(m.width(), static_cast<int>(std::floor(maxx)) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(miny)));
    const int y1 = std::min(m.height(), static_cast<int>(std::floor(maxy)) + 1);
    if (x0 >= x1 || y0 >= y1) return;
    m.touch(x0, y0, x1, y1);

    // Sixteen sample lines per pixel row, each crossing measured exactly along x.
    constexpr int kSub = 16;
    std::vector<double> acc(static_cast<std::size_t>(x1 - x0) + 2);
    std::vector<std::pair<double, int>> xs;
    auto add_span = [&](double a, double b, double w) {
        a = std::clamp(a, static_cast<double>(x0), static_cast<double>(x1));
        b = std::clamp(b, static_cast<double>(x0), static_cast<double>(x1));
        if (b <= a) return;
        const int ia = static_cast<int>(std::floor(a)), ib = static_cast<int>(std::floor(b));
        if (ia == ib) {
            acc[ia - x0] += (b - a) * w;
            return;
        }
        acc[ia - x0] += (ia + 1 - a) * w;
        for (int i = ia + 1; i < ib; ++i) acc[i - x0] += w;
        if (ib < x1) acc[ib - x0] += (b - ib) * w;
    };
    for (int py = y0; py < y1; ++py) {
        std::fill(acc.begin(), acc.end(), 0.0);
        for (int sub = 0; sub < kSub; ++sub) {
            const double sy = py + (sub + 0.5) / kSub;
            xs.clear();
            for (const Edge& e : edges) {
                if (sy < e.y0 || sy >= e.y1) continue;
                xs.push_back({e.x0 + (sy - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir});
            }
            std::sort(xs.begin(), xs.end());
            int wind = 0;
            for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
                wind += xs[i].second;
                if (wind != 0) add_span(xs[i].first, xs[i + 1].first, 1.0 / kSub);
            }
        }
        for (int px = x0; px < x1; ++px) {
            const float cov = static_cast<float>(std::min(1.0, acc[px - x0]));
            float& v = m.at(px, py);
            v = std::max(v, cov);
        }
    }
}

void stroke(Mask& m, const std::vector<Pt>& pts, double w0, double w1) {
    if (pts.empty()) return;
    // Length along the line, to spread the taper evenly.
    std::vector<double> along(pts.size(), 0.0);
    for (std::size_t i = 1; i < pts.size(); ++i)
        along[i] = along[i - 1] + std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
    const double total = along.back() > 0 ? along.back() : 1.0;
    const std::size_t segments = pts.size() == 1 ? 1 : pts.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const Pt a = pts[i], b = pts.size() == 1 ? pts[0] : pts[i + 1];
        const double ra = lerp(w0, w1, along[i] / total) / 2;
        const double rb = lerp(w0, w1, (pts.size() == 1 ? along[i] : along[i + 1]) / total) / 2;
        const double rmax = std::max(ra, rb) + 1;
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min(a.x, b.x) - rmax)));
        const int x1 = std::min(m.width(), static_cast<int>(std::ceil(std::max(a.x, b.x) + rmax)) + 1);
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min(a.y, b.y) - rmax)));
        const int y1 = std::min(m.height(), static_cast<int>(std::ceil(std::max(a.y, b.y) + rmax)) + 1);
        if (x0 >= x1 || y0 >= y1) continue;
        m.touch(x0, y0, x1, y1);
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double len2 = dx * dx + dy * dy;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const double px = x + 0.5 - a.x, py = y + 0.5 - a.y;
                const double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
                const double d = std::hypot(px - t * dx, py - t * dy);
                const double r = lerp(ra, rb, t);
                // Lines thinner than a pixel fade instead of thinning further.
                double cov = clamp01(std::max(r, 0.5) + 0.5 - d);
                if (r < 0.5) cov *= 2 * r;
                float& v = m.at(x, y);
                v = std::max(v, static_cast<float>(cov));
            }
        }
    }
}

namespace {

std::vector<float> gaussian_kernel(double sigma) {
    const int radius = std::max(1, static_cast<int>(std::ceil(sigma * 3)));
    std::vector<float> k(2 * radius + 1);
    double sum = 0;
    for (int i = -radius; i <= radius; ++i) sum += k[i + radius] = static_cast<float>(std::exp(-(i * i) / (2 * sigma * sigma)));
    for (float& v : k) v = static_cast<float>(v / sum);
    return k;
}

// Blurs `channels` interleaved float planes inside the box, which grows by
// the kernel's radius (clipped to the picture).
void blur_planes(float* data, int w, int h, int channels, double sigma, int& bx0, int& by0, int& bx1, int& by1) {
    const std::vector<float> k = gaussian_kernel(sigma);
    const int r = static_cast<int>(k.size() / 2);
    bx0 = std::max(0, bx0 - r);
    by0 = std::max(0, by0 - r);
    bx1 = std::min(w, bx1 + r);
    by1 = std::min(h, by1 + r);
    const int n = std::max(bx1 - bx0, by1 - by0);
    std::vector<float> line(static_cast<std::size_t>(n) * channels), out(line.size());
    auto run = [&](int count) {
        for (int i = 0; i < count; ++i) {
            for (int ch = 0; ch < channels; ++ch) {
                float s = 0;
                // Outside the box is empty, so taps there add nothing.
                for (int j = std::max(-r, -i); j <= std::min(r, count - 1 - i); ++j)
                    s += k[j + r] * line[static_cast<std::size_t>(i + j) * channels + ch];
                out[static_cast<std::size_t>(i) * channels + ch] = s;
            }
        }
    };
    for (int y = by0; y < by1; ++y) {
        const int count = bx1 - bx0;
        float* row = data + (static_cast<std::size_t>(y) * w + bx0) * channels;
        std::copy(row, row + static_cast<std::size_t>(count) * channels, line.begin());
        run(count);
        std::copy(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(count) * channels, row);
    }
    for (int x = bx0; x < bx1; ++x) {
        const int count = by1 - by0;
        for (int y = 0; y < count; ++y)
            for (int ch = 0; ch < channels; ++ch)
                line[static_cast<std::size_t>(y) * channels + ch] =
                    data[(static_cast<std::size_t>(y + by0) * w + x) * channels + ch];
        run(count);
        for (int y = 0; y < count; ++y)
            for (int ch = 0; ch < channels; ++ch)
                data[(static_cast<std::size_t>(y + by0) * w + x) * channels + ch] =
                    out[static_cast<std::size_t>(y) * channels + ch];
    }
}

}  // namespace

void blur(Mask& m, double sigma) {
    if (m.empty()) return;
    int x0 = m.x0(), y0 = m.y0(), x1 = m.x1(), y1 = m.y1();
    blur_planes(&m.at(0, 0), m.width(), m.height(), 1, sigma, x0, y0, x1, y1);
    m.touch(x0, y0, x1, y1);
}

Paint solid(Colour c) {
    return [c](double, double) { return c; };
}

Paint linear(Pt p0, Colour c0, Pt p1, Colour c1) {
    const double dx = p1.x - p0.x, dy = p1.y - p0.y, len2 = dx * dx + dy * dy;
    return [=](double x, double y) { return mix(c0, c1, clamp01(((x - p0.x) * dx + (y - p0.y) * dy) / len2)); };
}

Paint radial(Pt c, double radius, Colour inner, Colour outer) {
    return [=](double x, double y) { return mix(inner, outer, clamp01(std::hypot(x - c.x, y - c.y) / radius)); };
}

Canvas::Canvas(int width, int height, Colour bg) : w_(width), h_(height), px_(static_cast<std::size_t>(width) * height * 4) {
    for (std::size_t i = 0; i < px_.size(); i += 4) {
        px_[i] = bg.r * bg.a;
        px_[i + 1] = bg.g * bg.a;
        px_[i + 2] = bg.b * bg.a;
        px_[i + 3] = bg.a;
    }
}

Colour Canvas::get(int x, int y) const {
    const float* p = &px_[(static_cast<std::size_t>(y) * w_ + x) * 4];
    if (p[3] <= 0) return {};
    return {p[0] / p[3], p[1] / p[3], p[2] / p[3], p[3]};
}

void Canvas::set(int x, int y, Colour c) {
    float* p = &px_[(static_cast<std::size_t>(y) * w_ + x) * 4];
    p[0] = c.r * c.a;
    p[1] = c.g * c.a;
    p[2] = c.b * c.a;
    p[3] = c.a;
}

void Canvas::paint(const Mask& m, const Paint& paint, double opacity) {
    for (int y = m.y0(); y < m.y1(); ++y) {
        for (int x = m.x0(); x < m.x1(); ++x) {
            const float cov = m.at(x, y);
            if (cov <= 0) continue;
            const Colour c = paint(x + 0.5, y + 0.5);
            const float a = c.a * cov * static_cast<float>(opacity);
            if (a <= 0) continue;
            float* p = &px_[(static_cast<std::size_t>(y) * w_ + x) * 4];
            p[0] = c.r * a + p[0] * (1 - a);
            p[1] = c.g * a + p[1] * (1 - a);
            p[2] = c.b * a + p[2] * (1 - a);
            p[3] = a + p[3] * (1 - a);
        }
    }
}

void Canvas::draw(const Canvas& layer, double opacity) {
    const float o = static_cast<float>(opacity);
    for (std::size_t i = 0; i < px_.size(); i += 4) {
        const float a = layer.px_[i + 3] * o;
        if (a <= 0) continue;
        for (int ch = 0; ch < 3; ++ch) px_[i + ch] = layer.px_[i + ch] * o + px_[i + ch] * (1 - a);
        px_[i + 3] = a + px_[i + 3] * (1 - a);
    }
}

void Canvas::blur(double sigma) {
    int x0 = 0, y0 = 0, x1 = w_, y1 = h_;
    blur_planes(px_.data(), w_, h_, 4, sigma, x0, y0, x1, y1);
}

std::vector<std::uint8_t> Canvas::rgb8(Colour bg) const {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(w_) * h_ * 3);
    for (std::size_t i = 0, o = 0; i < px_.size(); i += 4, o += 3) {
        const float a = std::clamp(px_[i + 3], 0.0f, 1.0f);
        const float c[3] = {px_[i] + bg.r * (1 - a), px_[i + 1] + bg.g * (1 - a), px_[i + 2] + bg.b * (1 - a)};
        for (int ch = 0; ch < 3; ++ch)
            out[o + ch] = static_cast<std::uint8_t>(std::lround(std::clamp(c[ch], 0.0f, 1.0f) * 255.0f));
    }
    return out;
}

std::vector<std::uint8_t> Canvas::rgba8() const {
    std::vector<std::uint8_t> out(px_.size());
    for (std::size_t i = 0; i < px_.size(); i += 4) {
        const float a = std::clamp(px_[i + 3], 0.0f, 1.0f);
        const std::uint8_t a8 = static_cast<std::uint8_t>(std::lround(a * 255.0f));
        out[i + 3] = a8;
        for (int ch = 0; ch < 3; ++ch)
            out[i + ch] =
                a8 == 0 ? 0 : static_cast<std::uint8_t>(std::lround(std::clamp(px_[i + ch] / a, 0.0f, 1.0f) * 255.0f));
    }
    return out;
}

Mask& Canvas::scratch() {
    if (scratch_.empty()) scratch_.emplace_back(w_, h_);
    scratch_[0].clear();
    return scratch_[0];
}

void Canvas::fill(const Shape& s, const Paint& p, double opacity) {
    Mask& m = scratch();
    assets::fill(m, s);
    paint(m, p, opacity);
}

void Canvas::stroke(const std::vector<Pt>& pts, double w0, double w1, const Paint& p, double opacity) {
    Mask& m = scratch();
    assets::stroke(m, pts, w0, w1);
    paint(m, p, opacity);
}

Canvas downsample(const Canvas& big, int factor) {
    Canvas small(big.width() / factor, big.height() / factor);
    const float norm = 1.0f / static_cast<float>(factor * factor);
    for (int y = 0; y < small.height(); ++y) {
        for (int x = 0; x < small.width(); ++x) {
            float sum[4] = {0, 0, 0, 0};
            for (int j = 0; j < factor; ++j) {
                const float* row = big.data() + (static_cast<std::size_t>(y * factor + j) * big.width() + x * factor) * 4;
                for (int i = 0; i < factor * 4; ++i) sum[i % 4] += row[i];
            }
            float* out = small.data() + (static_cast<std::size_t>(y) * small.width() + x) * 4;
            for (int ch = 0; ch < 4; ++ch) out[ch] = sum[ch] * norm;
        }
    }
    return small;
}

std::uint64_t Random::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
double Random::uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
int Random::below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

namespace {
double lattice(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^ static_cast<std::uint32_t>(y) * 0xD8163841u ^
                      seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / 16777215.0;
}
}  // namespace

double value_noise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    const double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return lerp(lerp(a, b, tx), lerp(c, d, tx), ty);
}

double fbm(double x, double y, int octaves, std::uint32_t seed) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * value_noise(x, y, seed + static_cast<std::uint32_t>(i) * 101u);
        norm += amp;
        x = x * 2.03 + 17.1;
        y = y * 2.03 - 9.7;
        amp *= 0.5;
    }
    return sum / norm;
}

}  // namespace assets
