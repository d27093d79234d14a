#include "formhost/win32/system/gbk_text.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using formhost::win32::narrow;
using formhost::win32::widen;

TEST(GbkText, ConvertsWithCodePage936WhateverTheAnsiCodePage) {
    std::printf("ANSI code page: %u\n", GetACP());
    EXPECT_EQ(widen("\xCA\xFD\xBE\xDD\xBF\xE2/tavimore00.txt"), L"数据库/tavimore00.txt");
    EXPECT_EQ(narrow(L"修改完成！数据已保存。"), "修改完成！数据已保存。");
    EXPECT_EQ(narrow(L"修改完成！数据已保存。"),
              "\xD0\xDE\xB8\xC4\xCD\xEA\xB3\xC9\xA3\xA1\xCA\xFD\xBE\xDD\xD2\xD1\xB1\xA3\xB4\xE6\xA1\xA3");
}

TEST(GbkText, EmptyAndAsciiPassThrough) {
    EXPECT_EQ(widen(""), L"");
    EXPECT_EQ(narrow(L""), "");
    EXPECT_EQ(narrow(widen("abc\r\n")), "abc\r\n");
}

TEST(GbkText, CharactersOutsideGbkBecomeQuestionMarks) {
    EXPECT_EQ(narrow(L"a\U0001F600b").front(), 'a');
    EXPECT_EQ(narrow(L"a\U0001F600b").back(), 'b');
}

}  // namespace
