#include "formhost/core/media/icon.h"

#include <gtest/gtest.h>

#include "test_files.h"

namespace formhost::media {
namespace {

using test::DibSpec;

// A 2x2 entry at 24 bits whose AND mask makes the top-right pixel transparent.
DibSpec masked_24() {
    return {.width = 2,
            .height = 2,
            .bits = 24,
            .values = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF},
            .and_mask = {false, true, false, false}};
}

// A 4x4 entry at 32 bits with graded alpha; its mask says opaque everywhere.
DibSpec alpha_32() {
    DibSpec s{.width = 4, .height = 4, .bits = 32};
    for (std::uint32_t i = 0; i < 16; ++i) s.values.push_back((i * 16) << 24 | 0x336699);
    s.and_mask.assign(16, false);
    return s;
}

TEST(Icon, ChoosesTheLargestThenDeepestEntry) {
    const Bytes file = test::icon_file({{test::dib(masked_24(), true)}, {test::dib(alpha_32(), true)}});
    const auto directory = read_icon_directory(file);
    ASSERT_TRUE(directory);
    ASSERT_EQ(directory->entries.size(), 2u);
    EXPECT_EQ(directory->entries[1].width, 4);
    EXPECT_EQ(directory->entries[1].height, 4);  // the header's doubled height, halved
    EXPECT_EQ(choose_icon_entry(*directory, false), 1u);

    DibSpec deeper = masked_24();
    deeper.bits = 32;
    deeper.values = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    const Bytes same_size = test::icon_file({{test::dib(masked_24(), true)}, {test::dib(deeper, true)}});
    EXPECT_EQ(choose_icon_entry(*read_icon_directory(same_size), false), 1u);
}

TEST(Icon, ThirtyTwoBitEntryKeepsItsAlpha) {
    const auto image = decode_icon(test::icon_file({{test::dib(masked_24(), true)}, {test::dib(alpha_32(), true)}}));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 4);
    ASSERT_EQ(image->height, 4);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(image->pixels[static_cast<std::size_t>(i)],
                  argb(static_cast<std::uint8_t>(i * 16), 0x33, 0x66, 0x99));
}

TEST(Icon, AndMaskGivesTransparencyBelowThirtyTwoBitsAndWithoutAlpha) {
    auto image = decode_icon(test::icon_file({{test::dib(masked_24(), true)}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->at(0, 0), opaque(255, 0, 0));
    EXPECT_EQ(alpha_of(image->at(1, 0)), 0);
    EXPECT_EQ(image->at(0, 1), opaque(0, 0, 255));
    EXPECT_EQ(image->at(1, 1), opaque(255, 255, 255));

    // 32 bits with alpha zero throughout is an old-style icon: the mask decides.
    DibSpec no_alpha = masked_24();
    no_alpha.bits = 32;
    image = decode_icon(test::icon_file({{test::dib(no_alpha, true)}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->at(0, 0), opaque(255, 0, 0));
    EXPECT_EQ(alpha_of(image->at(1, 0)), 0);

    // An 8-bit entry stored without its mask is opaque.
    DibSpec indexed{
        .width = 2, .height = 1, .bits = 8, .colours_used = 2, .palette = {0x0000FF, 0x00FF00}, .values = {1, 0}};
    image = decode_icon(test::icon_file({{test::dib(indexed, true)}}));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->at(0, 0), opaque(0, 255, 0));
    EXPECT_EQ(image->at(1, 0), opaque(0, 0, 255));
}

TEST(Icon, ResourceViewAndCursorHotspot) {
    const Bytes small = test::dib(masked_24(), true);
    const Bytes large = test::dib(alpha_32(), true);
    const Bytes file = test::icon_file({{small, 1, 2}, {large, 3, 4}}, 2);
    const auto resource = icon_resource(file);
    ASSERT_TRUE(resource);
    EXPECT_TRUE(resource->cursor);
    EXPECT_EQ(resource->width, 4);
    EXPECT_EQ(resource->hotspot_x, 3);
    EXPECT_EQ(resource->hotspot_y, 4);
    ASSERT_EQ(resource->bytes.size(), large.size());
    EXPECT_EQ(resource->bytes.data(), file.data() + 6 + 32 + small.size());

    // A PNG entry is the system's to decode: chosen for the resource, skipped for pixels.
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D',
                 'R',  0,   0,   1,   0,    0,    0,    1,    0, 8, 6, 0,  0,   0};
    const Bytes with_png = test::icon_file({{large}, {png}});
    EXPECT_EQ(icon_resource(with_png)->width, 256);
    const auto image = decode_icon(with_png);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 4);
    EXPECT_FALSE(decode_icon(test::icon_file({{png}})));
}

TEST(Icon, BrokenDirectoriesAndEntries) {
    Bytes file = test::icon_file({{test::dib(alpha_32(), true)}});
    EXPECT_TRUE(decode_icon(file));
    EXPECT_FALSE(decode_icon(file, 15));  // over the pixel budget
    file[2] = 3;                          // neither icon nor cursor
    EXPECT_FALSE(read_icon_directory(file));

    // An entry whose data runs past the file is skipped; the other one still shows.
    Bytes two = test::icon_file({{test::dib(masked_24(), true)}, {test::dib(alpha_32(), true)}});
    two[6 + 16 + 8] = 0xFF;  // the second entry's byte count
    const auto directory = read_icon_directory(two);
    ASSERT_TRUE(directory);
    EXPECT_EQ(directory->entries.size(), 1u);
    EXPECT_EQ(decode_icon(two)->width, 2);

    EXPECT_FALSE(read_icon_directory(test::icon_file({})));
}

}  // namespace
}  // namespace formhost::media
