// Checks of the drawing layer that the pictures rely on but would only show
// as a wrong-looking asset: run by scripts/make-assets before it draws.
// Prints one line per failed check and ends with 'drawing: N passed, N failed'.

#include "draw.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "text.h"

using namespace assets;

namespace {

int passed = 0, failed = 0;

void check(bool ok, const std::string& what) {
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAIL  %s\n", what.c_str());
    }
}

std::string num(double v) { return std::to_string(v); }

double total(const Mask& m) {
    double sum = 0;
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x) sum += m.get(x, y);
    return sum;
}

Contour square(double x0, double y0, double side) {
    return {{x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}};
}

// Pixels written by hand, or copied, must reach cairo: a fresh cairo
// surface counts as clear until it is told otherwise.
void hand_written_masks_paint() {
    Mask hand(8, 8);
    hand.set(3, 4, 1.0);
    Mask copy = hand;
    Mask assigned(8, 8);
    assigned = copy;
    Drawing c(8, 8, hex(0xFFFFFF));
    c.paint(assigned, hex(0xFF0000));
    const Colour p = c.get(3, 4);
    check(p.r > 0.99f && p.g < 0.01f && p.b < 0.01f, "a copied hand-written mask paints: got g=" + num(p.g));
    check(c.get(4, 4).g > 0.99f, "only where the mask covers");
}

// Discs and bands of a tapered line must turn the same way, or the
// non-zero rule cuts holes where they overlap.
void tapered_strokes_have_no_holes() {
    Mask m(64, 64);
    const std::vector<Pt> zigzag = {{8, 8}, {56, 20}, {10, 32}, {54, 44}, {12, 56}};
    stroke(m, zigzag, 3, 9);
    int holes = 0;
    for (std::size_t i = 0; i + 1 < zigzag.size(); ++i)
        for (int k = 0; k <= 20; ++k) {
            const Pt p = lerp(zigzag[i], zigzag[i + 1], k / 20.0);
            holes += m.get(static_cast<int>(p.x), static_cast<int>(p.y)) < 0.99f;
        }
    check(holes == 0, "tapered stroke covers its whole centre line: " + num(holes) + " holes");
    check(m.get(0, 63) == 0 && m.get(63, 0) == 0, "tapered stroke stays near its line");
    Mask thin(64, 64), thick(64, 64);
    stroke(thin, {{10, 10}, {50, 10}}, 2, 2);
    stroke(thick, {{10, 10}, {50, 10}}, 2, 8);
    check(total(thick) > 2 * total(thin),
          "the taper widens the line: " + num(total(thin)) + " vs " + num(total(thick)));
}

void shapes_in_a_mask_unite() {
    Mask m(32, 32);
    fill(m, Shape(square(4, 4, 16)));
    Contour reversed = square(12, 12, 16);
    std::vector<Pt> backwards(reversed.rbegin(), reversed.rend());
    fill(m, Shape(backwards));
    check(m.get(15, 15) > 0.99f && m.get(25, 25) > 0.99f && m.get(6, 6) > 0.99f, "overlapping fills unite");
    check(m.get(25, 6) == 0, "nothing outside both");
    Mask other(32, 32);
    fill(other, Shape(square(0, 0, 16)));
    Mask cut = m;
    cut.subtract(other);
    check(cut.get(6, 6) == 0 && cut.get(25, 25) > 0.99f, "subtract clears the other's coverage");
    m.multiply(other);
    check(m.get(6, 6) > 0.99f && m.get(25, 25) == 0, "multiply keeps only the common part");
}

void colours_survive_the_premultiplied_store() {
    Drawing c(4, 4);
    c.set(1, 1, {0.8f, 0.2f, 0.4f, 0.5f});
    const std::vector<std::uint8_t> rgba = c.rgba8();
    const std::uint8_t* p = &rgba[(1 * 4 + 1) * 4];
    check(std::abs(p[0] - 204) <= 1 && std::abs(p[1] - 51) <= 2 && std::abs(p[2] - 102) <= 1 && p[3] == 128,
          "straight colour back from a half-clear pixel: " + num(p[0]) + "," + num(p[1]) + "," + num(p[2]) + "," +
              num(p[3]));
    const std::vector<std::uint8_t> over_white = c.rgb8(hex(0xFFFFFF));
    check(over_white[(1 * 4 + 1) * 3 + 1] == 153 && over_white[0] == 255, "composited over white");
}

void blur_spreads_and_keeps_the_amount() {
    Mask m(40, 40);
    fill(m, Shape(square(18, 18, 4)));
    const double before = total(m);
    blur(m, 2.0);
    check(std::abs(total(m) - before) < 0.05 * before,
          "blur keeps the coverage: " + num(before) + " -> " + num(total(m)));
    check(m.get(15, 20) > 0 && m.get(20, 20) < 0.99f, "blur spreads");
    Mask corner(10, 10);
    corner.set(0, 0, 1.0);
    blur(corner, 3.0);  // the kernel reaches past the edges
    check(corner.get(0, 0) > 0 && corner.get(0, 0) < 1, "blur at the picture's edge");
}

void weighted_text_is_bolder() {
    Font hei(kHeiFont, 0);
    Mask plain(120, 60), bold(120, 60);
    hei.draw(plain, "表白", {4, 48}, 40);
    hei.set_weight(1.6);
    hei.draw(bold, "表白", {4, 48}, 40);
    check(total(plain) > 200, "text is drawn: " + num(total(plain)));
    check(total(bold) > 1.15 * total(plain),
          "weight thickens the strokes: " + num(total(plain)) + " -> " + num(total(bold)));
    Mask turned(120, 120);
    hei.draw(turned, {{U'表', {40, 80}, 40, 0.8}});
    check(total(turned) > 200, "a turned glyph is drawn");
}

}  // namespace

int main() {
    hand_written_masks_paint();
    tapered_strokes_have_no_holes();
    shapes_in_a_mask_unite();
    colours_survive_the_premultiplied_store();
    blur_spreads_and_keeps_the_amount();
    weighted_text_is_bolder();
    std::printf("drawing: %d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
