#pragma once
// Lines of a text as the canvas writes them. A break is one CR or one LF, and
// an LF right after the break character belongs to the same break: CR LF is
// one break, LF LF is one break too, CR CR is two. The empty text, and the
// empty rest after a final break, are one empty line each.

#include <string>
#include <string_view>
#include <vector>

namespace formhost {

std::vector<std::string> split_lines(std::string_view text);

// The canvas keeps this many pixels between one line and the next.
inline constexpr int kLineGap = 2;

// Where a line `height` pixels high goes when writing is at `y` on a canvas
// whose bottom edge is at `bottom`: a line that would end below the edge
// first scrolls everything up, so that it ends kLineGap pixels above it.
struct LinePlace {
    int scroll = 0;  // how far everything moves up first; 0 when the line fits
    int top = 0;     // the line's top, after the scroll
    int next_y = 0;  // where the next line starts
};
LinePlace place_line(int y, int height, int bottom);

}  // namespace formhost
