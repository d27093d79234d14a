// The stage music: a gentle tune in D major at about 85 beats a minute, a
// music-box lead over broken chords, a soft string pad and a low bass note
// per bar, in a small stereo room. Seventeen bars fill the loop exactly: one
// bar of introduction, fifteen of tune, and a rising closing figure that
// fades to silence so the loop starts again without a click.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets.h"
#include "random.h"

namespace assets {

namespace {

constexpr int kRate = 44100;
constexpr std::uint32_t kDataBytes = 8'428'000;  // the loop, 47.78 s
constexpr std::size_t kFrames = kDataBytes / 4;  // 16-bit stereo
constexpr int kBars = 17;
constexpr double kBeat = static_cast<double>(kFrames) / kRate / (kBars * 4);  // seconds
constexpr int kKey = 2;                                                       // written in C, sounding in D

struct Stereo {
    std::vector<double> l, r;
    explicit Stereo(std::size_t n) : l(n, 0.0), r(n, 0.0) {}
};

double hz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

// Equal-power gains for pan in [-1, 1].
void pan_gains(double pan, double& gl, double& gr) {
    const double a = (pan + 1) * std::numbers::pi / 4;
    gl = std::cos(a);
    gr = std::sin(a);
}

struct Partial {
    double ratio;  // of the fundamental
    double level;
    double decay;  // seconds to fall by 1/e
};

// A struck note: partials that die away at their own rates, a short soft
// attack, and a release when the note is let go.
void strike(Stereo& out, double start, double length, double midi, double velocity, double pan,
            const std::vector<Partial>& partials, double attack = 0.004, double release = 0.35) {
    const double f = hz(midi + kKey);
    double gl, gr;
    pan_gains(pan, gl, gr);
    const std::size_t s0 = static_cast<std::size_t>(std::lround(start * kRate));
    const std::size_t n = static_cast<std::size_t>((length + release) * kRate);
    for (std::size_t i = 0; i < n && s0 + i < out.l.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double env = t < attack ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack) : 1.0;
        if (t > length) env *= 0.5 + 0.5 * std::cos(std::numbers::pi * std::min(1.0, (t - length) / release));
        double v = 0;
        for (const Partial& p : partials) {
            if (f * p.ratio > 16000) continue;
            v += p.level * std::exp(-t / p.decay) * std::sin(2 * std::numbers::pi * f * p.ratio * t);
        }
        v *= env * velocity;
        out.l[s0 + i] += v * gl;
        out.r[s0 + i] += v * gr;
    }
}

// The lead: a music box's clear tone with a faint bell partial above.
void music_box(Stereo& out, double start, double length, double midi, double velocity) {
    static const std::vector<Partial> p = {
        {1.0, 1.0, 1.3}, {2.0, 0.32, 0.6}, {3.0, 0.10, 0.3}, {4.02, 0.05, 0.18}, {5.93, 0.025, 0.09}};
    strike(out, start, length, midi, velocity, -0.05, p, 0.003, 0.45);
}

// The broken chords and the bass: a mellow piano-like tone.
void soft_piano(Stereo& out, double start, double length, double midi, double velocity, double pan) {
    const double low = std::pow(hz(60) / hz(midi + kKey), 0.35);  // low notes ring longer
    const std::vector<Partial> p = {{1.0, 1.0, 1.6 * low},
                                    {2.001, 0.35, 0.8 * low},
                                    {3.003, 0.12, 0.45 * low},
                                    {4.006, 0.05, 0.3 * low}};
    strike(out, start, length, midi, velocity, pan, p, 0.006, 0.4);
}

// The pad: a few soft harmonics per side, tuned a hair apart left and right,
// swelling in and out.
void pad(Stereo& out, double start, double length, double midi, double velocity) {
    const double attack = 0.9, release = 1.2;
    const std::size_t s0 = static_cast<std::size_t>(std::lround(start * kRate));
    const std::size_t n = static_cast<std::size_t>((length + release) * kRate);
    const double base = hz(midi + kKey);
    double phase[2] = {0, 0};
    for (std::size_t i = 0; i < n && s0 + i < out.l.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double env = t < attack ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack) : 1.0;
        if (t > length) env *= 0.5 + 0.5 * std::cos(std::numbers::pi * std::min(1.0, (t - length) / release));
        const double vibrato = 1 + 0.0012 * std::sin(2 * std::numbers::pi * 4.8 * t);
        for (int side = 0; side < 2; ++side) {
            const double detune = side == 0 ? 0.998 : 1.002;
            phase[side] += 2 * std::numbers::pi * base * detune * vibrato / kRate;
            double v = 0;
            for (int k = 1; k <= 5; ++k) v += std::sin(k * phase[side]) / (k * k);
            v *= env * velocity;
            (side == 0 ? out.l : out.r)[s0 + i] += v;
        }
    }
}

