// A label's caption in a window built inside the test: with word wrap on it
// breaks at word boundaries into lines from the top, with it off it stays
// one line placed by the vertical alignment.
#include <gtest/gtest.h>

#include "formhost/core/choices.h"
#include "hosted_window.h"
#include "surfaces.h"

namespace {

// Rows of the label that hold some of the caption (anything not its white).
std::vector<int> inked_rows(const picture_tests::WindowPixels& pixels) {
    std::vector<int> rows;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (pixels.at(x, y) != RGB(255, 255, 255)) {
                rows.push_back(y);
                break;
            }
    return rows;
}

// The number of separate bands of inked rows: one per line of text.
int lines_of(const std::vector<int>& rows) {
    int lines = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (i == 0 || rows[i] != rows[i - 1] + 1) ++lines;
    return lines;
}

formhost::LabelData label(bool wrap) {
    formhost::LabelData d;
    d.caption = "Wide words wrap here";
    d.background_colour = 0xFFFFFF;
    d.word_wrap = wrap;
    d.vertical_alignment = formhost::choice::vertical_alignment::kBottom;
    return d;
}

TEST(LabelWrap, WrappedCaptionsBreakIntoLinesFromTheTopUnwrappedOnesStayOneLine) {
    picture_tests::HostedWindow window(formhost::WindowData{}, {40, 40, 240, 200},
                                       {{label(true), {0, 0, 60, 150}}, {label(false), {100, 0, 160, 150}}});
    window.repaint();
    const picture_tests::WindowPixels wrapped(window.control_hwnd(1));
    const picture_tests::WindowPixels single(window.control_hwnd(2));
    const std::vector<int> wrapped_rows = inked_rows(wrapped), single_rows = inked_rows(single);
    ASSERT_FALSE(wrapped_rows.empty());
    ASSERT_FALSE(single_rows.empty());
    EXPECT_GE(lines_of(wrapped_rows), 3) << "four words in 60 pixels";
    EXPECT_LT(wrapped_rows.front(), 10) << "wrapped lines start at the top, whatever the vertical alignment";
    EXPECT_EQ(lines_of(single_rows), 1);
    EXPECT_GT(single_rows.front(), 100) << "one line at the bottom, as its vertical alignment says";
}

}  // namespace
