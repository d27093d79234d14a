#pragma once
// The show's stage on the real canvas 画板1 of the stage window.

#include <memory>

#include "formhost/win32/media/picture.h"
#include "show/show.h"

namespace presenter {

class CanvasStage : public Stage {
public:
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

private:
    std::unique_ptr<formhost::win32::Picture> rose_;
    bool fine_timer_ = false;
};

}  // namespace presenter
