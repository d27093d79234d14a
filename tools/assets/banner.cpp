// The editor's banner: the program's own pitch in coloured letters on a
// light-grey ground. Twelve frames of 150 ms: the title's colours step
// round a ring of twelve warm hues, a shine sweeps across it, the hearts at
// either end beat once and small sparkles twinkle, all in one loop.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "assets.h"
#include "draw.h"
#include "gif_writer.h"
#include "text.h"

namespace assets {

namespace {

constexpr int kW = 891;
constexpr int kH = 180;
constexpr int kFrames = 12;

const char* const kTitle = "表白神器 · 把心里话写进满屏玫瑰";
const char* const kLine = "修改文字 · 保存 · 运行表白程序即可看到";

const Colour kGround = hex(0xEFEFEF);

// Twelve hues from rose through magenta and violet to coral and back.
Colour ring(int i) {
    static const std::uint32_t hues[kFrames] = {0xE8175D, 0xEC2F86, 0xD81B9A, 0xB62BC2, 0x8E3BD6, 0x7048E0,
                                                0x8E3BD6, 0xC2309E, 0xF0407A, 0xFF5A5A, 0xFF7A45, 0xF5305E};
    return hex(hues[((i % kFrames) + kFrames) % kFrames]);
}

Mask grow(const Mask& m, double radius) {
    // A soft outline: blur, then lift everything the blur reached.
    Mask out = m;
    blur(out, radius * 0.6);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) out.set(x, y, smoothstep(0.04, 0.3, out.get(x, y)));
    return out;
}

}  // namespace

void make_banner(const std::string& path) {
    Font hei(kHeiFont, 0);
    Font kai(kKaiFont, 0);

    // Title, one mask per character so each can take its own colour.
    const double title_size = 47, spacing = 2.0;
    hei.set_weight(1.6);
    const std::vector<char32_t> title_chars = utf32(kTitle);
    const double title_w = hei.width(kTitle, title_size) + spacing * (title_chars.size() - 1);
    const std::vector<GlyphPlace> title = hei.layout(kTitle, {(kW - title_w) / 2, 84}, title_size, spacing);
    std::vector<Mask> letters;
    Mask title_all(kW, kH);
    for (const GlyphPlace& g : title) {
        Mask m(kW, kH);
        hei.draw(m, std::vector<GlyphPlace>{g});
        hei.draw(title_all, std::vector<GlyphPlace>{g});
        letters.push_back(std::move(m));
    }
    const Mask title_edge = grow(title_all, 4.0);
    Mask title_shadow = title_edge;
    blur(title_shadow, 3.0);

    // The second line, in a brush hand, with its separators in pink.
    const double line_size = 34;
    const double line_w = kai.width(kLine, line_size) + 2.0 * (utf32(kLine).size() - 1);
    const std::vector<GlyphPlace> line = kai.layout(kLine, {(kW - line_w) / 2, 144}, line_size, 2.0);
    Mask line_ink(kW, kH), dots(kW, kH);
    for (const GlyphPlace& g : line) kai.draw(g.ch == U'·' ? dots : line_ink, std::vector<GlyphPlace>{g});

    std::vector<Rgb8Frame> frames;
    Mask scratch(kW, kH);
    for (int k = 0; k < kFrames; ++k) {
        const double phase = 2 * std::numbers::pi * k / kFrames;
        Drawing c(kW, kH, kGround);

        // A thin rounded frame in a pale rose.
        {
            Path p;
            const double r = 16, x0 = 8, y0 = 8, x1 = kW - 8, y1 = kH - 8;
            p.move({x0 + r, y0}).line({x1 - r, y0}).quad({x1, y0}, {x1, y0 + r}).line({x1, y1 - r});
            p.quad({x1, y1}, {x1 - r, y1}).line({x0 + r, y1}).quad({x0, y1}, {x0, y1 - r}).line({x0, y0 + r});
            p.quad({x0, y0}, {x0 + r, y0});
            c.stroke(p.polyline(), 2.0, hex(0xF3B6C8));
        }

        // Title: shadow, white edge, letters in their hues (lighter at the
        // top), then the shine.
        c.paint(title_shadow, hex(0x9A5A78), 0.28);
        c.paint(title_edge, hex(0xFFFFFF));
        for (std::size_t i = 0; i < letters.size(); ++i) {
            const Colour col = ring(static_cast<int>(i) - k);
            c.paint(letters[i], linear({0, 84 - title_size * 0.8}, lighter(col, 0.35), {0, 84}, col));
        }
        {
            // A slanted band of light crossing from left to right once a loop.
            const double centre = -120 + (kW + 240) * static_cast<double>(k) / kFrames;
            scratch = title_all;
            for (int y = 0; y < scratch.height(); ++y)
                for (int x = 0; x < scratch.width(); ++x) {
                    const double d = (x + 0.5) - centre - (84 - (y + 0.5)) * 0.45;
                    scratch.set(x, y, scratch.get(x, y) * std::exp(-d * d / (2 * 22.0 * 22.0)));
                }
            c.paint(scratch, hex(0xFFFFFF), 0.75);
        }

        // Second line.
        c.paint(line_ink, hex(0x5E5370));
        c.paint(dots, hex(0xF0407A));

        // Beating hearts at both ends of the title.
        const double beat = 1.0 + 0.13 * std::max(0.0, std::sin(phase)) - 0.04 * std::max(0.0, -std::sin(phase));
        for (double x : {58.0, kW - 58.0}) {
            const Pt at{x, 66};
            c.fill(Shape(heart(at, 40 * beat)), hex(0xFFFFFF));
            c.fill(Shape(heart(at, 34 * beat)), linear({x - 10, 50}, hex(0xFF8FB1), {x + 10, 82}, hex(0xE8175D)));
            c.fill(Shape(ellipse({x - 7 * beat, 58}, 4.5, 3, -0.6)), hex(0xFFFFFF), 0.8);
        }

        // Sparkles, each twinkling in its own part of the loop.
        const Pt sparkles[] = {{90, 30},   {250, 24},  {430, 20},  {640, 26},  {800, 28},
                               {120, 158}, {330, 164}, {560, 162}, {770, 158}, {864, 120}};
        for (int i = 0; i < 10; ++i) {
            const double s = std::sin(phase + i * 2.4);
            if (s <= 0) continue;
            scratch.clear();
            fill(scratch, Shape(polygon_star(sparkles[i], 3 + 7 * s, 1.2 + 0.8 * s, 4, 0.0)));
            c.paint(scratch, i % 2 ? hex(0xF5A623) : hex(0xFF6F9C), 0.9);
        }

        frames.push_back({c.rgb8(kGround)});
    }
    const std::vector<std::uint32_t> palette = choose_palette(frames, {0xEFEFEF, 0xFFFFFF}, 96);
    write_gif(path, kW, kH, frames, palette, 15);
}

}  // namespace assets
