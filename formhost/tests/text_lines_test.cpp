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

// A line that would end 10 pixels below the bottom edge scrolls up 12
// first and then ends 2 above it; one that fits does not scroll.
TEST(PlaceLine, ScrollsOnlyALineThatWouldEndBelowTheBottom) {
    const LinePlace fits = place_line(100, 64, 300);
    EXPECT_EQ(fits.scroll, 0);
    EXPECT_EQ(fits.top, 100);
    EXPECT_EQ(fits.next_y, 166);
    const LinePlace below = place_line(246, 64, 300);
    EXPECT_EQ(below.scroll, 12);
    EXPECT_EQ(below.top, 234);
    EXPECT_EQ(below.top + 64, 300 - kLineGap);
    EXPECT_EQ(below.next_y, 300);
    EXPECT_EQ(place_line(236, 64, 300).scroll, 0) << "ending exactly at the edge fits";
}

}  // namespace
}  // namespace formhost
