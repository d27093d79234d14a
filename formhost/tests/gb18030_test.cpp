#include "formhost/core/gb18030.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace formhost::gb18030 {
namespace {

using namespace std::string_literals;

std::vector<std::uint8_t> read_all(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::u32string one(char32_t c) { return std::u32string(1, c); }

// The reference holds, for every Unicode scalar value, the bytes Python's
// gb18030 codec gives it: both directions must agree with it everywhere.
TEST(Gb18030, EveryScalarValueHasTheReferenceFormAndReadsBack) {
    const std::vector<std::uint8_t> reference = read_all(GB18030_REFERENCE);
    ASSERT_FALSE(reference.empty());
    std::size_t checked = 0, failures = 0;
    for (std::size_t at = 0; at + 5 <= reference.size() && failures < 10;) {
        const char32_t c = reference[at] | reference[at + 1] << 8 | reference[at + 2] << 16 |
                           static_cast<char32_t>(reference[at + 3]) << 24;
        const std::size_t length = reference[at + 4];
        const std::string bytes(reference.begin() + static_cast<std::ptrdiff_t>(at + 5),
                                reference.begin() + static_cast<std::ptrdiff_t>(at + 5 + length));
        at += 5 + length;
        ++checked;
        const auto encoded = encode(one(c));
        if (encoded != bytes || decode(bytes) != one(c)) {
            ++failures;
            ADD_FAILURE() << "U+" << std::hex << static_cast<std::uint32_t>(c);
        }
    }
    EXPECT_EQ(checked, 0x110000u - 0x800u) << "every scalar value, no surrogates";
}

// Texts written through code page 936 read the same: every two-byte sequence
// that it maps is the same character here. GB18030 maps more (the
// user-defined areas, as private use), and reads 0x80 as code page 936 does.
TEST(Gb18030, ReadsEveryCodePage936SequenceAsCodePage936Does) {
    const std::vector<std::uint8_t> reference = read_all(CP936_REFERENCE);
    ASSERT_GT(reference.size(), 20000u * 6);
    std::size_t failures = 0;
    for (std::size_t at = 0; at + 6 <= reference.size() && failures < 10; at += 6) {
        const std::string bytes{static_cast<char>(reference[at]), static_cast<char>(reference[at + 1])};
        const char32_t c = reference[at + 2] | reference[at + 3] << 8 | reference[at + 4] << 16 |
                           static_cast<char32_t>(reference[at + 5]) << 24;
        if (decode(bytes) != one(c)) {
            ++failures;
            ADD_FAILURE() << std::hex << +reference[at] << " " << +reference[at + 1];
        }
    }
    EXPECT_EQ(decode("\x80"), U"\u20AC");
    EXPECT_EQ(encode(U"\u20AC"), "\xA2\xE3") << "written as GB18030 writes it";
}

TEST(Gb18030, EncodesTheCharactersCodePage936Lost) {
    EXPECT_EQ(encode(U"我爱你♥❤사랑😀"),
              "\xCE\xD2\xB0\xAE\xC4\xE3"
              "\x81\x37\xAC\x33\x81\x37\xC5\x38\x83\x31\xE8\x37\x82\x39\xFB\x36\x94\x39\xFC\x36");
    EXPECT_EQ(encode(U"A\U0010FFFF"), "A\xE3\x32\x9A\x35");
    EXPECT_EQ(encode(U""), "");
    EXPECT_EQ(encode(std::u32string(1, 0xD800)), std::nullopt) << "a lone surrogate half";
    EXPECT_EQ(encode(std::u32string(1, 0x110000)), std::nullopt);
}

// Bytes that are no GB18030 cost one U+FFFD each and nothing after them.
TEST(Gb18030, DecodingBadBytesLosesOnlyThem) {
    EXPECT_EQ(decode("a\xFF"s + "b"), U"a\uFFFDb");
    EXPECT_EQ(decode("\xB0"), U"\uFFFD") << "a two-byte form cut short";
    EXPECT_EQ(decode("\xB0\x0Ax"), U"\uFFFD\nx") << "no trail byte: the break is kept";
    EXPECT_EQ(decode("\x81\x30\x81"), U"\uFFFD0\uFFFD") << "a four-byte form cut short";
    EXPECT_EQ(decode("\x81\x30"s + "ab"), U"\uFFFD0ab");
    EXPECT_EQ(decode("\x84\x31\xA5\x30"), U"\uFFFD") << "past the last BMP form";
    EXPECT_EQ(decode("\x8F\x39\xFE\x39"), U"\uFFFD") << "between the BMP and the supplementary forms";
    EXPECT_EQ(decode("\xE3\x32\x9A\x36"), U"\uFFFD") << "past U+10FFFF";
    EXPECT_EQ(decode("\xFE\x39\xFE\x39"), U"\uFFFD");
    EXPECT_EQ(decode(""), U"");
}

}  // namespace
}  // namespace formhost::gb18030
