// The presenter's show on the presenter's own windows and stage set-up, as
// the presenter runs it: first with its waits, timed from the first rose to
// slot 12 and to the end against the waits' own length, with the hand-overs
// of the drawing to the screen; then once more with the waits left out, for
// the drawing alone, phase by phase. Runs on whatever screen the bench
// session has.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "formhost/win32/drawing/screen_hand_over.h"
#include "formhost/win32/program/program.h"
#include "formhost/win32/routines/host_api.h"
#include "formhost/win32/system/precise_clock.h"
#include "ids.h"
#include "show/show.h"
#include "show_bench_routines.h"
#include "stage.h"
#include "stage_setup.h"

namespace presenter {
namespace {

using formhost::win32::precise_ms;

// What the waits of the show add up to, to slot 12 and to the end.
constexpr double kWaitsToSlot12 = 55780, kWaitsToEnd = 60780;

double process_age_ms() {
    FILETIME created, exited, kernel, user, current;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&current);
    const auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(current) - ticks(created)) / 10000.0;
}

// Times a call on the stage as drawing.
class Timed {
public:
    explicit Timed(double& total) : total_(total), start_(precise_ms()) {}
    ~Timed() { total_ += precise_ms() - start_; }
    Timed(const Timed&) = delete;
    Timed& operator=(const Timed&) = delete;

private:
    double& total_;
    double start_;
};

// The real canvas stage, timing what it does; its waits kept or left out.
class TimedStage : public CanvasStage {
public:
    explicit TimedStage(bool keep_waits) : keep_waits_(keep_waits) {}

    int screen_width() override {
        return read_screen([&] { return CanvasStage::screen_width(); });
    }
    int screen_height() override {
        return read_screen([&] { return CanvasStage::screen_height(); });
    }
    void draw_rose(int x, int y) override {
        if (first_rose == 0) first_rose = precise_ms();
        Timed timed(drawing);
        CanvasStage::draw_rose(x, y);
    }
    void set_write_position(int x, int y) override {
        Timed timed(drawing);
        CanvasStage::set_write_position(x, y);
    }
    void write_lines(const std::string& text) override {
        {
            Timed timed(drawing);
            CanvasStage::write_lines(text);
        }
        if (reading_slot_12_) slot_12_written = precise_ms();
        reading_slot_12_ = false;
    }
    void clear_area(int left, int top, int width, int height) override {
        Timed timed(drawing);
        CanvasStage::clear_area(left, top, width, height);
    }
    std::string read_slot(int slot) override {
        reading_slot_12_ = slot == 12;
        Timed timed(drawing);
        return CanvasStage::read_slot(slot);
    }
    void wait(int milliseconds) override {
        note_the_key();
        Timed timed(waiting);
        if (keep_waits_) CanvasStage::wait(milliseconds);
    }
    void phase(int number) override {
        const double t = precise_ms();
        const formhost::win32::HandOverFigures handed = formhost::win32::hand_over_figures();
        if (number > 1) {
            phase_ms[number - 2] = t - phase_started_;
            phase_drawing_ms[number - 2] = drawing - drawing_at_phase_start_;
            phase_hand_overs[number - 2] = handed.hand_overs - handed_at_phase_start_.hand_overs;
            phase_hand_over_ms[number - 2] = handed.hand_over_ms - handed_at_phase_start_.hand_over_ms;
        }
        phase_started_ = t;
        drawing_at_phase_start_ = drawing;
        handed_at_phase_start_ = handed;
        if (number == 6) ended = t;
        current_phase_ = number;
    }

    // When the stage gave up its colour key (under Wine, once its shape
    // would outgrow one X request): 0 while it has it.
    double key_given_up = 0;
    int key_given_up_in_phase = 0;

    double first_rose = 0, slot_12_written = 0, ended = 0;
    double drawing = 0, waiting = 0;
    double phase_ms[5] = {}, phase_drawing_ms[5] = {}, phase_hand_over_ms[5] = {};
    int phase_hand_overs[5] = {};
    int screen_reads = 0;
    double screen_reads_ms = 0;

private:
    void note_the_key() {
        if (key_given_up != 0) return;
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        HWND stage = formhost::window_handle({kStageWindow, kStageWindowControl});
        if (!stage || !GetLayeredWindowAttributes(stage, &key, &alpha, &flags) || (flags & LWA_COLORKEY)) return;
        key_given_up = precise_ms();
        key_given_up_in_phase = current_phase_;
    }

