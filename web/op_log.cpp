#include "op_log.h"

#include <cstdio>
#include <memory>

namespace web {
namespace {

std::string line(const char* name, std::initializer_list<int> numbers) {
    std::string s = name;
    for (int n : numbers) s += " " + std::to_string(n);
    return s;
}

}  // namespace

int LoggingStage::screen_width() {
    const int w = inner_.screen_width();
    out_(line("screen_width", {w}));
    return w;
}

int LoggingStage::screen_height() {
    const int h = inner_.screen_height();
    out_(line("screen_height", {h}));
    return h;
}

void LoggingStage::load_rose() {
    out_("load_rose");
    inner_.load_rose();
}

void LoggingStage::draw_rose(int x, int y) {
    out_(line("rose", {x, y}));
    inner_.draw_rose(x, y);
}

void LoggingStage::set_write_position(int x, int y) {
    out_(line("write_position", {x, y}));
    inner_.set_write_position(x, y);
}

void LoggingStage::write_lines(const std::string& text) {
    out_("write_lines " + quoted(text));
    inner_.write_lines(text);
}

void LoggingStage::clear_area(int left, int top, int width, int height) {
    out_(line("clear", {left, top, width, height}));
    inner_.clear_area(left, top, width, height);
}

std::string LoggingStage::read_slot(int slot) {
    std::string text = inner_.read_slot(slot);
    out_(line("read_slot", {slot}) + " " + quoted(text));
    return text;
}

void LoggingStage::stop_timer() {
    out_("stop_timer");
    inner_.stop_timer();
}

void LoggingStage::wait(int milliseconds) {
    out_(line("wait", {milliseconds}));
    inner_.wait(milliseconds);
}

void LoggingStage::fine_timer(bool on) {
    out_(line("fine_timer", {on ? 1 : 0}));
    inner_.fine_timer(on);
}

void LoggingStage::phase(int number) {
    out_(line("phase", {number}));
    inner_.phase(number);
}

std::string quoted(const std::string& text) {
    std::string s = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            s += '\\';
            s += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            s += escape;
        } else {
            s += c;
        }
    }
    return s + "\"";
}

std::function<std::uint32_t()> stepping_clock(std::uint32_t start, std::uint32_t step) {
    auto next = std::make_shared<std::uint32_t>(start);
    return [next, step] {
        const std::uint32_t now = *next;
        *next += step;
        return now;
    };
}

void run_logged_show(presenter::Stage& stage, int w, int h, std::function<std::uint32_t()> clock,
                     std::function<void(const std::string&)> out) {
    const presenter::HeartLayout layout(w, h);
    presenter::ShowRandom random(std::move(clock));
    LoggingStage logged(stage, std::move(out));
    run_show(logged, layout, random);
}

}  // namespace web
