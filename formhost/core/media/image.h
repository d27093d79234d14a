#pragma once
// A decoded picture: 32-bit pixels, rows top-down, straight (not
// premultiplied) alpha. Each pixel is 0xAARRGGBB, which on the little-endian
// machines we build for lies in memory as B, G, R, A: the layout of a 32-bit
// top-down DIB section, so the drawing side can hand the buffer over as is.

#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

namespace formhost::media {

static_assert(std::endian::native == std::endian::little, "pixels are stored as BGRA bytes");

// Decoders refuse a picture whose pixels would exceed this before they
// allocate anything: 64 M pixels is 256 MiB of canvas.
inline constexpr std::uint64_t kMaxImagePixels = std::uint64_t{64} << 20;

constexpr std::uint32_t argb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return std::uint32_t{a} << 24 | std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b;
}
constexpr std::uint32_t opaque(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return argb(255, r, g, b); }
constexpr std::uint8_t alpha_of(std::uint32_t p) { return static_cast<std::uint8_t>(p >> 24); }
constexpr std::uint8_t red_of(std::uint32_t p) { return static_cast<std::uint8_t>(p >> 16); }
constexpr std::uint8_t green_of(std::uint32_t p) { return static_cast<std::uint8_t>(p >> 8); }
constexpr std::uint8_t blue_of(std::uint32_t p) { return static_cast<std::uint8_t>(p); }

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height, row after row from the top

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
    std::uint32_t* row(int y) { return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width); }
};

// An image of the given size filled with `fill`, or nullopt when either side
// is not positive or does not fit an int, or the area exceeds max_pixels.
std::optional<Image> make_image(std::int64_t width, std::int64_t height, std::uint64_t max_pixels,
                                std::uint32_t fill = 0);

}  // namespace formhost::media
