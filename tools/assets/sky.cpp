// The sky photograph behind the show's final messages: a pale-blue sky with
// soft clouds, a small aeroplane and its trail, white swirls and stars, a
// small pink heart, and three handwritten lines near the top. Stored as a
// JPEG whose first segment is an Exif block, the way a phone's picture is.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "assets.h"
#include "draw.h"
#include "random.h"
#include "text.h"

namespace assets {

namespace {

constexpr int kW = 800;
constexpr int kH = 599;

// Cloud density from Gaussian puffs, roughened by noise, lit from the upper
// right: the side facing the light is white, the underside a little grey-blue.
void clouds(Drawing& c, Random& rng) {
    std::vector<float> density(static_cast<std::size_t>(kW) * kH, 0.0f);
    auto puff = [&](double cx, double cy, double r, double weight) {
        const int x0 = std::max(0, static_cast<int>(cx - 3 * r)), x1 = std::min(kW, static_cast<int>(cx + 3 * r) + 1);
        const int y0 = std::max(0, static_cast<int>(cy - 3 * r)), y1 = std::min(kH, static_cast<int>(cy + 3 * r) + 1);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const double d2 = ((x - cx) * (x - cx) + (y - cy) * (y - cy) * 1.6) / (r * r);
                density[static_cast<std::size_t>(y) * kW + x] += static_cast<float>(weight * std::exp(-d2));
            }
    };
    // A cloud is a row of puffs along its flat base, the biggest in the
    // middle, with smaller ones heaped on top for the cauliflower edge.
    auto bank = [&](double x0, double x1, double base, double height, int count) {
        for (int i = 0; i < count; ++i) {
            const double t = rng.uniform();
            const double x = lerp(x0, x1, t);
            const double middle = std::sin(std::numbers::pi * t);
            const double r = height * (0.35 + 0.65 * middle) * rng.uniform(0.55, 1.0);
            const double y = base - r * rng.uniform(0.3, 0.9);
            puff(x, y, r, rng.uniform(0.7, 1.0));
            for (int k = 0; k < 3; ++k) {
                const double a = rng.uniform(-2.6, -0.5);  // upwards
                const double rr = r * rng.uniform(0.3, 0.5);
                puff(x + std::cos(a) * r * 0.9, y + std::sin(a) * r * 0.75, rr, rng.uniform(0.6, 0.9));
            }
        }
    };
    bank(-80, 880, 650, 120, 46);  // the long bank along the bottom
    bank(-40, 330, 430, 60, 22);   // lower left
    bank(470, 860, 335, 48, 18);   // right
    bank(250, 470, 515, 40, 12);
    bank(-60, 170, 262, 26, 9);  // small ones higher up
    bank(640, 790, 188, 18, 7);

    // How much of the sky each point hides, edges roughened by noise at
    // two scales.
    std::vector<float> cover(static_cast<std::size_t>(kW) * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const double n = 0.7 * fbm(x / 40.0, y / 26.0, 5, 7) + 0.3 * fbm(x / 9.0, y / 7.0, 3, 11);
            const std::size_t i = static_cast<std::size_t>(y) * kW + x;
            cover[i] = static_cast<float>(smoothstep(0.3, 0.8, density[i] * (0.6 + 0.8 * n)));
        }
    // Shading follows the cloud's broad shape, not every wisp: compare the
    // blurred cover here with a step towards the sun (upper right) and a
    // step down; thinning upwards is a lit top, thinning downwards a grey base.
    // The cover is carried on past the picture's edges before blurring, so
    // clouds cut by the frame do not look thinner there.
    constexpr int kPad = 40, kPw = kW + 2 * kPad, kPh = kH + 2 * kPad;
    std::vector<float> soft(static_cast<std::size_t>(kPw) * kPh);
    for (int y = 0; y < kPh; ++y)
        for (int x = 0; x < kPw; ++x)
            soft[static_cast<std::size_t>(y) * kPw + x] =
                cover[static_cast<std::size_t>(std::clamp(y - kPad, 0, kH - 1)) * kW + std::clamp(x - kPad, 0, kW - 1)];
    blur_plane(soft, kPw, kPh, 9.0, 0, 0, kPw, kPh);
    auto sat = [&](int x, int y) {
        return soft[static_cast<std::size_t>(std::clamp(y + kPad, 0, kPh - 1)) * kPw +
                    std::clamp(x + kPad, 0, kPw - 1)];
    };
    const Colour lit = hex(0xFFFFFF), shade = hex(0xB4C8E0), warm = hex(0xFFF8F2);
    Drawing layer(kW, kH);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const double alpha = cover[static_cast<std::size_t>(y) * kW + x];
            if (alpha <= 0.002) continue;
            const double here = sat(x, y);
            const double up = sat(x + 8, y - 14), down = sat(x - 4, y + 20);
            const double grain = fbm(x / 12.0, y / 9.0, 3, 23) - 0.5;
            const double light = clamp01(0.86 + 1.1 * (here - up) - 1.0 * (here - down) + 0.3 * grain);
            Colour col = mix(shade, lit, light);
            col = mix(col, warm, 0.35 * smoothstep(0.9, 1.0, light));
            layer.set(x, y, with_alpha(col, static_cast<float>(alpha * 0.96)));
        }
    }
    c.draw(layer);
}

