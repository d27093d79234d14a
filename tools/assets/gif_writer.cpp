#include "gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <unordered_map>

namespace assets {

namespace {

struct Bin {
    std::uint64_t count = 0;
    std::uint64_t sum[3] = {0, 0, 0};
    int key[3] = {0, 0, 0};  // 5-bit channels
};

struct Box {
    std::vector<int> bins;  // indices into the bin table
    std::uint64_t weight = 0;
    int lo[3] = {31, 31, 31}, hi[3] = {0, 0, 0};
};

void measure(Box& b, const std::vector<Bin>& bins) {
    b.weight = 0;
    for (int c = 0; c < 3; ++c) {
        b.lo[c] = 31;
        b.hi[c] = 0;
    }
    for (int i : b.bins) {
        b.weight += bins[i].count;
        for (int c = 0; c < 3; ++c) {
            b.lo[c] = std::min(b.lo[c], bins[i].key[c]);
            b.hi[c] = std::max(b.hi[c], bins[i].key[c]);
        }
    }
}

std::uint32_t pack(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

int distance(std::uint32_t a, std::uint32_t b) {
    const int dr = static_cast<int>(a >> 16 & 255) - static_cast<int>(b >> 16 & 255);
    const int dg = static_cast<int>(a >> 8 & 255) - static_cast<int>(b >> 8 & 255);
    const int db = static_cast<int>(a & 255) - static_cast<int>(b & 255);
    // Green counts most to the eye, blue least.
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

std::vector<std::uint32_t> choose_palette(const std::vector<Rgb8Frame>& frames, const std::vector<std::uint32_t>& keep,
                                          int count) {
    std::vector<Bin> table(32 * 32 * 32);
    for (const Rgb8Frame& f : frames) {
        for (std::size_t i = 0; i + 2 < f.rgb.size(); i += 3) {
            const int r = f.rgb[i], g = f.rgb[i + 1], b = f.rgb[i + 2];
            if (std::find(keep.begin(), keep.end(), pack(r, g, b)) != keep.end()) continue;
            Bin& bin = table[(r >> 3) << 10 | (g >> 3) << 5 | (b >> 3)];
            bin.count++;
            bin.sum[0] += r;
            bin.sum[1] += g;
            bin.sum[2] += b;
        }
    }
    std::vector<Bin> bins;
    for (int i = 0; i < 32 * 32 * 32; ++i) {
        if (table[i].count == 0) continue;
        Bin b = table[i];
        b.key[0] = i >> 10;
        b.key[1] = i >> 5 & 31;
        b.key[2] = i & 31;
        bins.push_back(b);
    }
    const std::size_t wanted = static_cast<std::size_t>(std::min(count, 255)) - keep.size();
    std::vector<Box> boxes;
    if (!bins.empty()) {
        Box all;
        for (int i = 0; i < static_cast<int>(bins.size()); ++i) all.bins.push_back(i);
        measure(all, bins);
        boxes.push_back(all);
    }
    while (boxes.size() < wanted) {
        // Split the box where a split helps most: many pixels over a wide range.
        int best = -1;
        double best_score = 0;
        for (int i = 0; i < static_cast<int>(boxes.size()); ++i) {
            const Box& b = boxes[i];
            if (b.bins.size() < 2) continue;
            const int range = std::max({b.hi[0] - b.lo[0], b.hi[1] - b.lo[1], b.hi[2] - b.lo[2]});
            const double score = static_cast<double>(range) * static_cast<double>(b.weight);
            if (score > best_score) {
                best_score = score;
                best = i;
            }
        }
        if (best < 0) break;
        Box b = boxes[best];
        int axis = 0;
        for (int c = 1; c < 3; ++c)
            if (b.hi[c] - b.lo[c] > b.hi[axis] - b.lo[axis]) axis = c;
        std::sort(b.bins.begin(), b.bins.end(), [&](int x, int y) {
            if (bins[x].key[axis] != bins[y].key[axis]) return bins[x].key[axis] < bins[y].key[axis];
            return x < y;
        });
        std::uint64_t half = 0, seen = 0;
        for (int i : b.bins) half += bins[i].count;
        half /= 2;
        std::size_t cut = 1;
        for (std::size_t i = 0; i + 1 < b.bins.size(); ++i) {
            seen += bins[b.bins[i]].count;
            cut = i + 1;
            if (seen >= half) break;
        }
        Box left, right;
        left.bins.assign(b.bins.begin(), b.bins.begin() + static_cast<std::ptrdiff_t>(cut));
        right.bins.assign(b.bins.begin() + static_cast<std::ptrdiff_t>(cut), b.bins.end());
        measure(left, bins);
        measure(right, bins);
        boxes[best] = left;
        boxes.push_back(right);
    }
    std::vector<std::uint32_t> palette = keep;
    for (const Box& b : boxes) {
        std::uint64_t s[3] = {0, 0, 0}, n = 0;
        for (int i : b.bins) {
            n += bins[i].count;
            for (int c = 0; c < 3; ++c) s[c] += bins[i].sum[c];
        }
        palette.push_back(pack(static_cast<int>((s[0] + n / 2) / n), static_cast<int>((s[1] + n / 2) / n),
                               static_cast<int>((s[2] + n / 2) / n)));
    }
    return palette;
}

void write_gif(const std::string& path, int width, int height, const std::vector<Rgb8Frame>& frames,
               const std::vector<std::uint32_t>& palette, int delay) {
    std::array<GifColorType, 256> colours{};
    if (palette.size() > 255) throw std::runtime_error(path + ": more than 255 colours");
    constexpr int kUnchanged = 255;
    for (std::size_t i = 0; i < palette.size(); ++i)
        colours[i] = {static_cast<GifByteType>(palette[i] >> 16), static_cast<GifByteType>(palette[i] >> 8 & 255),
                      static_cast<GifByteType>(palette[i] & 255)};

    // Every frame as palette indices, nearest colour, no dithering: the
    // drawings are flat shapes with soft edges, where dithering only adds
    // speckle and bytes.
    std::unordered_map<std::uint32_t, std::uint8_t> nearest;
    std::vector<std::vector<std::uint8_t>> indexed;
    for (const Rgb8Frame& f : frames) {
        std::vector<std::uint8_t> idx(static_cast<std::size_t>(width) * height);
        for (std::size_t p = 0; p < idx.size(); ++p) {
            const std::uint32_t c = pack(f.rgb[p * 3], f.rgb[p * 3 + 1], f.rgb[p * 3 + 2]);
            auto it = nearest.find(c);
            if (it == nearest.end()) {
                int best = 0, best_d = 1 << 30;
                for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
                    const int d = distance(c, palette[i]);
                    if (d < best_d) {
                        best_d = d;
                        best = i;
                    }
                }
                it = nearest.emplace(c, static_cast<std::uint8_t>(best)).first;
            }
            idx[p] = it->second;
        }
        indexed.push_back(std::move(idx));
    }

    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) throw std::runtime_error("cannot write " + path);
    auto check = [&](int status, const char* what) {
        if (status != GIF_OK) {
            EGifCloseFile(gif, &error);
            throw std::runtime_error(path + ": " + what + " failed");
        }
    };
    EGifSetGifVersion(gif, true);
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    check(EGifPutScreenDesc(gif, width, height, 8, 0, map), "screen descriptor");
    GifFreeMapObject(map);

    check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), "loop block");
    check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"), "loop block");
    const unsigned char loop[3] = {1, 0, 0};  // sub-block 1: loop count 0, for ever
    check(EGifPutExtensionBlock(gif, 3, loop), "loop block");
    check(EGifPutExtensionTrailer(gif), "loop block");

