#include "formhost/core/text_lines.h"

#include <gtest/gtest.h>

namespace formhost {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitLines, BreaksAsTheCanvasCountsThem) {
    EXPECT_EQ(split_lines(""), (Lines{""}));
    EXPECT_EQ(split_lines("one"), (Lines{"one"}));
    EXPECT_EQ(split_lines("a\r\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(split_lines("a\r\nb\r\n"), (Lines{"a", "b", ""}));
    EXPECT_EQ(split_lines("a\n\nb"), (Lines{"a", "b"})) << "LF LF is one break";
    EXPECT_EQ(split_lines("a\r\rb"), (Lines{"a", "", "b"})) << "CR CR is two";
    EXPECT_EQ(split_lines("a\n\rb"), (Lines{"a", "", "b"})) << "a CR after an LF starts a break of its own";
    EXPECT_EQ(split_lines("\r\n"), (Lines{"", ""}));
    EXPECT_EQ(split_lines("\xCE\xD2\r\n\xC4\xE3"), (Lines{"\xCE\xD2", "\xC4\xE3"}));
}

}  // namespace
}  // namespace formhost
