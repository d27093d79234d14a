// The two programs' own icons, as Explorer, the title bar and the task bar
// show them: the presenter's is the show's rose, the editor's a pencil
// writing on a pink heart. Each file holds 16, 32, 48 and 256 pixel images
// with alpha, every one drawn for its size rather than shrunk from the
// largest, so the small ones keep their strong shapes.

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "assets.h"
#include "draw.h"
#include "ico_writer.h"
#include "rose.h"

namespace assets {

namespace {

constexpr int kSizes[] = {16, 32, 48, 256};
constexpr double kUnits = 96.0;  // both drawings are laid out on a 96 x 96 grid

// The part of the 96-unit grid an image of `size` pixels shows: the whole
// grid at 48 pixels and up; at 16 and 32 the rose's bloom, which would
// otherwise be a few red pixels on a long stem.
struct Window {
    double left, top, side;
};

IconImage render(int size, const Window& w, void (*draw)(Drawing&, Pt, double, int)) {
    Drawing c(size, size);
    const double scale = size / w.side;
    draw(c, {-w.left * scale, -w.top * scale}, scale, size);
    return {size, c.rgba8()};
}

void presenter_picture(Drawing& c, Pt origin, double scale, int) { draw_rose(c, origin, scale); }

// Drawing in grid units, as the rose does.
class View {
public:
    View(Drawing& c, Pt origin, double scale) : c_(c), m_{scale, 0, 0, scale, origin.x, origin.y}, scale_(scale) {}

    Pt at(Pt p) const { return m_(p); }
    double len(double units) const { return units * scale_; }
    void fill(const Shape& s, const Paint& p, double opacity = 1.0) { c_.fill(s.transformed(m_), p, opacity); }
    void fill(const Shape& s, Colour col, double opacity = 1.0) { fill(s, solid(col), opacity); }
    void stroke(const std::vector<Pt>& pts, double w0, double w1, Colour col, double opacity = 1.0) {
        c_.stroke(transformed(pts, m_), w0 * scale_, w1 * scale_, solid(col), opacity);
    }
    void outline(const Shape& s, double w, Colour col, double opacity = 1.0) {
        for (const Contour& ring : s.contours) stroke(closed(ring), w, w, col, opacity);
    }
    // The shape blurred by `softness` units, moved by (dx, dy): a shadow or a glow.
    void soft(const Shape& s, double dx, double dy, double softness, Colour col, double opacity) {
        Mask m(c_.width(), c_.height());
        assets::fill(m, s.transformed(m_ * Affine::translate(dx, dy)));
        assets::blur(m, softness * scale_);
        c_.paint(m, col, opacity);
    }

private:
    Drawing& c_;
    Affine m_;
    double scale_;
};

Contour box(double x0, double y0, double x1, double y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

// The editor: a pencil lying across a pink heart, its point on the heart's
// lower half; in the largest image a white line of "writing" runs up to it.
void editor_picture(Drawing& c, Pt origin, double scale, int size) {
    View v(c, origin, scale);
    const bool small = size <= 32;
    // Small images get thicker edges: a one-unit line is a fifth of a pixel at 16.
    const double edge = small ? 3.2 : (size <= 48 ? 2.2 : 1.6);

    const Pt centre{42, 47};
    const Shape heart_shape(heart(centre, 82));
    const Colour rim = hex(0xB3245A);
    v.soft(heart_shape, 0, 2.5, 2.5, hex(0x5A0A2A), 0.35);
    v.fill(heart_shape, radial(v.at({30, 30}), v.len(62), hex(0xFFA8C8), hex(0xE23C7C)));
    v.outline(heart_shape, edge, rim);
    if (!small) {
        // A glossy spot on the left lobe.
        v.soft(Shape(ellipse({24, 27}, 8.5, 4.8, -0.65)), 0, 0, 1.6, hex(0xFFFFFF), 0.75);
    }
    if (size > 48) {
        // The writing: a looping line across the heart that ends at the point.
        std::vector<Pt> line;
        for (int i = 0; i <= 90; ++i) {
            const double t = i / 90.0;
            const double turn = t * 3 * 2 * std::numbers::pi;
            line.push_back({17 + 18.6 * t + 2.4 * std::cos(turn), 57 + 5 * t - 3.2 * std::sin(turn)});
        }
        v.stroke(line, 1.0, 1.5, hex(0xFFFFFF), 0.95);
    }

    // The pencil, laid out along x from its point (0) to its end, then
    // turned to point down and left with the point at `tip`.
    const Pt tip{38, 62};
    const double angle = -std::numbers::pi / 4;  // up and to the right from the point
    const double w = small ? 8.5 : 7.0;          // half its width
    const double cone = small ? 11 : 13, ferrule = small ? 48 : 52, eraser = small ? 54 : 59, end = small ? 60 : 66;
    const Affine place = Affine::translate(tip.x, tip.y) * Affine::rotate(angle);
    auto part = [&](const Contour& local) { return Shape(transformed(local, place)); };
    const Contour outline = {{0, 0}, {cone, -w}, {end - 3, -w}, {end, -w + 3}, {end, w - 3}, {end - 3, w}, {cone, w}};

    v.soft(part(outline), 2.5, 3.5, 2.2, hex(0x4A0820), 0.4);
    // The body's three faces, lit from above.
    const Colour faces[3] = {hex(0xFFD966), hex(0xF7B733), hex(0xD98A1C)};
    for (int i = 0; i < 3; ++i) {
        const double y0 = -w + 2 * w * i / 3, y1 = -w + 2 * w * (i + 1) / 3;
        v.fill(part(box(cone, y0, ferrule, y1)), faces[i]);
    }
    // The sharpened wood and the graphite point.
    v.fill(part({{0, 0}, {cone, -w}, {cone, w}}), hex(0xF3D2A2));
    v.fill(part({{0, 0}, {cone, -w}, {cone, -w / 3}}), hex(0xFBE3BF));
    const double lead = cone * 0.38;
    v.fill(part({{0, 0}, {lead, -w * 0.38}, {lead, w * 0.38}}), hex(0x3A3A44));
    // The metal band and the eraser.
    v.fill(part(box(ferrule, -w, eraser, w)),
           linear(v.at(place({0, -w})), hex(0xF2F2F6), v.at(place({0, w})), hex(0x9A9AA8)));
    v.fill(part({{eraser, -w}, {end - 3, -w}, {end, -w + 3}, {end, w - 3}, {end - 3, w}, {eraser, w}}), hex(0xF48FB1));
    if (!small) {
        for (double x : {ferrule + 2.2, eraser - 2.2})
            v.stroke(transformed({{x, -w}, {x, w}}, place), 0.7, 0.7, hex(0x7A7A88), 0.8);
    }
    v.outline(part(outline), edge * 0.8, hex(0x5A3414));
}

void make_icon(const std::string& path, void (*draw)(Drawing&, Pt, double, int), bool close_up) {
    std::vector<IconImage> images;
    for (int size : kSizes) {
        const Window whole{0, 0, kUnits};
        const Window bloom{14, 2, 72};
        images.push_back(render(size, close_up && size <= 32 ? bloom : whole, draw));
    }
    write_icon(path, images);
}

}  // namespace

void make_presenter_icon(const std::string& path) { make_icon(path, presenter_picture, true); }
void make_editor_icon(const std::string& path) { make_icon(path, editor_picture, false); }

}  // namespace assets