    template <class Read> int read_screen(Read read) {
        const double t = precise_ms();
        const int value = read();
        screen_reads_ms += precise_ms() - t;
        ++screen_reads;
        return value;
    }

    bool keep_waits_;
    bool reading_slot_12_ = false;
    int current_phase_ = 0;
    double phase_started_ = 0, drawing_at_phase_start_ = 0;
    formhost::win32::HandOverFigures handed_at_phase_start_;
};

constexpr const char* kPhaseNames[] = {"outline + slots 00-02", "inner heart + slots 03-04", "scatter + slots 05-06",
                                       "wipe + slots 07-11", "outline again + slot 12"};

ShowRandom random([] { return static_cast<std::uint32_t>(GetTickCount()); });

void print(const char* format, auto... values) {
    std::printf(format, values...);
    std::fflush(stdout);
}

void the_show_with_its_waits() {
    const formhost::win32::HandOverFigures before = formhost::win32::hand_over_figures();
    TimedStage stage(true);
    run_show(stage, stage_heart_layout(), random);
    const formhost::win32::HandOverFigures after = formhost::win32::hand_over_figures();
    const double to_slot_12 = stage.slot_12_written - stage.first_rose, to_end = stage.ended - stage.first_rose;
    print("the show with its waits, as the presenter runs it:\n");
    print("  first rose to slot 12      %8.0f ms (its waits %.0f ms: %+.0f ms)\n", to_slot_12, kWaitsToSlot12,
          to_slot_12 - kWaitsToSlot12);
    print("  first rose to the end      %8.0f ms (its waits %.0f ms: %+.0f ms)\n", to_end, kWaitsToEnd,
          to_end - kWaitsToEnd);
    print("  drawing in the same run    %8.0f ms; in the waits %.0f ms\n", stage.drawing, stage.waiting);
    for (int i = 0; i < 5; ++i)
        print("    %-26s %8.1f ms drawing in %.0f ms; %d hand-overs taking %.0f ms\n", kPhaseNames[i],
              stage.phase_drawing_ms[i], stage.phase_ms[i], stage.phase_hand_overs[i], stage.phase_hand_over_ms[i]);
    print("  hand-overs to the screen   %8d, taking %.0f ms in all, the longest %.1f ms\n",
          after.hand_overs - before.hand_overs, after.hand_over_ms - before.hand_over_ms, after.longest_hand_over_ms);
    print("  drawing on the screen later than 50 ms: after %d of them; the longest wait %.1f ms\n",
          after.late - before.late, after.longest_wait_ms);
    if (stage.key_given_up == 0) {
        print("  the stage's colour key: kept to the end\n");
    } else {
        print("  the stage's colour key: given up %.0f ms after the first rose, during \"%s\"\n",
              stage.key_given_up - stage.first_rose, kPhaseNames[std::clamp(stage.key_given_up_in_phase, 1, 5) - 1]);
    }
}

void the_drawing_alone() {
    TimedStage stage(false);
    const double begin = precise_ms();
    run_show(stage, stage_heart_layout(), random);
    const double total = precise_ms() - begin;
    print("the show's drawing alone, waits left out:\n");
    for (int i = 0; i < 5; ++i) print("  %-26s %8.1f ms\n", kPhaseNames[i], stage.phase_ms[i]);
    print("  %-26s %8.1f ms, of which %.1f ms in %d reads of the screen size\n", "drawing in all", total,
          stage.screen_reads_ms, stage.screen_reads);
}

}  // namespace

void on_start_window_created() {
    formhost::load_window({kStageWindow, kStageWindowControl}, formhost::WindowRef{kStartWindow, kStartWindowControl});
}

void on_stage_window_created() { set_up_stage(); }

void on_stage_timer_tick() {
    print("screen %d x %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    print("process start to the first tick (stage shown): %.0f ms\n", process_age_ms());
    the_show_with_its_waits();
    the_drawing_alone();
    formhost::end_program(0);
}

void on_start_window_destroyed() {}

}  // namespace presenter

int main() {
    DisableProcessWindowsGhosting();
    return formhost::win32::run_program({.routines = presenter::kRoutines});
}
