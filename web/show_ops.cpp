// The desktop's show as a log of its stage calls, for comparison with the
// page's: the show's own code on a stage that only answers the screen's
// size and the slots' texts.
//   show_ops WIDTH HEIGHT CLOCK_START CLOCK_STEP TEXTS_FILE
// TEXTS_FILE holds the thirteen texts, each ended by a NUL byte.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "op_log.h"

namespace {

class AnsweringStage : public presenter::Stage {
public:
    AnsweringStage(int w, int h, std::vector<std::string> texts) : w_(w), h_(h), texts_(std::move(texts)) {}
    int screen_width() override { return w_; }
    int screen_height() override { return h_; }
    void load_rose() override {}
    void draw_rose(int, int) override {}
    void set_write_position(int, int) override {}
    void write_lines(const std::string&) override {}
    void clear_area(int, int, int, int) override {}
    std::string read_slot(int slot) override {
        return slot >= 0 && static_cast<std::size_t>(slot) < texts_.size() ? texts_[static_cast<std::size_t>(slot)]
                                                                           : std::string();
    }
    void stop_timer() override {}
    void wait(int) override {}

private:
    int w_, h_;
    std::vector<std::string> texts_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: show_ops WIDTH HEIGHT CLOCK_START CLOCK_STEP TEXTS_FILE\n";
        return 2;
    }
    std::ifstream in(argv[5], std::ios::binary);
    if (!in) {
        std::cerr << "show_ops: cannot read " << argv[5] << "\n";
        return 1;
    }
    const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> texts;
    for (std::size_t start = 0, end; (end = all.find('\0', start)) != std::string::npos; start = end + 1)
        texts.push_back(all.substr(start, end - start));

    const int w = std::atoi(argv[1]), h = std::atoi(argv[2]);
    AnsweringStage stage(w, h, texts);
    const auto clock = web::stepping_clock(static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)),
                                           static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10)));
    web::run_logged_show(stage, w, h, clock, [](const std::string& line) { std::cout << line << '\n'; });
    return 0;
}
