#include "presenter/show/show.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

namespace presenter {
namespace {

// Records what the show does instead of drawing and waiting.
class RecordingStage : public Stage {
public:
    RecordingStage(int w, int h) : w_(w), h_(h) {}

    struct Rose {
        int x, y;
        int writes_before;
    };
    struct Write {
        int slot;  // -1: a text of the show's own
        std::string text;
        int x, y;
        int waited_before;
    };

    int screen_width() override { return w_; }
    int screen_height() override { return h_; }
    void load_rose() override {
        ++loads;
        if (!fine_) ++calls_without_fine_timer;
    }
    void draw_rose(int x, int y) override {
        roses.push_back({x, y, writes_done});
        if (!fine_) ++calls_without_fine_timer;
    }
    void set_write_position(int x, int y) override {
        x_ = x;
        y_ = y;
        positions.push_back({x, y});
    }
    void write_lines(const std::string& text) override {
        writes.push_back({pending_slot_, text, x_, y_, waited});
        pending_slot_ = -1;
        ++y_;  // enough to tell consecutive lines apart
        ++writes_done;
    }
    void clear_area(int left, int top, int width, int height) override { clears.push_back({left, top, width, height}); }
    std::string read_slot(int slot) override {
        pending_slot_ = slot;
        reads.push_back({slot, waited});
        return "slot" + std::to_string(slot);
    }
    void stop_timer() override { stopped_at = waited; }
    void wait(int milliseconds) override {
        waited += milliseconds;
        if (!fine_) ++calls_without_fine_timer;
    }
    void fine_timer(bool on) override {
        fine_timer_calls.push_back({on, waited});
        fine_ = on;
    }
    void phase(int number) override {
        phases.emplace_back(number, static_cast<int>(roses.size()));
        const auto resized = screen_at_phase.find(number);
        if (resized != screen_at_phase.end()) std::tie(w_, h_) = resized->second;
    }

    // The screen takes a new size as a phase begins (the display settings
    // changed during the show).
    std::map<int, std::pair<int, int>> screen_at_phase;

