#include "jpeg.h"

#include <climits>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <memory>
#include <type_traits>

#include <jpeglib.h>

namespace formhost::media {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// We longjmp back to the setjmp in the function that called into libjpeg.
// Only libjpeg's C frames and trivially destructible locals lie between the
// two, so no destructor is skipped; everything owning memory lives outside.
struct Session {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    std::jmp_buf on_error;
};
static_assert(std::is_trivially_destructible_v<Session>);

// libjpeg's own working memory (progressive coefficients, for one) beyond
// this makes it fail cleanly rather than exhaust the process.
constexpr long kMaxLibjpegMemory = 256L << 20;

[[noreturn]] void on_error_exit(j_common_ptr cinfo) {
    Session* session = static_cast<Session*>(cinfo->client_data);
    std::longjmp(session->on_error, 1);
}

void on_output_message(j_common_ptr) {}  // warnings and traces are not shown anywhere

bool read_header(Session& s, const std::uint8_t* data, unsigned long size) {
    s.cinfo.err = jpeg_std_error(&s.errors);
    s.errors.error_exit = on_error_exit;
    s.errors.output_message = on_output_message;
    s.cinfo.client_data = &s;  // kept by jpeg_create_decompress, which may fail too
    if (setjmp(s.on_error)) return false;
    jpeg_create_decompress(&s.cinfo);
    s.cinfo.mem->max_memory_to_use = kMaxLibjpegMemory;
    jpeg_mem_src(&s.cinfo, data, size);
    jpeg_read_header(&s.cinfo, TRUE);
    return true;
}

// Starts decompression to four bytes a pixel: BGRA for colour and grayscale
// (libjpeg-turbo writes the alpha byte as 255), CMYK as stored otherwise.
bool start(Session& s) {
    if (setjmp(s.on_error)) return false;
    const J_COLOR_SPACE in = s.cinfo.jpeg_color_space;
    s.cinfo.out_color_space = in == JCS_CMYK || in == JCS_YCCK ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&s.cinfo);
    return s.cinfo.output_components == 4;
}

bool read_rows(Session& s, std::uint8_t* pixels, std::size_t stride) {
    if (setjmp(s.on_error)) return false;
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
        JSAMPROW row = pixels + s.cinfo.output_scanline * stride;
        if (jpeg_read_scanlines(&s.cinfo, &row, 1) != 1) return false;
    }
    return true;
}

// Adobe writes CMYK inverted (0 is full ink), which is how almost every
// CMYK JPEG in the wild is stored; others store plain ink amounts.
void cmyk_to_bgra(Image& image, bool inverted) {
    for (std::uint32_t& p : image.pixels) {
        unsigned c = p & 0xFF, m = p >> 8 & 0xFF, y = p >> 16 & 0xFF, k = p >> 24;
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        p = opaque(static_cast<std::uint8_t>(c * k / 255), static_cast<std::uint8_t>(m * k / 255),
                   static_cast<std::uint8_t>(y * k / 255));
    }
}

std::optional<Image> decode(Session& s, ByteView file, std::uint64_t max_pixels) {
    if (!read_header(s, file.data(), static_cast<unsigned long>(file.size()))) return std::nullopt;
    // Refuse before libjpeg sets up buffers for an absurd frame.
    const std::uint64_t area = std::uint64_t{s.cinfo.image_width} * s.cinfo.image_height;
    if (area == 0 || area > max_pixels || !start(s)) return std::nullopt;

    auto image = make_image(s.cinfo.output_width, s.cinfo.output_height, max_pixels);
    if (!image) return std::nullopt;
    const std::size_t stride = static_cast<std::size_t>(image->width) * 4;
    if (!read_rows(s, reinterpret_cast<std::uint8_t*>(image->pixels.data()), stride)) return std::nullopt;
    if (s.cinfo.out_color_space == JCS_CMYK) cmyk_to_bgra(*image, s.cinfo.saw_Adobe_marker);
    return image;
}

}  // namespace

std::optional<Image> decode_jpeg(ByteView file, std::uint64_t max_pixels) {
    if (file.size() < 2 || file[0] != 0xFF || file[1] != 0xD8 || file.size() > ULONG_MAX) return std::nullopt;
    const auto session = std::make_unique<Session>();
    auto image = decode(*session, file, max_pixels);
    // Every row has been read; jpeg_finish_decompress would only look for
    // markers after the image and could fail on junk there, so it is skipped.
    jpeg_destroy_decompress(&session->cinfo);
    return image;
}

}  // namespace formhost::media
