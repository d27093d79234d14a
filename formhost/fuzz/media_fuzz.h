#pragma once
// Shared by the media fuzz targets: a small pixel budget keeps each run fast
// (the limit itself is tested elsewhere), and checks that abort on any
// result that does not hold together.

#include <cstdint>
#include <cstdlib>

#include "formhost/core/byte_io.h"
#include "formhost/core/media/image.h"

namespace formhost::media::fuzz {

inline constexpr std::uint64_t kPixels = std::uint64_t{1} << 20;

inline void check(bool condition) {
    if (!condition) std::abort();
}

inline void check_image(const Image& image) {
    check(image.width > 0 && image.height > 0);
    check(image.pixels.size() == static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
}

inline bool inside(ByteView part, ByteView whole) {
    return part.empty() || (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

}  // namespace formhost::media::fuzz
