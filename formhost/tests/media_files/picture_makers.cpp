#include "picture_makers.h"

#include <map>
#include <stdexcept>

#include "test_files.h"

namespace picture_makers {
namespace {

namespace files = formhost::media::test;

std::vector<std::uint32_t> opaque_rgb(const Image& image) {
    std::vector<std::uint32_t> values;
    values.reserve(image.pixels.size());
    for (const std::uint32_t p : image.pixels) values.push_back(p & 0xFFFFFF);
    return values;
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
    return files::bmp({.width = image.width, .height = image.height, .bits = 24, .values = opaque_rgb(image)});
}

Bytes bmp32_alpha(const Image& image) {
    constexpr std::uint32_t kBitFields = 3;
    constexpr std::uint32_t kV4Header = 108;
    return files::bmp({.width = image.width,
                       .height = image.height,
                       .bits = 32,
                       .top_down = true,
                       .compression = kBitFields,
                       .header_size = kV4Header,
                       .masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u},
                       .values = image.pixels});
}

Bytes jpeg(const Image& image, int quality) {
    std::vector<std::uint8_t> samples;
    samples.reserve(image.pixels.size() * 3);
    for (const std::uint32_t p : image.pixels)
        for (const int shift : {16, 8, 0}) samples.push_back(static_cast<std::uint8_t>(p >> shift));
    return files::encode_jpeg({.width = image.width,
                               .height = image.height,
                               .components = 3,
                               .samples = std::move(samples),
                               .quality = quality});
}

Bytes gif(const std::vector<GifFrame>& frames) {
    // Index 0 is the transparent one; opaque colours follow in first-seen order.
    std::map<std::uint32_t, int> index;
    files::GifSpec recipe{.width = frames.front().image.width,
                          .height = frames.front().image.height,
                          .colours = {0},
                          .loop_count = 0};
    for (const GifFrame& f : frames)
        for (const std::uint32_t p : f.image.pixels)
            if (p >> 24 != 0 && !index.contains(p & 0xFFFFFF)) {
                if (recipe.colours.size() == 256) throw std::runtime_error("more than 255 colours");
                index[p & 0xFFFFFF] = static_cast<int>(recipe.colours.size());
                recipe.colours.push_back(p & 0xFFFFFF);
            }
    recipe.colours.resize(256, 0);

    constexpr int kDisposeToBackground = 2;
    for (const GifFrame& f : frames) {
        files::GifFrameSpec frame{.width = recipe.width,
                                  .height = recipe.height,
                                  .disposal = kDisposeToBackground,
                                  .transparent = 0,
                                  .delay = f.delay_field};
        frame.indices.reserve(f.image.pixels.size());
        for (const std::uint32_t p : f.image.pixels)
            frame.indices.push_back(static_cast<std::uint8_t>(p >> 24 == 0 ? 0 : index[p & 0xFFFFFF]));
        recipe.frames.push_back(std::move(frame));
    }
    return files::encode_gif(recipe);
}

Bytes ico32(const Image& image, bool cursor, std::uint16_t hotspot_x, std::uint16_t hotspot_y) {
    files::DibSpec entry{.width = image.width, .height = image.height, .bits = 32, .values = image.pixels};
    entry.and_mask.reserve(image.pixels.size());
    for (const std::uint32_t p : image.pixels) entry.and_mask.push_back(p >> 24 == 0);
    // An icon's directory gives its planes (1) and bit count where a
    // cursor's gives its hotspot.
    return files::icon_file({{.data = files::dib(entry, true),
                              .hotspot_x = cursor ? hotspot_x : std::uint16_t{1},
                              .hotspot_y = cursor ? hotspot_y : std::uint16_t{32},
                              .width = static_cast<std::uint8_t>(image.width >= 256 ? 0 : image.width),
                              .height = static_cast<std::uint8_t>(image.height >= 256 ? 0 : image.height)}},
                            cursor ? 2 : 1);
}

}  // namespace picture_makers
