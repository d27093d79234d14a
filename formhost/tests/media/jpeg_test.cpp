#include "formhost/core/media/jpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "test_files.h"

namespace formhost::media {
namespace {

using test::JpegRecipe;

// JPEG is lossy: a flat colour comes back within a few steps.
void expect_all_near(const Image& image, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    for (std::uint32_t p : image.pixels) {
        ASSERT_EQ(alpha_of(p), 255);
        ASSERT_NEAR(red_of(p), r, 6);
        ASSERT_NEAR(green_of(p), g, 6);
        ASSERT_NEAR(blue_of(p), b, 6);
    }
}

TEST(Jpeg, ColourWithExifHeaderBaselineAndProgressive) {
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const Bytes file = test::encode_jpeg(
            {.width = 37, .height = 21, .colour = {200, 30, 90}, .exif = true, .progressive = progressive});
        ASSERT_EQ(file[2], 0xFF);
        ASSERT_EQ(file[3], 0xE1);  // APP1 right after SOI, no JFIF segment
        const auto image = decode_jpeg(file);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, 37);
        EXPECT_EQ(image->height, 21);
        EXPECT_EQ(image->pixels.size(), 37u * 21u);
        expect_all_near(*image, 200, 30, 90);
    }
}

TEST(Jpeg, GrayscaleAndAdobeCmyk) {
    auto image = decode_jpeg(test::encode_jpeg({.width = 8, .height = 8, .components = 1, .colour = {77}}));
    ASSERT_TRUE(image);
    expect_all_near(*image, 77, 77, 77);

    // Inverted CMYK as Adobe stores it: no cyan, full magenta, half yellow, no black.
    image = decode_jpeg(test::encode_jpeg({.width = 16, .height = 8, .components = 4, .colour = {255, 0, 128, 255}}));
    ASSERT_TRUE(image);
    expect_all_near(*image, 255, 0, 128);
}

TEST(Jpeg, CorruptDataIsRefusedWithoutAbortingAndWarningsAreNotFailures) {
    const Bytes file = test::encode_jpeg({.width = 32, .height = 32, .colour = {10, 200, 10}});
    EXPECT_FALSE(decode_jpeg(Bytes{0xFF, 0xD8}));
    EXPECT_FALSE(decode_jpeg(Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0, 2}));
    EXPECT_FALSE(decode_jpeg(ByteView(file).first(100)));  // ends inside the tables

    // Cut inside the scan: libjpeg warns and fills in the rest.
    std::size_t scan = file.size() - 2;
    while (scan > 0 && !(file[scan] == 0xFF && file[scan + 1] == 0xDA)) --scan;
    ASSERT_GT(scan, 0u);
    const auto cut = decode_jpeg(ByteView(file).first(scan + (file.size() - scan) * 3 / 4));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->width, 32);

    // Garbage in the entropy-coded data is a warning too; the header still holds.
    Bytes scrambled = file;
    for (std::size_t i = file.size() / 2; i < file.size() - 2; i += 7) scrambled[i] ^= 0x5A;
    if (const auto image = decode_jpeg(scrambled)) {
        EXPECT_EQ(image->height, 32);
    }

    EXPECT_FALSE(decode_jpeg(file, 32 * 32 - 1));
}

}  // namespace
}  // namespace formhost::media
