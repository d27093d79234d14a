#pragma once
// The show's calls on its stage as lines of text, one call a line, so that
// the page's show and the desktop's can be compared line by line.

#include <cstdint>
#include <functional>
#include <string>

#include "presenter/show/show.h"

namespace web {

// Passes every call on to `inner` and writes it to `out`, with what a read
// gave back.
class LoggingStage : public presenter::Stage {
public:
    LoggingStage(presenter::Stage& inner, std::function<void(const std::string&)> out)
        : inner_(inner), out_(std::move(out)) {}

    int screen_width() override;
    int screen_height() override;
    void load_rose() override;
    void draw_rose(int x, int y) override;
    void set_write_position(int x, int y) override;
    void write_lines(const std::string& text) override;
    void clear_area(int left, int top, int width, int height) override;
    std::string read_slot(int slot) override;
    void stop_timer() override;
    void wait(int milliseconds) override;
    void fine_timer(bool on) override;
    void phase(int number) override;

private:
    presenter::Stage& inner_;
    std::function<void(const std::string&)> out_;
};

// A text in double quotes, control characters, quotes and backslashes as
// escapes, every other byte as it is.
std::string quoted(const std::string& text);

// A clock for tests: `start`, then `step` more at every reading.
std::function<std::uint32_t()> stepping_clock(std::uint32_t start, std::uint32_t step);

// The show on a screen of w × h pixels with the given clock, its calls
// written to `out`.
void run_logged_show(presenter::Stage& stage, int w, int h, std::function<std::uint32_t()> clock,
                     std::function<void(const std::string&)> out);

}  // namespace web
