#pragma once
// The one-minute show: roses along and inside the hearts, scattered roses, a
// wipe and the thirteen messages, written against a stage so that it runs on
// the real canvas or on a recording stand-in.

#include <string>

#include "heart_layout.h"
#include "show_random.h"

namespace presenter {

class Stage {
public:
    virtual ~Stage() = default;

    // The primary screen's size, read anew at each use.
    virtual int screen_width() = 0;
    virtual int screen_height() = 0;

    virtual void load_rose() = 0;
    // The rose at its natural size, its top-left corner at (x, y).
    virtual void draw_rose(int x, int y) = 0;
    virtual void set_write_position(int x, int y) = 0;
    virtual void write_lines(const std::string& text) = 0;
    virtual void clear_area(int left, int top, int width, int height) = 0;
    // The slot's text in the stage's own encoding (GB18030 on the desktop,
    // UTF-8 on the page), read at this moment; the show only passes it on.
    virtual std::string read_slot(int slot) = 0;
    virtual void stop_timer() = 0;
    // A plain wait: nothing else runs meanwhile.
    virtual void wait(int milliseconds) = 0;
    // The waits last what they say only with the system timer at its finest:
    // at Windows' default tick of 15.625 ms a wait of 10 ms lasts a whole
    // tick and the show a good 8 s longer. The show asks for the fine timer
    // before anything else and gives it back after its last wait.
    virtual void fine_timer(bool /*on*/) {}
    // Marks where each drawing phase begins: 1 the outline, 2 the inner
    // heart, 3 the scatter, 4 the wipe, 5 the outline again, 6 the end.
    virtual void phase(int /*number*/) {}
};

void run_show(Stage& stage, const HeartLayout& layout, ShowRandom& random);

}  // namespace presenter