// A small airliner seen from below and a little to the side, nose to the left.
Shape aeroplane() {
    Shape s;
    Path body;
    body.move({-30, 0})
        .cubic({-30, -2.6}, {-26, -3.4}, {-20, -3.4})
        .line({22, -2.6})
        .line({30, -9})  // tail fin
        .line({33.5, -9})
        .line({31, -1})
        .cubic({33, 0}, {33, 1.5}, {30, 2})
        .line({-20, 3})
        .cubic({-27, 3}, {-30, 2}, {-30, 0})
        .close();
    s.add(body.shape());
    s.add(Contour{{-6, 0}, {8, 0}, {16, 15}, {11.5, 15}});  // near wing
    s.add(Contour{{-3, -1}, {7, -1}, {13, -9}, {10, -9}});  // far wing
    s.add(Contour{{22, 0}, {28, 0}, {33, 6}, {30, 6}});     // tailplane
    return s;
}

std::vector<Pt> swirl(Pt centre, double r0, double r1, double turns, double start, int dir) {
    std::vector<Pt> pts;
    const int n = static_cast<int>(turns * 90);
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double a = start + dir * t * turns * 2 * std::numbers::pi;
        const double r = lerp(r0, r1, t);
        pts.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
    }
    return pts;
}

void sparkle(Drawing& c, Mask& m, Pt p, double size, double opacity) {
    // Four thin points and a soft glow: the star shape of light on a lens.
    m.clear();
    fill(m, Shape(polygon_star(p, size, size * 0.18, 4, 0.0)));
    Mask glow = m;
    blur(glow, size * 0.35);
    c.paint(glow, hex(0xFFFFFF), opacity * 0.8);
    c.paint(m, hex(0xFFFFFF), opacity);
}

std::vector<unsigned char> exif_block() {
    // "Exif\0\0", then a little-endian TIFF header and one IFD: orientation
    // (upright), 72 dpi both ways, inches.
    std::vector<unsigned char> b = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0};
    auto u16 = [&](unsigned v) {
        b.push_back(static_cast<unsigned char>(v));
        b.push_back(static_cast<unsigned char>(v >> 8));
    };
    auto u32 = [&](unsigned v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const unsigned entries = 4;
    const unsigned values = 8 + 2 + entries * 12 + 4;  // TIFF offset of the two rationals
    u16(entries);
    u16(0x0112), u16(3), u32(1), u16(1), u16(0);   // Orientation = 1
    u16(0x011A), u16(5), u32(1), u32(values);      // XResolution
    u16(0x011B), u16(5), u32(1), u32(values + 8);  // YResolution
    u16(0x0128), u16(3), u32(1), u16(2), u16(0);   // ResolutionUnit = inch
    u32(0);                                        // no further IFD
    u32(72), u32(1), u32(72), u32(1);
    return b;
}

std::vector<unsigned char> encode(const std::vector<std::uint8_t>& rgb, int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &mem, &size);
    cinfo.image_width = kW;
    cinfo.image_height = kH;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.dct_method = JDCT_ISLOW;  // the exact integer transform, the same on every machine
    cinfo.optimize_coding = TRUE;
    cinfo.write_JFIF_header = FALSE;  // the Exif block comes first instead
    jpeg_start_compress(&cinfo, TRUE);
    const std::vector<unsigned char> exif = exif_block();
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, exif.data(), static_cast<unsigned>(exif.size()));
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&rgb[static_cast<std::size_t>(cinfo.next_scanline) * kW * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<unsigned char> out(mem, mem + size);
    jpeg_destroy_compress(&cinfo);
    std::free(mem);
    return out;
}

}  // namespace