    int loads = 0;
    int writes_done = 0;
    int waited = 0;
    int stopped_at = -1;
    std::vector<Rose> roses;
    std::vector<Write> writes;
    std::vector<std::pair<int, int>> positions;
    std::vector<std::pair<int, int>> reads;  // slot, time of reading
    std::vector<std::vector<int>> clears;
    std::vector<std::pair<int, int>> phases;             // number, roses drawn before it
    std::vector<std::pair<bool, int>> fine_timer_calls;  // on or off, time of the call
    int calls_without_fine_timer = 0;

private:
    int w_, h_;
    int x_ = 0, y_ = 0;
    int pending_slot_ = -1;
    bool fine_ = false;
};

TEST(Show, RunsItsPhasesWithTheirWaitsAndRoses) {
    RecordingStage stage(1920, 1080);
    const HeartLayout layout(1920, 1080);
    std::uint32_t t = 0;
    ShowRandom random([&] { return t += 3; });
    run_show(stage, layout, random);

    EXPECT_EQ(stage.loads, 1);
    EXPECT_EQ(stage.waited, 60780);
    EXPECT_EQ(stage.stopped_at, 60780 - 5000) << "the timer stops before the last wait";
    ASSERT_EQ(stage.roses.size(), 108u + 199u + 999u + 108u);

    // The outline, twice, in path order.
    for (int i = 1; i <= 108; ++i) {
        const Point p = layout.big_point(i);
        EXPECT_EQ(stage.roses[static_cast<std::size_t>(i - 1)].x, p.x);
        EXPECT_EQ(stage.roses[static_cast<std::size_t>(i - 1)].y, p.y);
        EXPECT_EQ(stage.roses[1306 + static_cast<std::size_t>(i - 1)].x, p.x);
        EXPECT_EQ(stage.roses[1306 + static_cast<std::size_t>(i - 1)].y, p.y);
    }
    // The inner heart: only points of the small heart.
    for (std::size_t n = 108; n < 307; ++n) {
        bool on_small = false;
        for (int k = 1; k <= 66; ++k)
            on_small = on_small ||
                       (layout.small_point(k).x == stage.roses[n].x && layout.small_point(k).y == stage.roses[n].y);
        ASSERT_TRUE(on_small) << "rose " << n;
    }
    // The scatter: around points of the screen, W and H included.
    for (std::size_t n = 307; n < 1306; ++n) {
        ASSERT_TRUE(stage.roses[n].x >= -49 && stage.roses[n].x <= 1920 - 49) << n;
        ASSERT_TRUE(stage.roses[n].y >= -43 && stage.roses[n].y <= 1080 - 43) << n;
    }

    EXPECT_EQ(stage.phases,
              (std::vector<std::pair<int, int>>{{1, 0}, {2, 108}, {3, 307}, {4, 1306}, {5, 1306}, {6, 1414}}));

    // The wipe: one step per pixel column, in the screen's proportions.
    ASSERT_EQ(stage.clears.size(), 1920u);
    EXPECT_EQ(stage.clears.front(), (std::vector<int>{0, 0, 1, 0}));
    EXPECT_EQ(stage.clears[959], (std::vector<int>{0, 0, 960, 540}));
    EXPECT_EQ(stage.clears.back(), (std::vector<int>{0, 0, 1920, 1080}));
}

TEST(Show, ReadsEachSlotInOrderAtItsMomentAndWritesItWhereItBelongs) {
    RecordingStage stage(1920, 1080);
    const HeartLayout layout(1920, 1080);
    ShowRandom random([] { return 0u; });
    run_show(stage, layout, random);

    // Slots are read one by one, in order, and at the moment they are written.
    std::vector<int> order;
    for (const auto& [slot, when] : stage.reads) order.push_back(slot);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    const std::map<int, int> read_at{{0, 9720},   {1, 11720},        {2, 13720}, {3, 16720 + 9950 + 2000},
                                     {4, 30670},  {5, 44160},        {6, 44160}, {7, 49160},
                                     {11, 49160}, {12, 60780 - 5000}};
    for (const auto& [slot, when] : read_at)
        EXPECT_EQ(stage.reads[static_cast<std::size_t>(slot)].second, when) << slot;

    EXPECT_EQ(stage.positions, (std::vector<std::pair<int, int>>{{724, 261}, {524, 174}, {624, 261}}));
    ASSERT_EQ(stage.writes.size(), 15u);
    EXPECT_EQ(stage.writes[0].x, 724);
    EXPECT_EQ(stage.writes[0].y, 261);
    EXPECT_EQ(stage.writes[3].y, 264) << "slot 03 goes on below slot 02";
    EXPECT_EQ(stage.writes[5].slot, 5);
    EXPECT_EQ(stage.writes[5].x, 524);
    EXPECT_EQ(stage.writes[6].text, "  ");
    EXPECT_EQ(stage.writes[7].text, "  ");
    EXPECT_EQ(stage.writes[8].slot, 6);
    EXPECT_EQ(stage.writes[9].slot, 7);
    EXPECT_EQ(stage.writes[9].x, 624);
    EXPECT_EQ(stage.writes[14].slot, 12);
    EXPECT_EQ(stage.writes[14].y, stage.writes[13].y + 1) << "slot 12 follows the lines of slot 11";
}

TEST(Show, HoldsTheFineTimerFromBeforeItsFirstStepToAfterItsLastWait) {
    RecordingStage stage(1024, 768);
    const HeartLayout layout(1024, 768);
    ShowRandom random([] { return 0u; });
    run_show(stage, layout, random);
    EXPECT_EQ(stage.fine_timer_calls, (std::vector<std::pair<bool, int>>{{true, 0}, {false, 60780}}));
    EXPECT_EQ(stage.calls_without_fine_timer, 0) << "a rose or a wait outside the fine timer";
}

TEST(Show, ReadsTheScreenSizeAnewAtEachUse) {
    RecordingStage stage(1920, 1080);
    stage.screen_at_phase = {{3, {800, 600}}, {4, {1366, 768}}};
    const HeartLayout layout(1920, 1080);
    ShowRandom random([] { return 0u; });
    run_show(stage, layout, random);
    ASSERT_EQ(stage.roses.size(), 108u + 199u + 999u + 108u);
    for (std::size_t n = 307; n < 1306; ++n) {
        ASSERT_LE(stage.roses[n].x, 800 - 49) << "rose " << n << " of the scatter";
        ASSERT_LE(stage.roses[n].y, 600 - 43) << "rose " << n << " of the scatter";
    }
    ASSERT_EQ(stage.clears.size(), 1366u) << "the wipe's columns";
    EXPECT_EQ(stage.clears[682], (std::vector<int>{0, 0, 683, 384}));
    EXPECT_EQ(stage.clears.back(), (std::vector<int>{0, 0, 1366, 768}));
}

TEST(Show, WritePositionsOnASmallScreenMayStartLeftOfIt) {
    RecordingStage stage(800, 600);
    const HeartLayout layout(800, 600);
    ShowRandom random([] { return 0u; });
    run_show(stage, layout, random);
    EXPECT_EQ(stage.positions, (std::vector<std::pair<int, int>>{{152, 135}, {-48, 90}, {52, 135}}));
    EXPECT_EQ(stage.clears.size(), 800u);
}

}  // namespace
}  // namespace presenter
