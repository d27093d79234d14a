// Every prefix of a valid file, in a buffer of exactly its size so that
// AddressSanitizer sees any read past the end, must be refused or decode to
// something self-consistent.
#include <gtest/gtest.h>

#include "formhost/core/media/gif.h"
#include "formhost/core/media/icon.h"
#include "formhost/core/media/picture.h"
#include "formhost/core/media/wave.h"
#include "test_files.h"

namespace formhost::media {
namespace {

template <typename Check> void for_each_prefix(const Bytes& file, Check check) {
    for (std::size_t n = 0; n <= file.size(); ++n) {
        const Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
        check(ByteView(prefix));
    }
}

void expect_consistent(const Image& image) {
    ASSERT_GT(image.width, 0);
    ASSERT_GT(image.height, 0);
    ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
}

bool inside(ByteView part, ByteView whole) {
    return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

TEST(Truncation, Wave) {
    const Bytes file = test::riff_wave({{"fmt ", Bytes(16, 1)}, {"LIST", Bytes(5, 2)}, {"data", Bytes(40, 3)}});
    std::size_t accepted = 0;
    for_each_prefix(file, [&](ByteView prefix) {
        if (const auto sound = parse_wave(prefix)) {
            ++accepted;
            EXPECT_TRUE(inside(sound->format, prefix) && inside(sound->data, prefix));
        }
        (void)classify_sound(prefix);
    });
    EXPECT_EQ(accepted, 40u);  // every prefix holding at least one sample byte
}

TEST(Truncation, Pictures) {
    test::DibSpec rgb{.width = 5, .height = 3, .bits = 24, .values = std::vector<std::uint32_t>(15, 0x123456)};
    test::DibSpec indexed{.width = 9,
                          .height = 2,
                          .bits = 4,
                          .top_down = true,
                          .colours_used = 3,
                          .palette = {1, 2, 3},
                          .values = std::vector<std::uint32_t>(18, 2)};
    test::DibSpec icon32{.width = 3,
                         .height = 3,
                         .bits = 32,
                         .values = std::vector<std::uint32_t>(9, 0x80FFFFFF),
                         .and_mask = std::vector<bool>(9, false)};
    test::DibSpec icon8{.width = 3,
                        .height = 2,
                        .bits = 8,
                        .colours_used = 1,
                        .palette = {0xFF},
                        .values = std::vector<std::uint32_t>(6, 0),
                        .and_mask = {true, false, true, false, true, false}};
    const std::vector<Bytes> files = {
        test::bmp(rgb),
        test::bmp(indexed),
        test::icon_file({{test::dib(icon8, true)}, {test::dib(icon32, true)}}),
        test::icon_file({{test::dib(icon8, true), 1, 1}}, 2),
        test::encode_jpeg({.width = 20, .height = 12, .colour = {1, 2, 3}, .exif = true}),
        test::encode_jpeg({.width = 20, .height = 12, .colour = {1, 2, 3}, .progressive = true}),
        test::encode_jpeg({.width = 9, .height = 9, .components = 4, .colour = {1, 2, 3, 4}}),
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const Bytes& file = files[i];
        SCOPED_TRACE(testing::Message() << "file " << i);
        ASSERT_TRUE(decode_picture(file));
        for_each_prefix(file, [](ByteView prefix) {
            if (const auto image = decode_picture(prefix)) expect_consistent(*image);
            if (const auto resource = icon_resource(prefix)) {
                EXPECT_TRUE(inside(resource->bytes, prefix));
            }
        });
    }
}

TEST(Truncation, Gif) {
    const Bytes file = test::two_frame_gif({0, 0xFF, 0xFF00, 0xFF0000});
    for_each_prefix(file, [](ByteView prefix) {
        if (const auto gif = decode_gif(prefix)) {
            ASSERT_FALSE(gif->frames.empty());
            for (const GifFrame& frame : gif->frames) {
                expect_consistent(frame.canvas);
                EXPECT_EQ(frame.canvas.width, 6);
            }
        }
    });
}

}  // namespace
}  // namespace formhost::media