void make_sky(const std::string& path) {
    Drawing c(kW, kH, hex(0xFFFFFF));
    Mask m(kW, kH);
    Random rng(0x5C1E5);

    // Sky: deeper blue at the top to nearly white at the horizon, with a
    // soft bright haze where the sun is, off the picture to the upper right.
    // Both are cairo gradients, their smooth curves laid out in stops.
    {
        Context ctx(c.surface());
        cairo_t* cr = ctx.get();
        const Colour top = hex(0x79B2E3), middle = hex(0xA9D2F1), low = hex(0xE4F2FC);
        constexpr int kStops = 32;
        cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0.5, 0, kH - 0.5);
        for (int i = 0; i <= kStops; ++i) {
            const double t = static_cast<double>(i) / kStops;
            const Colour row = t < 0.55 ? mix(top, middle, smoothstep(0, 0.55, t))
                                        : mix(middle, low, smoothstep(0.55, 1, t));
            cairo_pattern_add_color_stop_rgb(sky, t, row.r, row.g, row.b);
        }
        cairo_set_source(cr, sky);
        cairo_paint(cr);
        cairo_pattern_destroy(sky);
        const Colour haze = hex(0xF4FAFF);
        const double reach = 1400;
        cairo_pattern_t* sun = cairo_pattern_create_radial(760, -60, 0, 760, -60, reach);
        for (int i = 0; i <= kStops; ++i) {
            const double t = static_cast<double>(i) / kStops;
            cairo_pattern_add_color_stop_rgba(sun, t, haze.r, haze.g, haze.b, 0.55 * std::exp(-t * reach / 320.0));
        }
        cairo_set_source(cr, sun);
        cairo_paint(cr);
        cairo_pattern_destroy(sun);
    }

    clouds(c, rng);

    // The aeroplane high on the right, climbing gently to the left, with a
    // fading double trail behind it.
    {
        const Affine place = Affine::translate(500, 252) * Affine::rotate(0.14) * Affine::scale(0.95, 0.95);
        for (double off : {-2.4, 2.4}) {
            m.clear();
            std::vector<Pt> trail;
            for (int i = 0; i <= 40; ++i) trail.push_back(place({34.0 + i * 6.0, off + i * 0.02 * i * 0.1}));
            stroke(m, trail, 2.2, 6.0);
            blur(m, 1.2);
            c.paint(m, linear(place({34, 0}), hex(0xFFFFFF, 0.85), place({274, 0}), hex(0xFFFFFF, 0.0)));
        }
        m.clear();
        fill(m, aeroplane().transformed(place));
        c.paint(m, hex(0x50647E), 0.9);
    }

    // White swirls: a flourish under the writing and curls at the sides.
    {
        Drawing layer(kW, kH);
        Mask s(kW, kH);
        auto curl = [&](const std::vector<Pt>& pts, double w0, double w1) {
            s.clear();
            stroke(s, pts, w0, w1);
            layer.paint(s, hex(0xFFFFFF));
        };
        // Under the text: a long wave ending in a curl at each end.
        std::vector<Pt> wave;
        for (int i = 0; i <= 200; ++i) {
            const double t = static_cast<double>(i) / 200;
            wave.push_back({150 + 500 * t, 205 + 9 * std::sin(t * 2 * std::numbers::pi * 1.5) - 6 * t});
        }
        curl(wave, 0.8, 2.6);
        curl(swirl({138, 190}, 15, 2, 1.2, 0.4, -1), 2.4, 0.7);
        curl(swirl({662, 190}, 13, 2, 1.1, 2.6, 1), 2.2, 0.7);
        // Loose curls in the corners.
        curl(swirl({60, 300}, 42, 4, 1.6, -0.8, 1), 3.2, 0.6);
        curl(swirl({735, 410}, 36, 3, 1.5, 2.2, -1), 3.0, 0.6);
        curl(swirl({700, 70}, 26, 3, 1.3, 3.0, 1), 2.4, 0.5);
        Drawing glow = layer;
        glow.blur(3.0);
        c.draw(glow, 0.55);
        c.draw(layer, 0.9);
    }

    // Stars: little sparkles and a few five-pointed ones.
    {
        const Pt sparkles[] = {{105, 40},  {728, 240}, {455, 262}, {84, 215}, {590, 332}, {318, 250},
                               {770, 140}, {205, 330}, {372, 236}, {28, 120}, {400, 330}};
        int i = 0;
        for (Pt p : sparkles) sparkle(c, m, p, 7 + (i++ % 4) * 3.5, 0.95);
        const Pt stars[] = {{35, 60}, {660, 262}, {240, 268}, {760, 330}, {515, 228}};
        for (Pt p : stars) {
            m.clear();
            fill(m, Shape(polygon_star(p, 8.5, 3.6, 5, rng.uniform(-0.4, 0.4))));
            Mask glow = m;
            blur(glow, 3);
            c.paint(glow, hex(0xFFFFFF), 0.7);
            c.paint(m, hex(0xFFFFFF), 0.95);
        }
        // Fine star dust.
        for (int k = 0; k < 45; ++k) {
            const Pt p{rng.uniform(10, 790), rng.uniform(10, 360)};
            if (p.x > 140 && p.x < 700 && p.y > 35 && p.y < 195) continue;  // clear of the writing
            m.clear();
            fill(m, Shape(ellipse(p, 1.3, 1.3)));
            c.paint(m, hex(0xFFFFFF), rng.uniform(0.5, 0.9));
        }
    }

    // The small pink heart at the end of the writing, with a white edge and a shine.
    {
        const Pt at{676, 128};
        const Shape h(heart(at, 42, 0.18));
        m.clear();
        fill(m, h.transformed(Affine::translate(1.5, 3)));
        blur(m, 4);
        c.paint(m, hex(0x6F8FB8), 0.35);
        m.clear();
        fill(m, Shape(heart(at, 48, 0.18)));
        c.paint(m, hex(0xFFFFFF), 0.95);
        m.clear();
        fill(m, h);
        c.paint(m, linear({662, 110}, hex(0xFFA8C8), {690, 148}, hex(0xF0649A)));
        m.clear();
        fill(m, Shape(ellipse({664, 117}, 6, 3.5, -0.7)));
        blur(m, 1.2);
        c.paint(m, hex(0xFFFFFF), 0.75);
    }

    // The writing: three lines in a brush hand, each character leaning and
    // sitting a little off the line, white over a soft blue shadow.
    {
        Font kai(kKaiFont, 0);
        struct Line {
            const char* text;
            double size, y, shift;
        };
        const Line lines[] = {
            {"愿你被这个世界温柔以待", 40, 78, -18},
            {"天很蓝，云很软，风很轻", 32, 128, 10},
            {"而我想说的，都藏在这片天空里", 30, 174, -4},
        };
        Mask ink(kW, kH);
        for (const Line& l : lines) {
            const double w = kai.width(l.text, l.size) + 2.0 * (utf32(l.text).size() - 1);
            std::vector<GlyphPlace> glyphs = kai.layout(l.text, {(kW - w) / 2 + l.shift, l.y}, l.size, 2.0);
            for (std::size_t i = 0; i < glyphs.size(); ++i) {
                GlyphPlace& g = glyphs[i];
                g.pen.y += 2.2 * std::sin(i * 1.9 + l.y) - i * 0.35;  // drifting up a little, as by hand
                g.angle = rng.uniform(-0.07, 0.05);
                g.size *= rng.uniform(0.95, 1.05);
            }
            kai.draw(ink, glyphs);
        }
        Mask shadow = ink;
        blur(shadow, 2.5);
        c.paint(shadow, hex(0x3F6E9E), 0.55);
        c.paint(ink, hex(0xFFFFFF));
    }

    std::vector<std::uint8_t> rgb = c.rgb8(hex(0xFFFFFF));
    // A little film grain, as in a real photograph; it also keeps the smooth
    // gradient from banding.
    for (std::uint8_t& v : rgb) {
        const int g = static_cast<int>(std::lround(rng.uniform(-2.5, 2.5)));
        v = static_cast<std::uint8_t>(std::clamp(v + g, 0, 255));
    }

    // The quality that lands the file nearest 115 KB.
    std::vector<unsigned char> best;
    for (int q = 60; q <= 98; ++q) {
        std::vector<unsigned char> jpg = encode(rgb, q);
        const long diff = std::labs(static_cast<long>(jpg.size()) - 115000);
        if (best.empty() || diff < std::labs(static_cast<long>(best.size()) - 115000)) best = std::move(jpg);
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(best.data()), static_cast<std::streamsize>(best.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace assets
