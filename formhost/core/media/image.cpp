#include "image.h"

#include <limits>

namespace formhost::media {

std::optional<Image> make_image(std::int64_t width, std::int64_t height, std::uint64_t max_pixels, std::uint32_t fill) {
    constexpr std::int64_t int_max = std::numeric_limits<int>::max();
    if (width <= 0 || height <= 0 || width > int_max || height > int_max) return std::nullopt;
    // Both sides fit in 31 bits, so the product fits in 62.
    const auto area = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (area > max_pixels || area > std::numeric_limits<std::size_t>::max() / sizeof(std::uint32_t))
        return std::nullopt;
    Image image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.assign(static_cast<std::size_t>(area), fill);
    return image;
}

}  // namespace formhost::media
