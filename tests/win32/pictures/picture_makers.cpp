#include "picture_makers.h"

// jpeglib.h needs FILE and size_t declared before it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>

#include <gif_lib.h>
#include <jpeglib.h>

namespace picture_makers {
namespace {

void u16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void u32(Bytes& out, std::uint32_t v) {
    u16(out, v & 0xFFFF);
    u16(out, v >> 16);
}

void info_header(Bytes& out, int width, int height, int bit_count, std::uint32_t image_size) {
    u32(out, 40);
    u32(out, static_cast<std::uint32_t>(width));
    u32(out, static_cast<std::uint32_t>(height));
    u16(out, 1);
    u16(out, static_cast<std::uint32_t>(bit_count));
    u32(out, 0);  // BI_RGB
    u32(out, image_size);
    u32(out, 2835);
    u32(out, 2835);
    u32(out, 0);
    u32(out, 0);
}

int write_to_bytes(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

}  // namespace

Image solid(int width, int height, std::uint32_t colour) {
    return Image{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, colour)};
}

Image quadrants(int width, int height, std::uint32_t tl, std::uint32_t tr, std::uint32_t bl, std::uint32_t br) {
    Image image = solid(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            image.row(y)[x] = bottom ? (right ? br : bl) : (right ? tr : tl);
        }
    return image;
}

Bytes bmp24(const Image& image) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t bits = stride * static_cast<std::uint32_t>(image.height);
    Bytes out{'B', 'M'};
    u32(out, 14 + 40 + bits);
    u32(out, 0);
    u32(out, 14 + 40);
    info_header(out, image.width, image.height, 24, bits);
    for (int y = image.height; y-- > 0;) {
        const std::size_t start = out.size();
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            out.push_back(static_cast<std::uint8_t>(p));
            out.push_back(static_cast<std::uint8_t>(p >> 8));
            out.push_back(static_cast<std::uint8_t>(p >> 16));
        }
        out.resize(start + stride, 0);
    }
    return out;
}

Bytes bmp32_alpha(const Image& image) {
    const std::uint32_t bits = static_cast<std::uint32_t>(image.width * image.height * 4);
    constexpr std::uint32_t kV4Header = 108;
    Bytes out{'B', 'M'};
    u32(out, 14 + kV4Header + bits);
    u32(out, 0);
    u32(out, 14 + kV4Header);
    u32(out, kV4Header);
    u32(out, static_cast<std::uint32_t>(image.width));
    u32(out, static_cast<std::uint32_t>(-image.height));  // top-down
    u16(out, 1);
    u16(out, 32);
    u32(out, 3);  // BI_BITFIELDS
    u32(out, bits);
    u32(out, 2835);
    u32(out, 2835);
    u32(out, 0);
    u32(out, 0);
    for (const std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) u32(out, mask);
    out.resize(14 + kV4Header, 0);  // colour space type, end points and gammas
    for (const std::uint32_t p : image.pixels) u32(out, p);
    return out;
}

Bytes jpeg(const Image& image, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(image.width) * 3);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.at(x, y);
            row[x * 3 + 0] = static_cast<JSAMPLE>(p >> 16);
            row[x * 3 + 1] = static_cast<JSAMPLE>(p >> 8);
            row[x * 3 + 2] = static_cast<JSAMPLE>(p);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

Bytes gif(const std::vector<GifFrame>& frames) {
    // Index 0 is the transparent one; opaque colours follow in first-seen order.
    std::map<std::uint32_t, int> index;
    std::vector<GifColorType> colours{{0, 0, 0}};
    for (const GifFrame& f : frames)
        for (const std::uint32_t p : f.image.pixels)
            if (p >> 24 != 0 && !index.contains(p & 0xFFFFFF)) {
                if (colours.size() == 256) throw std::runtime_error("more than 255 colours");
                index[p & 0xFFFFFF] = static_cast<int>(colours.size());
                colours.push_back({static_cast<GifByteType>(p >> 16), static_cast<GifByteType>(p >> 8),
                                   static_cast<GifByteType>(p)});
            }
    colours.resize(256, GifColorType{0, 0, 0});

    Bytes out;
    int error = 0;
    GifFileType* file = EGifOpen(&out, write_to_bytes, &error);
    if (!file) throw std::runtime_error("EGifOpen failed");
    EGifSetGifVersion(file, true);
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    const int width = frames.front().image.width, height = frames.front().image.height;
    EGifPutScreenDesc(file, width, height, 8, 0, map);
    GifFreeMapObject(map);

    static const GifByteType netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType forever[] = {1, 0, 0};
    EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(file, sizeof netscape, netscape);
    EGifPutExtensionBlock(file, sizeof forever, forever);
    EGifPutExtensionTrailer(file);

    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    for (const GifFrame& f : frames) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_BACKGROUND;
        control.DelayTime = f.delay_field;
        control.TransparentColor = 0;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, 4, extension);
        EGifPutImageDesc(file, 0, 0, width, height, false, nullptr);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t p = f.image.at(x, y);
                line[x] = static_cast<GifPixelType>(p >> 24 == 0 ? 0 : index[p & 0xFFFFFF]);
            }
            EGifPutLine(file, line.data(), width);
        }
    }
    EGifCloseFile(file, &error);
    return out;
}

Bytes ico32(const Image& image, bool cursor, std::uint16_t hotspot_x, std::uint16_t hotspot_y) {
    const std::uint32_t mask_stride = ((static_cast<std::uint32_t>(image.width) + 31) / 32) * 4;
    const std::uint32_t colour_bytes = static_cast<std::uint32_t>(image.width * image.height * 4);
    const std::uint32_t mask_bytes = mask_stride * static_cast<std::uint32_t>(image.height);
    const std::uint32_t entry_bytes = 40 + colour_bytes + mask_bytes;

    Bytes out;
    u16(out, 0);
    u16(out, cursor ? 2 : 1);
    u16(out, 1);
    out.push_back(static_cast<std::uint8_t>(image.width >= 256 ? 0 : image.width));
    out.push_back(static_cast<std::uint8_t>(image.height >= 256 ? 0 : image.height));
    out.push_back(0);
    out.push_back(0);
    u16(out, cursor ? hotspot_x : 1);
    u16(out, cursor ? hotspot_y : 32);
    u32(out, entry_bytes);
    u32(out, 6 + 16);

    info_header(out, image.width, image.height * 2, 32, colour_bytes + mask_bytes);
    for (int y = image.height; y-- > 0;)
        for (int x = 0; x < image.width; ++x) u32(out, image.at(x, y));
    for (int y = image.height; y-- > 0;) {
        Bytes row(mask_stride, 0);
        for (int x = 0; x < image.width; ++x)
            if (image.at(x, y) >> 24 == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace picture_makers
