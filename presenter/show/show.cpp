#include "show.h"

#include <cmath>

namespace presenter {
namespace {

constexpr int kBigPoints = 108;
constexpr int kSmallPoints = 66;
// The rose's offset from a scatter point, so that it sits around it.
constexpr int kScatterOffsetX = 49;
constexpr int kScatterOffsetY = 43;

// The big heart's first x after its shift and the y of its points 1 and 25,
// in grid units (kBigHeartPath: "24,6" less the shift of 2, and "46,9"): the
// text blocks start from there.
constexpr double kXB = 22;
constexpr double kYB1 = 6;
constexpr double kYB25 = 9;

int truncated(double value) { return static_cast<int>(std::trunc(value)); }

void write_slot(Stage& stage, int slot) { stage.write_lines(stage.read_slot(slot)); }

void draw_outline(Stage& stage, const HeartLayout& layout, int pause) {
    for (int i = 1; i <= kBigPoints; ++i) {
        const Point p = layout.big_point(i);
        stage.draw_rose(p.x, p.y);
        stage.wait(pause);
    }
}

}  // namespace

void run_show(Stage& stage, const HeartLayout& layout, ShowRandom& random) {
    const double sx = layout.scale_x(), sy = layout.scale_y();
    stage.fine_timer(true);
    stage.load_rose();

    stage.phase(1);
    draw_outline(stage, layout, 90);
    stage.set_write_position(truncated(kXB * sx - 200), truncated(kYB25 * sy));
    write_slot(stage, 0);
    stage.wait(2000);
    write_slot(stage, 1);
    stage.wait(2000);
    write_slot(stage, 2);
    stage.wait(3000);

    stage.phase(2);
    for (int n = 0; n < 199; ++n) {
        const Point p = layout.small_point(random.draw(1, kSmallPoints));
        stage.draw_rose(p.x, p.y);
        stage.wait(50);
    }
    stage.wait(2000);
    write_slot(stage, 3);  // below the lines of slot 02: the position runs on
    stage.wait(2000);
    write_slot(stage, 4);
    stage.wait(3500);

    stage.phase(3);
    for (int n = 0; n < 999; ++n) {
        const int rx = random.draw(0, stage.screen_width());
        const int ry = random.draw(0, stage.screen_height());
        stage.draw_rose(rx - kScatterOffsetX, ry - kScatterOffsetY);
        stage.wait(10);
    }
    stage.set_write_position(truncated(kXB * sx - 400), truncated(kYB1 * sy));
    write_slot(stage, 5);
    stage.write_lines("  ");
    stage.write_lines("  ");
    write_slot(stage, 6);
    stage.wait(5000);

    // The wipe grows from the top-left corner over the whole canvas in the
    // screen's proportions, as fast as erasing goes.
    stage.phase(4);
    const int columns = stage.screen_width();
    for (int i = 1; i <= columns; ++i) {
        const double height = static_cast<double>(stage.screen_height()) * i / stage.screen_width();
        stage.clear_area(0, 0, i, truncated(height));
    }

    stage.set_write_position(truncated(kXB * sx - 300), truncated(kYB25 * sy));
    for (int slot = 7; slot <= 11; ++slot) write_slot(stage, slot);
    stage.wait(2000);

    stage.phase(5);
    draw_outline(stage, layout, 15);
    stage.wait(3000);
    write_slot(stage, 12);
    stage.stop_timer();
    stage.wait(5000);
    stage.phase(6);
    stage.fine_timer(false);
}

}  // namespace presenter
