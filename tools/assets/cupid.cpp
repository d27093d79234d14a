// The editor's cupid: a chubby winged child with a bow and a heart-tipped
// arrow on a white ground, bobbing gently while the wings beat three times a
// loop and small hearts rise past. 27 frames of 100 ms make one loop, and
// every motion is a whole number of cycles per loop, so it never jumps.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "assets.h"
#include "draw.h"
#include "gif_writer.h"

namespace assets {

namespace {

constexpr int kW = 312;
constexpr int kH = 316;
constexpr int kFrames = 27;
constexpr double kFigure = 0.64;  // the cupid's size in the picture
constexpr double kBob = 1;        // pixels up and down

const Colour kSkin = hex(0xFFE2CF), kSkinShade = hex(0xF6C3A7), kSkinLine = hex(0xC98A6A);
const Colour kHair = hex(0xF8D063), kHairLine = hex(0xCF962A), kHairShine = hex(0xFFF0B8);
const Colour kWing = hex(0xFFFFFF), kWingShade = hex(0xE4EDF8), kWingLine = hex(0x98AECB);
const Colour kCloth = hex(0xFFB8CF), kClothLine = hex(0xDE7698);
const Colour kBow = hex(0xB8733A), kBowLine = hex(0x7A4620), kString = hex(0x8A6A55);
const Colour kHeart = hex(0xFF4A78), kHeartLine = hex(0xC92653), kFace = hex(0x6A4028);

// Draws shapes in picture units through a transform; line widths and
// softness are in pixels.
class Pen {
public:
    Pen(Drawing& c, Affine m) : c_(c), m_(m), mask_(c.width(), c.height()) {}

