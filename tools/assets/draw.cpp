#include "draw.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>

namespace assets {

namespace {

std::uint8_t byte(double v) { return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0)); }

// Twice the signed area; cairo's arcs run the positive way.
double winding_area(const Contour& c) {
    double sum = 0;
    for (std::size_t i = 0; i < c.size(); ++i) {
        const Pt a = c[i], b = c[(i + 1) % c.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

// A stroke whose width changes along it, as one path: a disc at every point
// and a band between each pair of neighbours, all turning the same way so
// the non-zero rule unites them where they overlap.
void add_tapered_stroke(cairo_t* cr, const std::vector<Pt>& pts, double w0, double w1) {
    std::vector<double> along(pts.size(), 0.0);
    for (std::size_t i = 1; i < pts.size(); ++i)
        along[i] = along[i - 1] + std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
    const double total = along.back() > 0 ? along.back() : 1.0;
    std::vector<double> radius(pts.size());
    for (std::size_t i = 0; i < pts.size(); ++i) radius[i] = lerp(w0, w1, along[i] / total) / 2;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, pts[i].x, pts[i].y, radius[i], 0, 2 * std::numbers::pi);
    }
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const Pt a = pts[i], b = pts[i + 1];
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        if (len <= 0) continue;
        const Pt n{-(b.y - a.y) / len, (b.x - a.x) / len};
        Contour band = {a + n * radius[i], b + n * radius[i + 1], b - n * radius[i + 1], a - n * radius[i]};
        if (winding_area(band) < 0) std::reverse(band.begin(), band.end());
        add_shape(cr, Shape(band));
    }
}