// A small room after Schroeder and Moorer: eight damped comb filters and
// four all-pass filters per side, the right side's delays a little longer.
class Room {
public:
    explicit Room(int spread) {
        static const int comb[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
        static const int allpass[4] = {556, 441, 341, 225};
        for (int i = 0; i < 8; ++i) combs_.push_back({std::vector<double>(comb[i] + spread, 0.0), 0, 0.0});
        for (int i = 0; i < 4; ++i) allpasses_.push_back({std::vector<double>(allpass[i] + spread, 0.0), 0, 0.0});
    }
    double run(double in) {
        double out = 0;
        for (Line& c : combs_) {
            const double y = c.buf[c.pos];
            c.store = y * (1 - kDamp) + c.store * kDamp;
            c.buf[c.pos] = in + c.store * kFeedback;
            c.pos = (c.pos + 1) % c.buf.size();
            out += y;
        }
        for (Line& a : allpasses_) {
            const double y = a.buf[a.pos];
            a.buf[a.pos] = out + y * 0.5;
            a.pos = (a.pos + 1) % a.buf.size();
            out = y - out;
        }
        return out;
    }

private:
    static constexpr double kFeedback = 0.84;
    static constexpr double kDamp = 0.25;
    struct Line {
        std::vector<double> buf;
        std::size_t pos;
        double store;
    };
    std::vector<Line> combs_, allpasses_;
};

struct Note {
    int midi;
    double beats;
};

// The tune, bar by bar in C (0 is a rest); each bar holds four beats.
const std::vector<std::vector<Note>>& tune() {
    static const std::vector<std::vector<Note>> bars = {
        {{67, 0.5}, {72, 0.5}, {76, 1.5}, {74, 0.5}, {72, 1.0}},  // C
        {{74, 1.5}, {71, 0.5}, {67, 2.0}},                        // G
        {{69, 0.5}, {72, 0.5}, {76, 1.5}, {74, 0.5}, {72, 1.0}},  // Am
        {{71, 1.5}, {67, 0.5}, {64, 2.0}},                        // Em
        {{65, 0.5}, {69, 0.5}, {72, 1.5}, {74, 0.5}, {72, 1.0}},  // F
        {{76, 1.5}, {74, 0.5}, {72, 1.0}, {67, 1.0}},             // C
        {{69, 1.0}, {72, 1.0}, {77, 1.5}, {76, 0.5}},             // F
        {{74, 2.5}, {71, 0.5}, {74, 1.0}},                        // G
        {{76, 0.5}, {79, 0.5}, {84, 1.5}, {83, 0.5}, {79, 1.0}},  // C
        {{83, 1.5}, {81, 0.5}, {79, 2.0}},                        // G
        {{81, 1.0}, {84, 1.0}, {83, 0.5}, {81, 0.5}, {76, 1.0}},  // Am
        {{79, 1.5}, {76, 0.5}, {71, 2.0}},                        // Em
        {{69, 0.5}, {72, 0.5}, {77, 1.5}, {76, 0.5}, {74, 1.0}},  // F
        {{74, 0.5}, {76, 0.5}, {79, 1.5}, {77, 0.5}, {74, 1.0}},  // G7
        {{76, 1.5}, {74, 0.5}, {72, 2.0}},                        // C
    };
    return bars;
}

struct Chord {
    int root;  // pitch class in C
    bool minor;
    int pad[3];  // close voicing around middle C
};

const Chord kC = {0, false, {60, 64, 67}};
const Chord kG = {7, false, {59, 62, 67}};
const Chord kAm = {9, true, {60, 64, 69}};
const Chord kEm = {4, true, {59, 64, 67}};
const Chord kF = {5, false, {60, 65, 69}};

}  // namespace

