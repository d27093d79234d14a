#include "page_stage.h"

#include <algorithm>

#include "formhost/core/text_lines.h"

namespace web {

void PageStage::set_write_position(int x, int y) {
    x_ = x;
    y_ = y;
}

void PageStage::write_lines(const std::string& text) {
    for (const std::string& line : formhost::split_lines(text)) {
        // An empty line is as high as "W", as the desktop measures it.
        const int height = page_.line_height(line.empty() ? std::string_view("W") : std::string_view(line));
        const formhost::LinePlace place = formhost::place_line(y_, height, page_.height());
        if (place.scroll > 0) page_.scroll_up(place.scroll);
        if (!line.empty()) page_.draw_text(line, x_, place.top);
        y_ = place.next_y;
    }
}

void PageStage::clear_area(int left, int top, int width, int height) {
    int right = left + width, bottom = top + height;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right > left && bottom > top) page_.clear(left, top, right, bottom);
    x_ = left;
    y_ = top;
}

std::string PageStage::read_slot(int slot) { return slot >= 0 && slot < 13 ? page_.slot_text(slot) : std::string(); }

}  // namespace web
