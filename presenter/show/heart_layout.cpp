#include "heart_layout.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace presenter {
namespace {

constexpr int kShift = 2;

// The show's own layout constants: one grid unit is the screen less a margin
// of 98 pixels across, over 43 units, and less 86 pixels down, over 34 units.
// The big heart spans 44 x 35 units, so on every screen its outermost roses
// come to about the screen's right and bottom edges.
constexpr int kMarginX = 98;
constexpr double kUnitsAcross = 43;
constexpr int kMarginY = 86;
constexpr double kUnitsDown = 34;

int scale(int pixels, int margin, double units) { return static_cast<int>(std::trunc((pixels - margin) / units)); }

Point scaled(const Point& p, int sx, int sy) {
    return {static_cast<int>(std::trunc(static_cast<double>(p.x) * sx)),
            static_cast<int>(std::trunc(static_cast<double>(p.y) * sy))};
}

}  // namespace

std::vector<Point> parse_path(std::string_view path) {
    std::vector<Point> points;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t bar = std::min(path.find('|', start), path.size());
        const std::string piece(path.substr(start, bar - start));
        const std::size_t comma = piece.find(',');
        const int x = std::atoi(piece.substr(0, comma).c_str());
        const int y = comma == std::string::npos ? 0 : std::atoi(piece.substr(comma + 1).c_str());
        points.push_back({x - kShift, y});
        start = bar + 1;
    }
    return points;
}

HeartLayout::HeartLayout(int screen_width, int screen_height)
    : small_(parse_path(kSmallHeartPath)),
      big_(parse_path(kBigHeartPath)),
      scale_x_(scale(screen_width, kMarginX, kUnitsAcross)),
      scale_y_(scale(screen_height, kMarginY, kUnitsDown)) {}

Point HeartLayout::big_point(int i) const {
    return scaled(big_.at(static_cast<std::size_t>(i - 1)), scale_x_, scale_y_);
}

Point HeartLayout::small_point(int k) const {
    return scaled(small_.at(static_cast<std::size_t>(k - 1)), scale_x_, scale_y_);
}

}  // namespace presenter
