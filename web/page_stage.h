#pragma once
// The show's stage on the page: the desktop canvas's writing rules (lines one
// under another 2 px apart, the scroll when a line would pass the bottom, the
// clear that moves the write position) over whatever draws for the page.

#include <string>
#include <string_view>

#include "presenter/show/show.h"

namespace web {

// What the page does for its stage, in logical pixels of the show's screen.
class Page {
public:
    virtual ~Page() = default;
    virtual int width() = 0;
    virtual int height() = 0;
    // The height of a line as the page's font sets it.
    virtual int line_height(std::string_view line) = 0;
    virtual void draw_text(std::string_view line, int x, int y) = 0;
    // Moves everything up by d pixels; the strip uncovered below becomes
    // see-through, as the stage's white does on the desktop.
    virtual void scroll_up(int d) = 0;
    virtual void clear(int left, int top, int right, int bottom) = 0;
    virtual void draw_rose(int x, int y) = 0;
    // The slot's text (UTF-8) as the page holds it at this moment.
    virtual std::string slot_text(int slot) = 0;
    virtual void wait(int milliseconds) = 0;
    virtual void phase(int /*number*/) {}
};

class PageStage : public presenter::Stage {
public:
    explicit PageStage(Page& page) : page_(page) {}

    int screen_width() override { return page_.width(); }
    int screen_height() override { return page_.height(); }
    void load_rose() override {}
    void draw_rose(int x, int y) override { page_.draw_rose(x, y); }
    void set_write_position(int x, int y) override;
    void write_lines(const std::string& text) override;
    void clear_area(int left, int top, int width, int height) override;
    std::string read_slot(int slot) override;
    // The music goes on after the show, as the stage window's does.
    void stop_timer() override {}
    void wait(int milliseconds) override { page_.wait(milliseconds < 0 ? 0 : milliseconds); }
    void phase(int number) override { page_.phase(number); }

    int write_x() const { return x_; }
    int write_y() const { return y_; }

private:
    Page& page_;
    int x_ = 0;
    int y_ = 0;
};

}  // namespace web
