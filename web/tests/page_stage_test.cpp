#include "web/page_stage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "web/op_log.h"

namespace web {
namespace {

// A page of 400 × 300 whose lines are 30 px high, "W" 20 px: what the stage
// asks of it is recorded.
class FakePage : public Page {
public:
    int width() override { return 400; }
    int height() override { return 300; }
    int line_height(std::string_view line) override { return line == "W" ? 20 : 30; }
    void draw_text(std::string_view line, int x, int y) override {
        calls.push_back("text " + std::string(line) + " " + std::to_string(x) + " " + std::to_string(y));
    }
    void scroll_up(int d) override { calls.push_back("scroll " + std::to_string(d)); }
    void clear(int left, int top, int right, int bottom) override {
        calls.push_back("clear " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(right) +
                        " " + std::to_string(bottom));
    }
    void draw_rose(int, int) override {}
    std::string slot_text(int slot) override {
        calls.push_back("slot " + std::to_string(slot));
        return "text";
    }
    void wait(int milliseconds) override { calls.push_back("wait " + std::to_string(milliseconds)); }

    std::vector<std::string> calls;
};

TEST(PageStage, WritesLinesOneUnderAnotherTwoPixelsApart) {
    FakePage page;
    PageStage stage(page);
    stage.set_write_position(10, 20);
    stage.write_lines("a\r\nb\r\n");  // two lines and the empty rest
    stage.write_lines("");
    stage.write_lines("c\r\rd\n\ne");  // CR CR is two breaks, LF LF one
    EXPECT_EQ(page.calls, (std::vector<std::string>{"text a 10 20", "text b 10 52", "text c 10 128", "text d 10 182",
                                                    "text e 10 214"}));
    EXPECT_EQ(stage.write_y(), 246);
}

TEST(PageStage, ScrollsUpWhenALineWouldPassTheBottom) {
    FakePage page;
    PageStage stage(page);
    stage.set_write_position(5, 280);  // a line of 30 would end 10 below the bottom
    stage.write_lines("x\r\n");
    // Scrolled by 12 so that the line ends 2 px above the bottom; the empty
    // rest then scrolls by its own "W" height.
    EXPECT_EQ(page.calls, (std::vector<std::string>{"scroll 12", "text x 5 268", "scroll 22"}));
    EXPECT_EQ(stage.write_y(), 300);
}

TEST(PageStage, ClearsOnlyWhatHasAreaAndMovesTheWritePositionToItsCorner) {
    FakePage page;
    PageStage stage(page);
    stage.clear_area(0, 0, 0, 50);
    EXPECT_TRUE(page.calls.empty());
    EXPECT_EQ(stage.write_x(), 0);
    stage.clear_area(100, 80, -40, -30);  // put in order
    EXPECT_EQ(page.calls, (std::vector<std::string>{"clear 60 50 100 80"}));
    EXPECT_EQ(stage.write_x(), 60);
    EXPECT_EQ(stage.write_y(), 50);
}

TEST(PageStage, ReadsOnlyTheThirteenSlotsAndWaitsNoLessThanNothing) {
    FakePage page;
    PageStage stage(page);
    EXPECT_EQ(stage.read_slot(12), "text");
    EXPECT_EQ(stage.read_slot(13), "");
    EXPECT_EQ(stage.read_slot(-1), "");
    stage.wait(-5);
    EXPECT_EQ(page.calls, (std::vector<std::string>{"slot 12", "wait 0"}));
}

TEST(OpLog, QuotesControlCharactersAndKeepsOtherBytes) {
    EXPECT_EQ(quoted("a\"b\\c\r\n\x7f"), "\"a\\\"b\\\\c\\x0D\\x0A\\x7F\"");
    EXPECT_EQ(quoted("\xE2\x99\xA5 \xF0\x9F\x98\x80"), "\"\xE2\x99\xA5 \xF0\x9F\x98\x80\"");
}

TEST(OpLog, TheSteppingClockWrapsAsTheSystemClockDoes) {
    const auto clock = stepping_clock(0xFFFFFFF0u, 0x20);
    EXPECT_EQ(clock(), 0xFFFFFFF0u);
    EXPECT_EQ(clock(), 0x10u);
}

TEST(OpLog, TheShowOnThePageStageLogsEveryCallOnce) {
    FakePage page;
    PageStage stage(page);
    std::vector<std::string> log;
    run_logged_show(stage, 400, 300, stepping_clock(1000, 7), [&](const std::string& line) { log.push_back(line); });
    EXPECT_EQ(log.front(), "fine_timer 1");
    EXPECT_EQ(log.back(), "fine_timer 0");
    int reads = 0, waits = 0;
    for (const auto& line : log) {
        reads += line.rfind("read_slot ", 0) == 0;
        waits += line.rfind("wait ", 0) == 0;
    }
    EXPECT_EQ(reads, 13);
    int page_waits = 0;
    for (const auto& call : page.calls) page_waits += call.rfind("wait ", 0) == 0;
    EXPECT_EQ(waits, page_waits) << "every wait reaches the page";
}

}  // namespace
}  // namespace web
