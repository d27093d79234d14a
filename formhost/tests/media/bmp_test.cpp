#include "formhost/core/media/bmp.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace formhost::media {
namespace {

using test::DibSpec;

// A 3x2 picture: the odd width makes 24-bit rows need padding.
const std::vector<std::uint32_t> kRgb = {0xFF0000, 0x00FF00, 0x0000FF,  //
                                         0x102030, 0xFFFFFF, 0x000000};

void expect_rgb_picture(const std::optional<Image>& image, std::uint8_t alpha = 255) {
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 3);
    ASSERT_EQ(image->height, 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(image->pixels[static_cast<std::size_t>(i)],
                  kRgb[static_cast<std::size_t>(i)] | std::uint32_t{alpha} << 24)
            << "pixel " << i;
}

TEST(Bmp, TrueColourBottomUpAndTopDown) {
    for (bool top_down : {false, true}) {
        SCOPED_TRACE(top_down ? "top-down" : "bottom-up");
        expect_rgb_picture(
            decode_bmp(test::bmp({.width = 3, .height = 2, .bits = 24, .top_down = top_down, .values = kRgb})));

        // Uncompressed 32-bit: the fourth byte is padding, whatever it holds.
        std::vector<std::uint32_t> padded = kRgb;
        for (auto& p : padded) p |= 0x12000000;
        expect_rgb_picture(
            decode_bmp(test::bmp({.width = 3, .height = 2, .bits = 32, .top_down = top_down, .values = padded})));
    }
}

TEST(Bmp, BitFieldsWithAndWithoutAlpha) {
    // A V5 header with an alpha mask keeps alpha, straight.
    DibSpec v5{.width = 2,
               .height = 1,
               .bits = 32,
               .compression = 3,
               .header_size = 124,
               .masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000},
               .values = {0x80FF0000, 0x00000000}};
    auto image = decode_bmp(test::bmp(v5));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->at(0, 0), argb(0x80, 0xFF, 0, 0));
    EXPECT_EQ(image->at(1, 0), 0u);

    // 16-bit 5-6-5 after a 40-byte header: the masks follow the header; no alpha.
    DibSpec rgb565{.width = 2,
                   .height = 1,
                   .bits = 16,
                   .compression = 3,
                   .masks = {0xF800, 0x07E0, 0x001F, 0},
                   .values = {0xF800, 0x07FF}};
    image = decode_bmp(test::bmp(rgb565));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->at(0, 0), opaque(255, 0, 0));
    EXPECT_EQ(image->at(1, 0), opaque(0, 255, 255));
}

TEST(Bmp, PaletteDepths) {
    // 8 bits with a short table: an index past it draws black.
    DibSpec eight{.width = 3,
                  .height = 2,
                  .bits = 8,
                  .colours_used = 3,
                  .palette = {0x112233, 0x445566, 0x778899},
                  .values = {0, 1, 2, 2, 1, 7}};
    auto image = decode_bmp(test::bmp(eight));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->at(0, 0), opaque(0x11, 0x22, 0x33));
    EXPECT_EQ(image->at(1, 0), opaque(0x44, 0x55, 0x66));
    EXPECT_EQ(image->at(0, 1), opaque(0x77, 0x88, 0x99));
    EXPECT_EQ(image->at(2, 1), opaque(0, 0, 0));

    // 1 and 4 bits: pixels packed from the high bits down.
    DibSpec one{
        .width = 10, .height = 1, .bits = 1, .palette = {0x000000, 0xFFFFFF}, .values = {1, 0, 0, 0, 0, 0, 0, 1, 1, 0}};
    image = decode_bmp(test::bmp(one));
    ASSERT_TRUE(image);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(image->at(x, 0), one.values[static_cast<std::size_t>(x)] ? opaque(255, 255, 255) : opaque(0, 0, 0))
            << x;

    std::vector<std::uint32_t> palette16(16);
    for (std::uint32_t i = 0; i < 16; ++i) palette16[i] = i * 0x101010;
    DibSpec four{.width = 3, .height = 1, .bits = 4, .palette = palette16, .values = {15, 1, 8}};
    image = decode_bmp(test::bmp(four));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->at(0, 0), opaque(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(image->at(1, 0), opaque(0x10, 0x10, 0x10));
    EXPECT_EQ(image->at(2, 0), opaque(0x80, 0x80, 0x80));
}

TEST(Bmp, RefusesWhatItCannotDecode) {
    const DibSpec good{.width = 3, .height = 2, .bits = 24, .values = kRgb};
    Bytes file = test::bmp(good);
    file[30] = 1;  // RLE8
    EXPECT_FALSE(decode_bmp(file));

    file = test::bmp(good);
    file[28] = 7;  // 7 bits per pixel
    EXPECT_FALSE(decode_bmp(file));

    file = test::bmp(good);
    file.pop_back();  // the last row is one byte short
    EXPECT_FALSE(decode_bmp(file));

    file = test::bmp(good);
    file[1] = 'A';
    EXPECT_FALSE(decode_bmp(file));

    // A palette that runs past the file.
    DibSpec eight{.width = 1, .height = 1, .bits = 8, .colours_used = 200, .palette = {0}, .values = {0}};
    EXPECT_FALSE(decode_bmp(test::bmp(eight)));
}

TEST(Bmp, AbsurdSizesAreRefusedBeforeAllocating) {
    Bytes file = test::bmp({.width = 3, .height = 2, .bits = 24, .values = kRgb});
    // width 0x7FFFFFFF, height -0x80000000: the stride times the rows overflows 64 bits' worth of checks.
    const std::uint8_t huge[] = {0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x00, 0x80};
    std::copy(std::begin(huge), std::end(huge), file.begin() + 18);
    EXPECT_FALSE(decode_bmp(file));

    // Well-formed, but over the caller's pixel budget.
    file = test::bmp({.width = 3, .height = 2, .bits = 24, .values = kRgb});
    EXPECT_FALSE(decode_bmp(file, 5));
    EXPECT_TRUE(decode_bmp(file, 6));
}

}  // namespace
}  // namespace formhost::media