void make_stage_music(const std::string& path) {
    // Bar 0 introduces, bars 1-15 carry the tune, bar 16 closes.
    const std::vector<Chord> chords = {kC, kC, kG, kAm, kEm, kF, kC, kF, kG, kC, kG, kAm, kEm, kF, kG, kC, kC};
    // Render past the loop's end so nothing is cut short inside it; the
    // closing fade takes the overhang away.
    Stereo dry(kFrames + kRate * 3);
    Random rng(0x5EED'10F3);
    auto jitter = [&] { return rng.uniform(-0.006, 0.006); };

    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& c = chords[bar];
        const double t0 = bar * 4 * kBeat;
        int base = 48 + c.root;
        if (c.root >= 7) base -= 12;
        const int third = c.minor ? 3 : 4;
        const bool closing = bar == kBars - 1;
        // Bass and pad.
        soft_piano(dry, t0 + 0.004, 4 * kBeat * (closing ? 0.9 : 1.0), base - 12, 0.42, 0.0);
        for (int k = 0; k < 3; ++k) pad(dry, t0, 4 * kBeat * (closing ? 0.55 : 1.0), c.pad[k], 0.05);
        // Broken chord in eighths, left and right in turn; the closing bar
        // lets its first notes ring instead.
        const int pattern[8] = {base,      base + 7,          base + 12, base + 12 + third,
                                base + 19, base + 12 + third, base + 12, base + 7};
        const int steps = closing ? 4 : 8;
        for (int i = 0; i < steps; ++i) {
            double vel = (i == 0 ? 0.30 : 0.22) + 0.03 * std::sin(i * 1.7 + bar);
            if (bar == 0) vel *= 0.6 + 0.05 * i;  // the introduction swells in
            if (closing) vel *= 1.0 - 0.15 * i;
            const double pan = (i % 2 ? 0.32 : -0.28);
            soft_piano(dry, t0 + i * 0.5 * kBeat + jitter(), closing ? 2.5 * kBeat : 0.55 * kBeat, pattern[i], vel,
                       pan);
        }
    }
    // The tune, with each phrase rising a little and falling back.
    for (std::size_t b = 0; b < tune().size(); ++b) {
        double t = (b + 1) * 4 * kBeat;
        const double phrase = 0.62 + 0.08 * std::sin(std::numbers::pi * (b % 4) / 3.0) +
                              (b >= 8 && b < 12 ? 0.06 : 0.0);
        for (const Note& n : tune()[b]) {
            if (n.midi > 0) music_box(dry, t + jitter() * 0.5, n.beats * kBeat * 0.95, n.midi, phrase);
            t += n.beats * kBeat;
        }
    }
    // The closing figure: a slow rising chord that is left to ring.
    const double close = (kBars - 1) * 4 * kBeat;
    const int figure[4] = {67, 72, 76, 79};
    for (int i = 0; i < 4; ++i)
        music_box(dry, close + i * 0.5 * kBeat, (4 - i * 0.5) * kBeat, figure[i], 0.5 - 0.05 * i);

    // Room, then the fades that make the loop seamless: in over 15 ms, out
    // over the last 2.2 s to silence.
    Room left(0), right(23);
    std::vector<double> l(kFrames), r(kFrames);
    for (std::size_t i = 0; i < kFrames; ++i) {
        const double in = (dry.l[i] + dry.r[i]) * 0.015;
        l[i] = dry.l[i] + left.run(in) * 0.9;
        r[i] = dry.r[i] + right.run(in) * 0.9;
        const double t = static_cast<double>(i) / kRate;
        const double end = static_cast<double>(kFrames - 1 - i) / kRate;
        double fade = 1.0;
        if (t < 0.015) fade *= 0.5 - 0.5 * std::cos(std::numbers::pi * t / 0.015);
        if (end < 2.2) fade *= 0.5 - 0.5 * std::cos(std::numbers::pi * end / 2.2);
        l[i] *= fade;
        r[i] *= fade;
    }
    double peak = 0;
    for (std::size_t i = 0; i < kFrames; ++i) peak = std::max({peak, std::fabs(l[i]), std::fabs(r[i])});
    const double gain = 0.56 / peak;  // peaks at about -5 dBFS, well clear of clipping

    std::vector<unsigned char> file;
    auto u32 = [&](std::uint32_t v) {
        for (int k = 0; k < 4; ++k) file.push_back(static_cast<unsigned char>(v >> (8 * k)));
    };
    auto u16 = [&](std::uint16_t v) {
        file.push_back(static_cast<unsigned char>(v));
        file.push_back(static_cast<unsigned char>(v >> 8));
    };
    auto tag = [&](const char* s) { file.insert(file.end(), s, s + 4); };
    file.reserve(44 + kDataBytes);
    tag("RIFF");
    // Counted as the whole file, 8 more than the bytes after this field, as
    // the show's music has always been stored; players walk the chunks and
    // stop at the end of the file.
    u32(44 + kDataBytes);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);  // PCM
    u16(2);
    u32(kRate);
    u32(kRate * 4);
    u16(4);
    u16(16);
    tag("data");
    u32(kDataBytes);
    for (std::size_t i = 0; i < kFrames; ++i) {
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(l[i] * gain * 32767))));
        u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(r[i] * gain * 32767))));
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace assets