void add_stroke(cairo_t* cr, const std::vector<Pt>& pts, double w0, double w1) {
    if (pts.empty()) return;
    if (w0 != w1 || pts.size() == 1) {
        add_tapered_stroke(cr, pts, w0, w1);
        cairo_fill(cr);
        return;
    }
    cairo_move_to(cr, pts[0].x, pts[0].y);
    for (std::size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
    cairo_set_line_width(cr, w0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

std::vector<float> gaussian_kernel(double sigma) {
    const int radius = std::max(1, static_cast<int>(std::ceil(sigma * 3)));
    std::vector<float> k(2 * radius + 1);
    double sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += k[i + radius] = static_cast<float>(std::exp(-(i * i) / (2 * sigma * sigma)));
    for (float& v : k) v = static_cast<float>(v / sum);
    return k;
}

}  // namespace

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

Paint solid(Colour c) { return {Paint::Kind::solid, c, c, {}, {}, 0}; }
Paint linear(Pt p0, Colour c0, Pt p1, Colour c1) { return {Paint::Kind::linear, c0, c1, p0, p1, 0}; }
Paint radial(Pt centre, double radius, Colour inner, Colour outer) {
    return {Paint::Kind::radial, inner, outer, centre, centre, radius};
}

Context::Context(cairo_surface_t* surface) : surface_(surface) {
    cr_ = cairo_create(surface_);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_WINDING);
}

Context::~Context() {
    cairo_destroy(cr_);
    cairo_surface_flush(surface_);
}

void add_shape(cairo_t* cr, const Shape& s) {
    for (const Contour& c : s.contours) {
        if (c.size() < 3) continue;
        cairo_move_to(cr, c[0].x, c[0].y);
        for (std::size_t i = 1; i < c.size(); ++i) cairo_line_to(cr, c[i].x, c[i].y);
        cairo_close_path(cr);
    }
}

void set_paint(cairo_t* cr, const Paint& p, double opacity) {
    auto stop = [&](cairo_pattern_t* pattern, double at, Colour c) {
        cairo_pattern_add_color_stop_rgba(pattern, at, c.r, c.g, c.b, c.a * opacity);
    };
    cairo_pattern_t* pattern = nullptr;
    switch (p.kind) {
        case Paint::Kind::solid: cairo_set_source_rgba(cr, p.from.r, p.from.g, p.from.b, p.from.a * opacity); return;
        case Paint::Kind::linear: pattern = cairo_pattern_create_linear(p.start.x, p.start.y, p.end.x, p.end.y); break;
        case Paint::Kind::radial:
            pattern = cairo_pattern_create_radial(p.start.x, p.start.y, 0, p.start.x, p.start.y, p.radius);
            break;
    }
    stop(pattern, 0, p.from);
    stop(pattern, 1, p.to);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

Surface::Surface(cairo_format_t format, int width, int height) : w_(width), h_(height) {
    s_ = cairo_image_surface_create(format, width, height);
    attach();
}

Surface::~Surface() { cairo_surface_destroy(s_); }

cairo_surface_t* Surface::surface() const {
    cairo_surface_mark_dirty(s_);
    return s_;
}

Surface::Surface(const Surface& other) : w_(other.w_), h_(other.h_) {
    s_ = cairo_image_surface_create(cairo_image_surface_get_format(other.s_), w_, h_);
    attach();
    std::memcpy(data_, other.data_, bytes());
}

Surface& Surface::operator=(const Surface& other) {
    if (this == &other) return *this;
    if (w_ != other.w_ || h_ != other.h_ ||
        cairo_image_surface_get_format(s_) != cairo_image_surface_get_format(other.s_))
        throw std::logic_error("surfaces of different shapes");
    std::memcpy(data_, other.data_, bytes());
    return *this;
}

void Surface::attach() {
    if (cairo_surface_status(s_) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cairo cannot make a surface");
    stride_ = cairo_image_surface_get_stride(s_);
    data_ = cairo_image_surface_get_data(s_);
}

void Mask::set(int x, int y, double coverage) { row(y)[x] = byte(coverage); }

void Mask::clear() { std::memset(row(0), 0, bytes()); }

void Mask::scale(double s) {
    Context c(surface());
    cairo_set_operator(c.get(), CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_rgba(c.get(), 0, 0, 0, s);
    cairo_paint(c.get());
}

void Mask::subtract(const Mask& other) {
    Context c(surface());
    cairo_set_operator(c.get(), CAIRO_OPERATOR_DEST_OUT);
    cairo_set_source_surface(c.get(), other.surface(), 0, 0);
    cairo_paint(c.get());
}

void Mask::multiply(const Mask& other) {
    Context c(surface());
    cairo_set_operator(c.get(), CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_surface(c.get(), other.surface(), 0, 0);
    cairo_paint(c.get());
}

void fill(Mask& m, const Shape& s) {
    Context c(m.surface());
    add_shape(c.get(), s);
    cairo_fill(c.get());
}

void stroke(Mask& m, const std::vector<Pt>& pts, double w0, double w1) {
    Context c(m.surface());
    add_stroke(c.get(), pts, w0, w1);
}

void blur_plane(std::vector<float>& v, int w, int h, double sigma, int x0, int y0, int x1, int y1) {
    const std::vector<float> k = gaussian_kernel(sigma);
    const int r = static_cast<int>(k.size() / 2);
    x0 = std::max(0, x0 - r);
    y0 = std::max(0, y0 - r);
    x1 = std::min(w, x1 + r);
    y1 = std::min(h, y1 + r);
    if (x0 >= x1 || y0 >= y1) return;
    std::vector<float> line(static_cast<std::size_t>(std::max(x1 - x0, y1 - y0))), out(line.size());
    auto run = [&](int count) {
        for (int i = 0; i < count; ++i) {
            float s = 0;
            // Outside the box is empty, so taps there add nothing.
            for (int j = std::max(-r, -i); j <= std::min(r, count - 1 - i); ++j) s += k[j + r] * line[i + j];
            out[i] = s;
        }
    };
    for (int y = y0; y < y1; ++y) {
        float* row = &v[static_cast<std::size_t>(y) * w];
        std::copy(row + x0, row + x1, line.begin());
        run(x1 - x0);
        std::copy(out.begin(), out.begin() + (x1 - x0), row + x0);
    }
    for (int x = x0; x < x1; ++x) {
        for (int y = y0; y < y1; ++y) line[y - y0] = v[static_cast<std::size_t>(y) * w + x];
        run(y1 - y0);
        for (int y = y0; y < y1; ++y) v[static_cast<std::size_t>(y) * w + x] = out[y - y0];
    }
}

void blur(Mask& m, double sigma) {
    const int w = m.width(), h = m.height();
    std::vector<float> plane(static_cast<std::size_t>(w) * h);
    int x0 = w, y0 = h, x1 = 0, y1 = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float v = m.get(x, y);
            plane[static_cast<std::size_t>(y) * w + x] = v;
            if (v > 0) {
                x0 = std::min(x0, x), x1 = std::max(x1, x + 1);
                y0 = std::min(y0, y), y1 = std::max(y1, y + 1);
            }
        }
    blur_plane(plane, w, h, sigma, x0, y0, x1, y1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) m.set(x, y, plane[static_cast<std::size_t>(y) * w + x]);
}

Drawing::Drawing(int width, int height, Colour bg) : Surface(CAIRO_FORMAT_ARGB32, width, height) {
    Context c(surface());
    cairo_set_operator(c.get(), CAIRO_OPERATOR_SOURCE);
    set_paint(c.get(), solid(bg));
    cairo_paint(c.get());
}

// Pixels are native-endian 32-bit words: alpha in the top byte, then red,
// green and blue, each already multiplied by alpha.
Colour Drawing::get(int x, int y) const {
    const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(row(y))[x];
    const float a = static_cast<float>(p >> 24);
    if (a == 0) return {};
    return {static_cast<float>((p >> 16) & 255) / a, static_cast<float>((p >> 8) & 255) / a,
            static_cast<float>(p & 255) / a, a / 255.0f};
}

void Drawing::set(int x, int y, Colour c) {
    const double a = clamp01(c.a);
    reinterpret_cast<std::uint32_t*>(row(y))[x] = static_cast<std::uint32_t>(byte(a)) << 24 |
                                                  static_cast<std::uint32_t>(byte(c.r * a)) << 16 |
                                                  static_cast<std::uint32_t>(byte(c.g * a)) << 8 | byte(c.b * a);
}

void Drawing::paint(const Mask& m, const Paint& p, double opacity) {
    Context c(surface());
    set_paint(c.get(), p, opacity);
    cairo_mask_surface(c.get(), m.surface(), 0, 0);
}

void Drawing::draw(const Drawing& layer, double opacity) {
    Context c(surface());
    cairo_set_source_surface(c.get(), layer.surface(), 0, 0);
    cairo_paint_with_alpha(c.get(), opacity);
}

void Drawing::blur(double sigma) {
    const int w = width(), h = height();
    std::vector<float> planes[4];
    for (auto& p : planes) p.resize(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = reinterpret_cast<const std::uint32_t*>(row(y))[x];
            for (int ch = 0; ch < 4; ++ch)
                planes[ch][static_cast<std::size_t>(y) * w + x] = static_cast<float>(v >> (8 * ch) & 255);
        }
    for (auto& p : planes) blur_plane(p, w, h, sigma, 0, 0, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            const long a = std::clamp(std::lround(planes[3][i]), 0L, 255L);
            std::uint32_t v = static_cast<std::uint32_t>(a) << 24;
            // Premultiplied colour never exceeds its alpha.
            for (int ch = 0; ch < 3; ++ch)
                v |= static_cast<std::uint32_t>(std::clamp(std::lround(planes[ch][i]), 0L, a)) << (8 * ch);
            reinterpret_cast<std::uint32_t*>(row(y))[x] = v;
        }
}

std::vector<std::uint8_t> Drawing::rgb8(Colour bg) const {
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(width()) * height() * 3);
    const double back[3] = {bg.r, bg.g, bg.b};
    for (int y = 0; y < height(); ++y)
        for (int x = 0; x < width(); ++x) {
            const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(row(y))[x];
            const double clear = 1.0 - (p >> 24) / 255.0;
            for (int ch = 0; ch < 3; ++ch) out.push_back(byte(((p >> (16 - 8 * ch)) & 255) / 255.0 + back[ch] * clear));
        }
    return out;
}

std::vector<std::uint8_t> Drawing::rgba8() const {
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(width()) * height() * 4);
    for (int y = 0; y < height(); ++y)
        for (int x = 0; x < width(); ++x) {
            const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(row(y))[x];
            const std::uint32_t a = p >> 24;
            for (int ch = 0; ch < 3; ++ch) {
                const std::uint32_t v = (p >> (16 - 8 * ch)) & 255;
                out.push_back(a == 0 ? 0
                                     : static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (v * 255 + a / 2) / a)));
            }
            out.push_back(static_cast<std::uint8_t>(a));
        }
    return out;
}

void Drawing::fill(const Shape& s, const Paint& p, double opacity) {
    Context c(surface());
    set_paint(c.get(), p, opacity);
    add_shape(c.get(), s);
    cairo_fill(c.get());
}

void Drawing::stroke(const std::vector<Pt>& pts, double w0, double w1, const Paint& p, double opacity) {
    Context c(surface());
    set_paint(c.get(), p, opacity);
    add_stroke(c.get(), pts, w0, w1);
}

}  // namespace assets
