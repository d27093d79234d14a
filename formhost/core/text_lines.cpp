#include "text_lines.h"

namespace formhost {

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

LinePlace place_line(int y, int height, int bottom) {
    LinePlace place;
    if (y + height > bottom) place.scroll = y + height - bottom + kLineGap;
    place.top = y - place.scroll;
    place.next_y = place.top + height + kLineGap;
    return place;
}

}  // namespace formhost
