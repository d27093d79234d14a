#include "formhost/core/unicode.h"

#include <gtest/gtest.h>

namespace formhost::unicode {
namespace {

using namespace std::string_literals;

TEST(Utf16, JoinsPairsAndRefusesLoneHalves) {
    EXPECT_EQ(from_utf16(u"a\U0001F600b"), U"a\U0001F600b");
    EXPECT_EQ(to_utf16(U"a\U0001F600\U0010FFFF"), u"a\U0001F600\U0010FFFF");
    EXPECT_EQ(from_utf16(u""), U"");
    for (const std::u16string& broken : {std::u16string{0xD83D}, std::u16string{0xDE00, 'a'},
                                         std::u16string{0xD83D, 'a'}, std::u16string{'a', 0xD83D, 0xD83D}}) {
        EXPECT_EQ(from_utf16(broken), std::nullopt) << std::hex << +broken[0];
    }
    EXPECT_EQ(from_utf16_replacing(std::u16string{'a', 0xD83D, 0xDE00, 0xDE00, 0xD83D}), U"a\U0001F600\uFFFD\uFFFD");
    EXPECT_EQ(to_utf16(std::u32string{0xDC00, 0x110000}), u"\uFFFD\uFFFD");
}

TEST(Utf8, ReadsOnlyWellFormedUtf8) {
    EXPECT_EQ(from_utf8("a\xC2\xA8\xE7\x88\xB1\xF0\x9F\x98\x80"), U"a\u00A8\u7231\U0001F600");
    EXPECT_EQ(from_utf8("\xF4\x8F\xBF\xBF"), U"\U0010FFFF");
    for (const char* broken : {"\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xF0\x80\x80\xAF", "\xED\xA0\x80",
                               "\xF4\x90\x80\x80", "\xE7\x88", "\xE7\x88z", "\xFF", "\xF5\x80\x80\x80"}) {
        EXPECT_EQ(from_utf8(broken), std::nullopt) << testing::PrintToString(std::string(broken));
    }
}

TEST(Utf8, ReplacingGoesOnAtTheByteAfterEachBadOne) {
    EXPECT_EQ(from_utf8_replacing("a\xE7\x88"s + "b\xFF\xE7\x88\xB1"), U"a\uFFFD\uFFFDb\uFFFD\u7231");
    EXPECT_EQ(from_utf8_replacing("\xC0\xAF"), U"\uFFFD\uFFFD") << "an overlong form";
}

TEST(Utf8, EveryScalarValueRoundTrips) {
    std::u32string all;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (is_scalar_value(c)) all.push_back(c);
    }
    EXPECT_EQ(from_utf8(to_utf8(all)), all);
    EXPECT_EQ(from_utf16(to_utf16(all)), all);
}

}  // namespace
}  // namespace formhost::unicode
