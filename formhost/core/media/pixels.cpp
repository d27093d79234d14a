#include "pixels.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace formhost::media::pixels {
namespace {

constexpr std::uint32_t channel(Pixel p, int shift) { return (p >> shift) & 0xFF; }

// x * a / 255 rounded, for x and a in 0..255, without a division.
constexpr std::uint32_t scale255(std::uint32_t x, std::uint32_t a) {
    const std::uint32_t t = x * a + 128;
    return (t + (t >> 8)) >> 8;
}

// Weights are fixed-point with this many fraction bits: integer sums are
// several times faster than floating point here, and exact enough.
constexpr int kWeightBits = 14;
constexpr std::int32_t kWeightOne = 1 << kWeightBits;

// Which source pixels feed each target pixel along one axis, and how much.
struct Taps {
    std::vector<int> first;            // per target pixel: the first source pixel
    std::vector<int> count;            // per target pixel: how many follow
    std::vector<int> offset;           // per target pixel: where its weights start
    std::vector<std::int32_t> weight;  // summing to kWeightOne per target pixel
};

Taps taps_for(int source, int target) {
    Taps t;
    t.first.resize(target);
    t.count.resize(target);
    t.offset.resize(target);
    const double scale = static_cast<double>(source) / target;
    const double radius = std::max(1.0, scale);
    for (int i = 0; i < target; ++i) {
        // Pixel centres: target pixel i covers source span [i, i+1) * scale.
        const double centre = (i + 0.5) * scale - 0.5;
        const int lo = std::max(0, static_cast<int>(std::ceil(centre - radius)));
        const int hi = std::min(source - 1, static_cast<int>(std::floor(centre + radius)));
        t.first[i] = lo;
        t.offset[i] = static_cast<int>(t.weight.size());
        double sum = 0;
        for (int j = lo; j <= hi; ++j) sum += std::max(0.0, 1.0 - std::abs(j - centre) / radius);
        int n = 0;
        std::int32_t given = 0, largest = 0;
        std::size_t largest_at = t.weight.size();
        for (int j = lo; j <= hi; ++j) {
            const double w = std::max(0.0, 1.0 - std::abs(j - centre) / radius);
            const auto fixed = static_cast<std::int32_t>(std::lround(sum > 0 ? w / sum * kWeightOne : 0));
            if (fixed > largest) largest = fixed, largest_at = t.weight.size();
            t.weight.push_back(fixed);
            given += fixed;
            ++n;
        }
        // Rounding leftovers go to the heaviest tap, so that a flat area
        // (and an opaque alpha) comes out exactly as it went in.
        if (n > 0 && largest_at < t.weight.size()) t.weight[largest_at] += kWeightOne - given;
        if (n == 0) {  // only at the very edge of a one-pixel source
            t.first[i] = std::clamp(static_cast<int>(std::lround(centre)), 0, source - 1);
            t.weight.push_back(kWeightOne);
            n = 1;
        }
        t.count[i] = n;
    }
    return t;
}

}  // namespace

Pixel premultiply(Pixel p) {
    const std::uint32_t a = p >> 24;
    if (a == 255) return p;
    if (a == 0) return 0;
    return a << 24 | scale255(channel(p, 16), a) << 16 | scale255(channel(p, 8), a) << 8 | scale255(channel(p, 0), a);
}

void premultiply(std::span<const Pixel> straight, Pixel* out) {
    for (std::size_t i = 0; i < straight.size(); ++i) out[i] = premultiply(straight[i]);
}

Pixel over(Pixel p, std::uint32_t rgb) {
    const std::uint32_t rest = 255 - (p >> 24);
    const auto mix = [&](int shift) {
        return std::min<std::uint32_t>(255, channel(p, shift) + scale255(channel(rgb, shift), rest));
    };
    return 0xFF000000u | mix(16) << 16 | mix(8) << 8 | mix(0);
}

