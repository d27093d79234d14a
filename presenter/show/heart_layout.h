#pragma once
// The two hearts of the show as points on a small grid, scaled to the screen.

#include <string_view>
#include <vector>

namespace presenter {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// A heart listed row by row; the show picks its points at random.
inline constexpr std::string_view kSmallHeartPath =
    "15,7|16,7|17,7|18,7|30,7|31,7|32,7|33,7|13,8|14,8|19,8|29,8|34,8|35,8|13,9|20,9|21,9|27,9|28,9|35,9|12,10|"
    "22,10|26,10|36,10|11,11|23,11|25,11|37,11|11,12|24,12|37,12|11,13|37,13|11,14|37,14|11,15|37,15|12,16|36,16|"
    "12,17|36,17|13,18|35,18|13,19|35,19|14,20|34,20|15,21|33,21|16,22|32,22|17,23|31,23|18,24|19,24|29,24|30,24|"
    "20,25|28,25|21,26|22,26|26,26|27,26|23,27|25,27|24,28";

// The outline of the big heart in drawing order: from the notch over the
// right lobe down to the tip, up the left side and back to the notch.
inline constexpr std::string_view kBigHeartPath =
    "24,6|25,5|26,4|27,3|28,2|29,2|30,1|31,1|32,0|33,0|34,0|35,0|36,0|37,0|38,0|39,1|40,1|41,2|42,3|43,4|44,5|"
    "44,6|45,7|45,8|46,9|46,10|46,11|46,12|46,13|46,14|45,15|45,16|45,17|44,18|44,19|43,20|42,21|41,22|40,23|39,24|"
    "38,25|37,26|36,27|35,28|34,29|32,30|33,30|30,31|31,31|29,32|27,33|28,33|25,34|26,34|24,35|23,34|22,34|21,33|"
    "20,33|19,32|18,31|17,31|16,30|15,30|14,29|13,28|12,27|11,26|10,25|9,24|8,23|7,22|6,21|5,20|4,19|4,18|3,17|"
    "3,16|3,15|2,14|2,13|2,12|2,11|2,10|2,9|3,8|3,7|4,6|4,5|5,4|6,3|7,2|8,1|9,1|10,0|11,0|12,0|13,0|14,0|15,0|"
    "16,0|17,1|18,1|19,2|20,2|21,3|22,4|23,5";

// Grid points of a path, each x shifted left by 2.
std::vector<Point> parse_path(std::string_view path);

class HeartLayout {
public:
    // Parses both paths and scales the grid to a screen of w × h pixels.
    HeartLayout(int screen_width, int screen_height);

    int scale_x() const { return scale_x_; }
    int scale_y() const { return scale_y_; }
    const std::vector<Point>& big() const { return big_; }
    const std::vector<Point>& small() const { return small_; }

    // Pixel positions of big-heart point i (1 to 108) and small-heart point
    // k (1 to 66): the top-left corner of the rose drawn there.
    Point big_point(int i) const;
    Point small_point(int k) const;

private:
    std::vector<Point> small_;
    std::vector<Point> big_;
    int scale_x_ = 0;
    int scale_y_ = 0;
};

}  // namespace presenter