    for (std::size_t n = 0; n < indexed.size(); ++n) {
        // Each frame is left in place for the next, which then only needs to
        // store the box of pixels that differ, and inside it marks the pixels
        // that stay as they are, which packs far better than repeating them.
        // The first frame is whole, so the loop starts again from a clean
        // picture.
        int x0 = 0, y0 = 0, x1 = width, y1 = height;
        if (n > 0) {
            x0 = width;
            y0 = height;
            x1 = y1 = 0;
            const std::vector<std::uint8_t>& a = indexed[n - 1];
            const std::vector<std::uint8_t>& b = indexed[n];
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    if (a[static_cast<std::size_t>(y) * width + x] != b[static_cast<std::size_t>(y) * width + x]) {
                        x0 = std::min(x0, x);
                        y0 = std::min(y0, y);
                        x1 = std::max(x1, x + 1);
                        y1 = std::max(y1, y + 1);
                    }
            if (x0 >= x1) {
                x0 = y0 = 0;
                x1 = y1 = 1;
            }
        }
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.UserInputFlag = false;
        gcb.DelayTime = delay;
        gcb.TransparentColor = n > 0 ? kUnchanged : NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext), "frame control");
        check(EGifPutImageDesc(gif, x0, y0, x1 - x0, y1 - y0, false, nullptr), "image descriptor");
        std::vector<GifPixelType> row(static_cast<std::size_t>(x1 - x0));
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const std::size_t at = static_cast<std::size_t>(y) * width + x;
                row[x - x0] = n > 0 && indexed[n][at] == indexed[n - 1][at] ? kUnchanged : indexed[n][at];
            }
            check(EGifPutLine(gif, row.data(), x1 - x0), "image row");
        }
    }
    if (EGifCloseFile(gif, &error) != GIF_OK) throw std::runtime_error("cannot finish " + path);
}

}  // namespace assets
