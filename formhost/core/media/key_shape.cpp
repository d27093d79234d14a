#include "formhost/core/media/key_shape.h"

#include <algorithm>

namespace formhost::media {

void KeyShape::count_rows(const std::uint32_t* pixels, int width, int top, int bottom, std::uint32_t key) {
    top = std::max(top, 0);
    bottom = std::min(bottom, static_cast<int>(rows_.size()));
    key &= 0xFFFFFF;
    for (int y = top; y < bottom; ++y) {
        std::vector<std::uint32_t>& runs = rows_[static_cast<std::size_t>(y)];
        runs.clear();
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        bool inside = false;
        for (int x = 0; x < width; ++x) {
            const bool shown = (row[x] & 0xFFFFFF) != key;
            if (shown != inside) runs.push_back(static_cast<std::uint32_t>(x));
            inside = shown;
        }
        if (inside) runs.push_back(static_cast<std::uint32_t>(width));
    }
}

std::size_t KeyShape::rectangles() const {
    std::size_t count = 0;
    for (std::size_t y = 0; y < rows_.size(); ++y) {
        if (y > 0 && rows_[y] == rows_[y - 1]) continue;  // one band with the row above
        count += rows_[y].size() / 2;
    }
    return count;
}

}  // namespace formhost::media
