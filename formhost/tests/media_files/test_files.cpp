#include "test_files.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace formhost::media::test {

Bytes riff_wave(const std::vector<Chunk>& chunks, std::optional<std::uint32_t> riff_length) {
    ByteWriter w;
    w.raw(ByteView(reinterpret_cast<const std::uint8_t*>("RIFF"), 4));
    w.u32(0);
    w.raw(ByteView(reinterpret_cast<const std::uint8_t*>("WAVE"), 4));
    for (const Chunk& c : chunks) {
        w.raw(ByteView(reinterpret_cast<const std::uint8_t*>(c.id.data()), 4));
        w.u32(c.length.value_or(static_cast<std::uint32_t>(c.body.size())));
        w.raw(c.body);
    }
    w.patch_u32(4, riff_length.value_or(static_cast<std::uint32_t>(w.size() - 8)));
    return w.take();
}

namespace {

std::size_t stride(int width, int bits) { return (static_cast<std::size_t>(width) * bits + 31) / 32 * 4; }

// Rows in stored order, each padded to four bytes.
Bytes pack_rows(const DibSpec& s) {
    Bytes out;
    for (int i = 0; i < s.height; ++i) {
        const int y = s.top_down ? i : s.height - 1 - i;
        Bytes row(stride(s.width, s.bits), 0);
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t v = s.values.at(static_cast<std::size_t>(y * s.width + x));
            const auto at = static_cast<std::size_t>(x);
            if (s.bits <= 8) {
                const int per_byte = 8 / s.bits;
                row[at / per_byte] |= static_cast<std::uint8_t>(v << (8 - s.bits * (1 + x % per_byte)));
            } else {
                for (int b = 0; b < s.bits / 8; ++b)
                    row[at * (s.bits / 8) + b] = static_cast<std::uint8_t>(v >> (8 * b));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Bytes pack_mask(const DibSpec& s) {
    Bytes out;
    for (int i = 0; i < s.height; ++i) {
        const int y = s.height - 1 - i;
        Bytes row(stride(s.width, 1), 0);
        for (int x = 0; x < s.width; ++x)
            if (s.and_mask.at(static_cast<std::size_t>(y * s.width + x)))
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

Bytes dib(const DibSpec& s, bool icon) {
    ByteWriter w;
    const bool fields = s.compression == 3 || s.compression == 6;
    w.u32(s.header_size);
    w.i32(s.width);
    w.i32(icon ? 2 * s.height : s.top_down ? -s.height : s.height);
    w.u16(1);
    w.u16(static_cast<std::uint16_t>(s.bits));
    w.u32(s.compression);
    w.u32(0);
    w.u32(2835);
    w.u32(2835);
    w.u32(s.colours_used);
    w.u32(0);
    if (s.header_size >= 52 || fields) {
        const int count = s.header_size >= 56 || s.compression == 6 ? 4 : 3;
        for (int i = 0; i < count; ++i) w.u32(s.masks[static_cast<std::size_t>(i)]);
    }
    if (w.size() < s.header_size) w.zeros(s.header_size - w.size());
    for (std::uint32_t c : s.palette) w.u32(c);
    w.raw(pack_rows(s));
    if (icon && !s.and_mask.empty()) w.raw(pack_mask(s));
    return w.take();
}

Bytes bmp(const DibSpec& s) {
    const Bytes body = dib(s);
    const std::size_t bits_at = 14 + body.size() - pack_rows(s).size();
    ByteWriter w;
    w.u16(0x4D42);
    w.u32(static_cast<std::uint32_t>(14 + body.size()));
    w.u32(0);
    w.u32(static_cast<std::uint32_t>(bits_at));
    w.raw(body);
    return w.take();
}

Bytes icon_file(const std::vector<IconFileEntry>& entries, std::uint16_t type) {
    ByteWriter w;
    w.u16(0);
    w.u16(type);
    w.u16(static_cast<std::uint16_t>(entries.size()));
    std::size_t offset = 6 + 16 * entries.size();
    for (const IconFileEntry& e : entries) {
        const std::uint8_t size[] = {e.width, e.height, 0, 0};  // and no colour count
        w.raw(ByteView(size, sizeof size));
        w.u16(e.hotspot_x);
        w.u16(e.hotspot_y);
        w.u32(static_cast<std::uint32_t>(e.data.size()));
        w.u32(static_cast<std::uint32_t>(offset));
        offset += e.data.size();
    }
    for (const IconFileEntry& e : entries) w.raw(e.data);
    return w.take();
}

Bytes encode_jpeg(const JpegRecipe& recipe) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);  // the default error_exit ends the test program
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(recipe.width);
    cinfo.image_height = static_cast<JDIMENSION>(recipe.height);
    cinfo.input_components = recipe.components;
    cinfo.in_color_space = recipe.components == 1 ? JCS_GRAYSCALE : recipe.components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, recipe.quality, TRUE);
    if (recipe.progressive) jpeg_simple_progression(&cinfo);
    if (recipe.exif) cinfo.write_JFIF_header = FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    if (recipe.exif) {
        // "Exif\0\0", a little-endian TIFF header and an empty first IFD.
        static const JOCTET exif[] = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, exif, sizeof exif);
    }
    const std::size_t row_size = static_cast<std::size_t>(recipe.width * recipe.components);
    std::vector<JSAMPLE> row(row_size);
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = recipe.colour[i % static_cast<std::size_t>(recipe.components)];
    if (!recipe.samples.empty() && recipe.samples.size() != row_size * static_cast<std::size_t>(recipe.height))
        throw std::invalid_argument("encode_jpeg: samples do not fill the picture");
    while (cinfo.next_scanline < cinfo.image_height) {
        if (!recipe.samples.empty())
            std::copy_n(recipe.samples.begin() + static_cast<std::ptrdiff_t>(cinfo.next_scanline * row_size), row_size,
                        row.begin());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

namespace {

int write_output(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

// A colour map of the next power of two, padded with black.
ColorMapObject* colour_map(const std::vector<std::uint32_t>& colours) {
    int size = 2;
    while (size < static_cast<int>(colours.size())) size *= 2;
    std::vector<GifColorType> entries(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < colours.size(); ++i)
        entries[i] = {static_cast<GifByteType>(colours[i] >> 16), static_cast<GifByteType>(colours[i] >> 8),
                      static_cast<GifByteType>(colours[i])};
    return GifMakeMapObject(size, entries.data());
}

void check(int result) {
    if (result == GIF_ERROR) throw std::runtime_error("giflib could not write the test GIF");
}

}  // namespace

Bytes encode_gif(const GifSpec& recipe) {
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, write_output, &error);
    if (!gif) throw std::runtime_error("EGifOpen failed");
    EGifSetGifVersion(gif, true);
    ColorMapObject* global = recipe.colours.empty() ? nullptr : colour_map(recipe.colours);
    check(EGifPutScreenDesc(gif, recipe.width, recipe.height, 8, 0, global));
    GifFreeMapObject(global);

    if (recipe.loop_count) {
        const GifByteType loop[] = {1, static_cast<GifByteType>(*recipe.loop_count),
                                    static_cast<GifByteType>(*recipe.loop_count >> 8)};
        check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE));
        check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"));
        check(EGifPutExtensionBlock(gif, 3, loop));
        check(EGifPutExtensionTrailer(gif));
    }
    for (const GifFrameSpec& f : recipe.frames) {
        if (f.control) {
            GraphicsControlBlock gcb{f.disposal, false, f.delay, f.transparent};
            GifByteType ext[4];
            const auto length = EGifGCBToExtension(&gcb, ext);
            check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), ext));
        }
        ColorMapObject* local = f.local_colours.empty() ? nullptr : colour_map(f.local_colours);
        check(EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, local));
        GifFreeMapObject(local);
        // giflib writes rows in the order given; an interlaced frame stores them pass by pass.
        std::vector<int> order;
        if (f.interlace) {
            static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int y = kStart[pass]; y < f.height; y += kStep[pass]) order.push_back(y);
        } else {
            for (int y = 0; y < f.height; ++y) order.push_back(y);
        }
        for (int y : order) {
            std::vector<GifPixelType> row(f.indices.begin() + y * f.width, f.indices.begin() + (y + 1) * f.width);
            check(EGifPutLine(gif, row.data(), f.width));
        }
    }
    check(EGifCloseFile(gif, &error));
    return out;
}

Bytes two_frame_gif(std::vector<std::uint32_t> colours) {
    std::vector<std::uint8_t> indices(6 * 5);
    for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i % 4);
    return encode_gif(
        {.width = 6,
         .height = 5,
         .colours = std::move(colours),
         .loop_count = 2,
         .frames = {{.width = 6, .height = 5, .indices = indices, .disposal = 2, .transparent = 1, .interlace = true},
                    {.left = 4,
                     .top = 3,
                     .width = 6,
                     .height = 5,
                     .indices = indices,
                     .disposal = 3,
                     .local_colours = {0xFFFFFF, 0}}}});
}

}  // namespace formhost::media::test