void resample(const Pixel* source, int sw, int sh, Pixel* out, int dw, int dh) {
    if (sw == dw && sh == dh) {
        std::copy_n(source, static_cast<std::size_t>(sw) * sh, out);
        return;
    }
    const Taps across = taps_for(sw, dw);
    const Taps down = taps_for(sh, dh);

    // Across first, into 16-bit channels holding eight more bits of
    // fraction, so that rounding to bytes happens once, at the end.
    const std::size_t row_values = static_cast<std::size_t>(dw) * 4;
    std::vector<std::uint16_t> rows(row_values * sh);
    // Each source row spread to one int per channel first: the sums below
    // then run over plain arrays, which the compiler does four at a time.
    std::vector<std::int32_t> line(static_cast<std::size_t>(sw) * 4);
    for (int y = 0; y < sh; ++y) {
        const Pixel* in = source + static_cast<std::size_t>(y) * sw;
        for (int x = 0; x < sw; ++x)
            for (int c = 0; c < 4; ++c) line[x * 4 + c] = static_cast<std::int32_t>(channel(in[x], c * 8));
        std::uint16_t* row = rows.data() + static_cast<std::size_t>(y) * row_values;
        for (int x = 0; x < dw; ++x) {
            std::int32_t sum[4] = {0, 0, 0, 0};
            const std::int32_t* w = across.weight.data() + across.offset[x];
            const std::int32_t* p = line.data() + across.first[x] * 4;
            for (int k = 0; k < across.count[x]; ++k, p += 4)
                for (int c = 0; c < 4; ++c) sum[c] += w[k] * p[c];
            for (int c = 0; c < 4; ++c)
                row[x * 4 + c] = static_cast<std::uint16_t>((sum[c] + (1 << (kWeightBits - 9))) >> (kWeightBits - 8));
        }
    }
    std::vector<std::int32_t> sum(row_values);
    for (int y = 0; y < dh; ++y) {
        std::fill(sum.begin(), sum.end(), 0);
        const std::int32_t* w = down.weight.data() + down.offset[y];
        for (int k = 0; k < down.count[y]; ++k) {
            const std::uint16_t* row = rows.data() + static_cast<std::size_t>(down.first[y] + k) * row_values;
            const std::int32_t weight = w[k];
            for (std::size_t i = 0; i < row_values; ++i) sum[i] += weight * row[i];
        }
        Pixel* target = out + static_cast<std::size_t>(y) * dw;
        constexpr int kShift = kWeightBits + 8;
        for (int x = 0; x < dw; ++x) {
            const std::int32_t* s = sum.data() + x * 4;
            const auto byte = [&](int c) {
                return static_cast<std::uint32_t>(std::clamp((s[c] + (1 << (kShift - 1))) >> kShift, 0, 255));
            };
            target[x] = byte(3) << 24 | byte(2) << 16 | byte(1) << 8 | byte(0);
        }
    }
}

void blend(const Pixel* source, int sw, int sh, Pixel* target, int tw, int th, int x, int y) {
    const int x0 = std::max(0, x), x1 = std::min(tw, x + sw);
    const int y0 = std::max(0, y), y1 = std::min(th, y + sh);
    for (int ty = y0; ty < y1; ++ty) {
        const Pixel* in = source + static_cast<std::size_t>(ty - y) * sw + (x0 - x);
        Pixel* row = target + static_cast<std::size_t>(ty) * tw;
        for (int tx = x0; tx < x1; ++tx, ++in) {
            const Pixel s = *in;
            const std::uint32_t rest = 255 - (s >> 24);
            if (rest == 0) {
                row[tx] = s;
            } else if (rest != 255) {
                const Pixel d = row[tx];
                const auto mix = [&](int shift) {
                    return std::min<std::uint32_t>(255, channel(s, shift) + scale255(channel(d, shift), rest));
                };
                row[tx] = mix(24) << 24 | mix(16) << 16 | mix(8) << 8 | mix(0);
            }
        }
    }
}

}  // namespace formhost::media::pixels