    void fill(const Shape& s, Colour col, double opacity = 1.0) { c_.fill(s.transformed(m_), col, opacity); }
    void fill(const Shape& s, const Paint& p) { c_.fill(s.transformed(m_), p); }
    void stroke(const std::vector<Pt>& pts, double w0, double w1, Colour col, double opacity = 1.0) {
        c_.stroke(transformed(pts, m_), w0, w1, solid(col), opacity);
    }
    void stroke(const std::vector<Pt>& pts, double w, Colour col, double opacity = 1.0) {
        stroke(pts, w, w, col, opacity);
    }
    // The shape's edge, as a closed line.
    void outline(const Shape& s, double w, Colour col) {
        for (const Contour& c : s.contours) stroke(closed(c), w, col);
    }
    // A filled shape with a line round it.
    void outlined(const Shape& s, const Paint& p, double w, Colour line) {
        fill(s, p);
        outline(s, w, line);
    }
    void soft(const Shape& s, double sigma, Colour col, double opacity) {
        mask_.clear();
        assets::fill(mask_, s.transformed(m_));
        blur(mask_, sigma);
        c_.paint(mask_, col, opacity);
    }
    Paint lin(Pt a, Colour ca, Pt b, Colour cb) const { return linear(m_(a), ca, m_(b), cb); }

private:
    Drawing& c_;
    Affine m_;
    Mask mask_;
};

// A right wing with its root at the origin, reaching up and out; the left
// wing is its mirror image. The lower edge is three rounded feather tips.
Shape wing() {
    Path p;
    p.move({0, 0})
        .cubic({10, -38}, {46, -72}, {88, -70})
        .cubic({96, -62}, {92, -50}, {82, -45})
        .cubic({90, -38}, {84, -24}, {70, -24})
        .cubic({74, -12}, {62, -2}, {48, -6})
        .cubic({46, 6}, {28, 10}, {16, 6})
        .cubic({10, 8}, {2, 6}, {0, 0})
        .close();
    return p.shape();
}

std::vector<Pt> arc(Pt c, double rx, double ry, double from, double to, int n = 24) {
    std::vector<Pt> pts;
    for (int i = 0; i <= n; ++i) {
        const double a = lerp(from, to, static_cast<double>(i) / n);
        pts.push_back({c.x + rx * std::cos(a), c.y + ry * std::sin(a)});
    }
    return pts;
}

void draw_frame(Drawing& big, int k) {
    const double phase = 2 * std::numbers::pi * k / kFrames;
    // Whole pixels only: the figure then moves without redrawing its flat
    // areas differently, which keeps the frames small.
    const double bob = std::round(kBob * std::sin(phase));
    const double flap = 0.30 * std::sin(3 * phase);  // three beats a loop

    // A soft shadow on the ground, smaller and fainter as the cupid rises.
    {
        Pen ground(big, Affine());
        const double lift = (bob + kBob) / (2 * kBob);  // 0 at the top of the bob, 1 at the bottom
        ground.soft(Shape(ellipse({160, 246}, 32 + 5 * lift, 5 + 1.0 * lift)), 3, hex(0xB9A7B0), 0.25 + 0.15 * lift);
    }

    // Hearts rising behind, each a third of a loop behind the last.
    {
        Pen air(big, Affine());
        const double xs[3] = {236, 84, 222};
        for (int i = 0; i < 3; ++i) {
            double t = static_cast<double>(k) / kFrames + i / 3.0;
            t -= std::floor(t);
            const Pt at{xs[i] + 7 * std::sin(2 * std::numbers::pi * t + i), 226 - 150 * t};
            const double fade = std::sin(std::numbers::pi * t);
            const Shape h(heart(at, 12 + 4 * (i % 2), 0.25 * std::sin(2 * std::numbers::pi * t)));
            air.fill(h, hex(0xFF8FB0), 0.85 * fade);
        }
    }

    // The figure is drawn at full size about (160, 165) and set down smaller
    // in the middle of the picture.
    Pen pen(big, Affine::translate(156, 158 + bob) * Affine::scale(kFigure, kFigure) * Affine::translate(-160, -165));

    // Wings behind the back, beating about their roots.
    const Pt roots[2] = {{160, 160}, {186, 160}};
    for (int side = 0; side < 2; ++side) {
        const double dir = side == 0 ? -1.0 : 1.0;
        const Affine m = Affine::translate(roots[side].x, roots[side].y) * Affine::rotate(-dir * flap) *
                         Affine::scale(dir * (1.0 - 0.08 * std::sin(3 * phase)), 1.0);
        const Shape w = wing().transformed(m);
        pen.outlined(w, pen.lin(m({30, -60}), kWing, m({50, 0}), kWingShade), 2.6, kWingLine);
        // Feather lines from the root towards each tip.
        for (Pt tip : {Pt{74, -50}, Pt{58, -24}, Pt{36, -8}})
            pen.stroke(transformed(cubic_points({10, -6}, {24, -18}, tip * 0.6, tip * 0.85, 16), m), 1.6, 0.6,
                       kWingLine, 0.8);
    }

    // The body as one outlined figure: the line is laid under every part
    // first, then the parts on top, so no line shows where parts meet.
    const Pt head{172, 100};
    const Shape body_parts[] = {
        Shape(ellipse({172, 182}, 31, 36)),                                       // body
        Shape(ellipse({155, 226}, 12, 17, 0.35)),                                 // left leg
        Shape(ellipse({193, 222}, 12, 17, -0.55)),                                // right leg, a little bent
        Shape(ellipse({132, 106}, 9, 10)),                                        // ears
        Shape(ellipse({212, 106}, 9, 10)),         Shape(ellipse(head, 41, 39)),  // head
    };
    for (const Shape& s : body_parts) pen.outline(s, 5.0, kSkinLine);
    // Arms: the left reaches out to hold the bow, the right draws the string.
    const std::vector<Pt> left_arm = cubic_points({152, 166}, {134, 170}, {118, 174}, {104, 172}, 16);
    const std::vector<Pt> right_arm = cubic_points({194, 164}, {214, 176}, {196, 190}, {166, 178}, 16);
    pen.stroke(left_arm, 17, 15, kSkinLine);
    pen.stroke(right_arm, 17, 15, kSkinLine);
    for (const Shape& s : body_parts) pen.fill(s, pen.lin({150, 60}, kSkin, {200, 260}, kSkinShade));
    pen.stroke(left_arm, 12, 10, kSkin);
    pen.stroke(right_arm, 12, 10, kSkin);
    // Tummy and knee shading.
    pen.soft(Shape(ellipse({186, 196}, 14, 16)), 6, kSkinShade, 0.6);

    // A pink cloth round the hips, knotted at the side.
    {
        Path cloth;
        cloth.move({142, 190}).cubic({160, 186}, {186, 182}, {203, 178}).line({205, 204});
        cloth.cubic({188, 214}, {160, 220}, {144, 214}).close();
        const Shape s = cloth.shape();
        pen.outlined(s, pen.lin({150, 186}, lighter(kCloth, 0.4), {190, 216}, kCloth), 2.4, kClothLine);
        pen.stroke(cubic_points({150, 200}, {165, 198}, {182, 194}, {198, 190}, 12), 1.4, kClothLine, 0.6);
        const Shape knot(ellipse({204, 190}, 7, 8));
        pen.outlined(knot, solid(kCloth), 2.2, kClothLine);
        pen.outlined(Shape(Contour{{206, 196}, {218, 212}, {208, 214}}), solid(kCloth), 2.0, kClothLine);
    }

    // Face: happy closed eyes, rosy cheeks, a small smile.
    pen.soft(Shape(ellipse({151, 118}, 9, 6)), 2.5, hex(0xFF8FA8), 0.55);
    pen.soft(Shape(ellipse({193, 118}, 9, 6)), 2.5, hex(0xFF8FA8), 0.55);
    pen.stroke(arc({158, 108}, 7, 6, std::numbers::pi * 1.1, std::numbers::pi * 1.9), 3.2, kFace);
    pen.stroke(arc({186, 108}, 7, 6, std::numbers::pi * 1.1, std::numbers::pi * 1.9), 3.2, kFace);
    {
        Path mouth;
        mouth.move({164, 121}).cubic({167, 131}, {177, 131}, {180, 121}).cubic({174, 124}, {170, 124}, {164, 121});
        pen.fill(mouth.shape(), hex(0xE0606F));
        pen.outline(mouth.shape(), 1.4, hex(0xB2404F));
    }

    // Golden curls over the top of the head.
    {
        std::vector<Shape> curls;
        for (int i = 0; i <= 8; ++i) {
            const double a = std::numbers::pi * (1.08 + 0.84 * i / 8.0);
            const double r = 11 + 3 * (i % 2);
            curls.push_back(Shape(ellipse({head.x + 36 * std::cos(a), head.y + 33 * std::sin(a)}, r, r * 0.92)));
        }
        curls.push_back(Shape(ellipse({head.x - 8, head.y - 30}, 22, 12, -0.1)));
        curls.push_back(Shape(ellipse({head.x + 12, head.y - 31}, 20, 11, 0.15)));
        for (const Shape& s : curls) pen.outline(s, 4.0, kHairLine);
        for (const Shape& s : curls) pen.fill(s, pen.lin({150, 60}, lighter(kHair, 0.3), {190, 110}, kHair));
        // A kiss-curl on the forehead and a few shines.
        std::vector<Pt> curl;
        for (int i = 0; i <= 40; ++i) {
            const double a = -std::numbers::pi / 2 + i * 0.16;
            const double r = 9 - i * 0.17;
            curl.push_back({head.x + 2 + r * std::cos(a), head.y - 22 + r * std::sin(a)});
        }
        pen.stroke(curl, 2.6, 1.2, kHairLine);
        for (const Pt p : {Pt{146, 72}, Pt{166, 62}, Pt{190, 66}})
            pen.stroke(arc(p, 6, 4, std::numbers::pi * 1.15, std::numbers::pi * 1.6, 8), 2.2, kHairShine, 0.9);
    }

    // The bow in the left hand, its string drawn back to the right hand, and
    // an arrow with a heart for a head.
    {
        const Pt top{112, 112}, bottom{112, 236}, grip{96, 174}, nock{166, 176};
        const std::vector<Pt> limb = cubic_points(top, {72, 140}, {72, 208}, bottom, 40);
        pen.stroke({top, nock, bottom}, 1.6, kString);
        pen.stroke(limb, 7.5, kBowLine);
        pen.stroke(limb, 4.5, kBow);
        // Curled tips.
        pen.stroke(arc({117, 110}, 5, 5, std::numbers::pi * 0.9, std::numbers::pi * 2.0, 10), 4.0, kBowLine);
        pen.stroke(arc({117, 238}, 5, 5, -std::numbers::pi * 0.9, -std::numbers::pi * 2.0, 10), 4.0, kBowLine);
        // Arrow shaft and fletching.
        pen.stroke({{nock.x + 6, nock.y}, {52, nock.y}}, 3.4, kBowLine);
        pen.stroke({{nock.x + 6, nock.y}, {52, nock.y}}, 1.6, hex(0xE0B98A));
        for (int s : {-1, 1}) {
            const Shape f(Contour{{nock.x - 2, nock.y},
                                  {nock.x + 14, nock.y + s * 9.0},
                                  {nock.x + 20, nock.y + s * 8.0},
                                  {nock.x + 8, nock.y}});
            pen.outlined(f, solid(hex(0xFF9DBA)), 1.4, kHeartLine);
        }
        const Shape tip(heart({44, nock.y}, 22, std::numbers::pi / 2));
        pen.outlined(tip, pen.lin({36, nock.y - 10}, hex(0xFF7EA0), {50, nock.y + 10}, kHeart), 2.0, kHeartLine);
        pen.soft(Shape(ellipse({38, nock.y - 4}, 3, 2)), 0.8, hex(0xFFFFFF), 0.8);
        // Hands over the bow and the string.
        for (Pt h : {grip + Pt{6, -2}, nock}) {
            const Shape hand(ellipse(h, 9, 8));
            pen.outlined(hand, solid(kSkin), 2.6, kSkinLine);
        }
    }
}

}  // namespace

void make_cupid(const std::string& path) {
    std::vector<Rgb8Frame> frames;
    for (int k = 0; k < kFrames; ++k) {
        Drawing c(kW, kH, hex(0xFFFFFF));
        draw_frame(c, k);
        frames.push_back({c.rgb8(hex(0xFFFFFF))});
    }
    const std::vector<std::uint32_t> palette = choose_palette(frames, {0xFFFFFF}, 128);
    write_gif(path, kW, kH, frames, palette, 10);
}

}  // namespace assets
