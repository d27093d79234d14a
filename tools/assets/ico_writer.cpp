// Icon files as Windows reads them: ICONDIR, one ICONDIRENTRY per image, then
// each image as a BITMAPINFOHEADER of double height, BGRA rows bottom-up and
// the AND mask in rows padded to four bytes.
//
// The 256-pixel image is a DIB too rather than PNG: every Windows version
// draws it, at the cost of about 260 KB per program.

#include "ico_writer.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace assets {

void write_icon(const std::string& path, const std::vector<IconImage>& input) {
    std::vector<IconImage> images = input;
    std::stable_sort(images.begin(), images.end(),
                     [](const IconImage& a, const IconImage& b) { return a.size < b.size; });

    std::vector<unsigned char> f;
    auto u8 = [&](std::uint32_t v) { f.push_back(static_cast<unsigned char>(v)); };
    auto u16 = [&](std::uint32_t v) {
        u8(v & 0xFF);
        u8(v >> 8 & 0xFF);
    };
    auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    auto mask_row = [](int size) { return static_cast<std::uint32_t>((size + 31) / 32 * 4); };
    auto dib_size = [&](int size) {
        const auto n = static_cast<std::uint32_t>(size);
        return 40 + n * n * 4 + mask_row(size) * n;
    };

    u16(0);
    u16(1);  // icon, not cursor
    u16(static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const IconImage& im : images) {
        if (im.size < 1 || im.size > 256 || im.rgba.size() != static_cast<std::size_t>(im.size) * im.size * 4)
            throw std::runtime_error("icon image of size " + std::to_string(im.size) + " is malformed");
        u8(im.size == 256 ? 0 : im.size);  // 0 stands for 256
        u8(im.size == 256 ? 0 : im.size);
        u8(0);  // no palette
        u8(0);
        u16(1);   // planes
        u16(32);  // bits per pixel
        u32(dib_size(im.size));
        u32(offset);
        offset += dib_size(im.size);
    }
    for (const IconImage& im : images) {
        const int n = im.size;
        u32(40);
        u32(static_cast<std::uint32_t>(n));
        u32(static_cast<std::uint32_t>(n * 2));  // colour rows and mask rows
        u16(1);
        u16(32);
        u32(0);  // BI_RGB
        u32(dib_size(n) - 40);
        u32(0);
        u32(0);
        u32(0);
        u32(0);
        for (int y = n - 1; y >= 0; --y) {
            for (int x = 0; x < n; ++x) {
                const std::uint8_t* p = &im.rgba[(static_cast<std::size_t>(y) * n + x) * 4];
                u8(p[2]);
                u8(p[1]);
                u8(p[0]);
                u8(p[3]);
            }
        }
        for (int y = n - 1; y >= 0; --y) {
            std::vector<unsigned char> row(mask_row(n), 0);
            for (int x = 0; x < n; ++x)
                if (im.rgba[(static_cast<std::size_t>(y) * n + x) * 4 + 3] == 0) row[x / 8] |= 0x80 >> (x % 8);
            f.insert(f.end(), row.begin(), row.end());
        }
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(f.data()), static_cast<std::streamsize>(f.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace assets
