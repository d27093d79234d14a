#include "page_stage.h"

#include <algorithm>

#include "formhost/core/text_lines.h"

namespace web {
namespace {

constexpr int kLineGap = 2;

}  // namespace

void PageStage::set_write_position(int x, int y) {
    x_ = x;
    y_ = y;
}

void PageStage::write_lines(const std::string& text) {
    for (const std::string& line : formhost::split_lines(text)) {
        // An empty line is as high as "W", as the desktop measures it.
        const int height = page_.line_height(line.empty() ? std::string_view("W") : std::string_view(line));
        const int bottom = page_.height();
        if (y_ + height > bottom) {
            const int d = y_ + height - bottom + kLineGap;
            page_.scroll_up(d);
            y_ -= d;
        }
        if (!line.empty()) page_.draw_text(line, x_, y_);
        y_ += height + kLineGap;
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
