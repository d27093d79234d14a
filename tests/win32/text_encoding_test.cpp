#include "formhost/win32/system/text_encoding.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using formhost::win32::narrow;
using formhost::win32::narrow_exactly;
using formhost::win32::widen;

TEST(TextEncoding, ConvertsGbkTextsWhateverTheAnsiCodePage) {
    std::printf("ANSI code page: %u\n", GetACP());
    EXPECT_EQ(widen("\xCA\xFD\xBE\xDD\xBF\xE2/tavimore00.txt"), L"数据库/tavimore00.txt");
    EXPECT_EQ(narrow(L"修改完成！数据已保存。"),
              "\xD0\xDE\xB8\xC4\xCD\xEA\xB3\xC9\xA3\xA1\xCA\xFD\xBE\xDD\xD2\xD1\xB1\xA3\xB4\xE6\xA1\xA3");
    EXPECT_EQ(narrow(widen("abc\r\n")), "abc\r\n");
    EXPECT_EQ(widen(""), L"");
    EXPECT_EQ(narrow(L""), "");
}

TEST(TextEncoding, KeepsEveryCharacterCodePage936Lost) {
    const std::wstring line = L"爱你♥❤사랑😀€";
    EXPECT_EQ(widen(narrow(line)), line);
    EXPECT_EQ(narrow_exactly(line), narrow(line));
    EXPECT_EQ(narrow(line).find('?'), std::string::npos);
}

TEST(TextEncoding, OnlyALoneSurrogateHalfHasNoForm) {
    const std::wstring broken = std::wstring(L"a") + wchar_t(0xD83D) + L"b";
    EXPECT_EQ(narrow_exactly(broken), std::nullopt);
    EXPECT_EQ(widen(narrow(broken)), L"a\uFFFDb");
}

// A text written through the system's code page 936 reads as the same
// characters here, two-byte sequence by two-byte sequence, but for the 81
// forms where code page 936 has a private-use code point and GB18030 the
// character itself: the euro sign at A2 E3, ǹ at A8 BF, the ideographic
// description characters at A9 89–A9 95, and radicals and rare ideographs
// at FE 50–FE 9F. Nobody types a private-use code point; the characters
// read as GB18030 says.
TEST(TextEncoding, ReadsEveryTwoByteSequenceAsTheSystemsCodePage936) {
    const auto private_use = [](wchar_t c) { return c >= 0xE000 && c <= 0xF8FF; };
    int compared = 0, gb18030_characters = 0, differences = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t system[4] = {};
            if (MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes, 2, system, 4) != 1) continue;
            ++compared;
            const std::wstring ours = widen(std::string_view(bytes, 2));
            if (ours == std::wstring(1, system[0])) continue;
            if (ours.size() == 1 && private_use(system[0]) && !private_use(ours[0])) {
                ++gb18030_characters;
            } else if (++differences <= 10) {
                ADD_FAILURE() << std::hex << lead << " " << trail << ": system U+" << +system[0] << ", ours U+"
                              << +ours[0];
            }
        }
    }
    std::printf("two-byte sequences the system maps: %d\n", compared);
    EXPECT_GT(compared, 21000);
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(gb18030_characters, 81);
}

}  // namespace
