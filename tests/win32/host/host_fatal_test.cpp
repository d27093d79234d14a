// Fatal errors raised on a thread of the host's own beside the GUI thread
// (a stand-in for a GIF player, joined at the end as a player is): one box,
// then the end with -1 within seconds of its answer, never the exit routine,
// and no event while the box is up, whichever thread raised first.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "bench_env.h"
#include "child_probe.h"
#include "driver/program_run.h"
#include "formhost/win32/system/text_encoding.h"
#include "log_sequence.h"
#include "support/waiting.h"

namespace {

constexpr DWORD kFatalExitCode = 0xFFFFFFFF;

// The box showed `text` once (a second box would never be answered and the
// run would not finish), and the process ended with -1 soon after the box
// was answered, without its exit routine.
void expect_one_box_then_the_end(const ProbeRun& run, const std::string& text) {
    ASSERT_TRUE(run.finished) << "still running 30 s after its start: " << show(run.log);
    EXPECT_EQ(run.exit_code, kFatalExitCode) << show(run.log);
    EXPECT_EQ(run.box_text, formhost::win32::widen("运行时出错!\r\n\r\n错误信息：" + text + "\r\n"))
        << formhost::win32::narrow(run.box_text);
    EXPECT_LT(run.ended_ms - run.box_answered_ms, bench::scaled_ms(3000))
        << "ended " << run.ended_ms - run.box_answered_ms << " ms after the box was answered";
    EXPECT_FALSE(has(run.log, "exit")) << show(run.log);
}

TEST(HostThreadFatalErrors, APlayersErrorEndsTheProgramWhileTheGuiThreadIdles) {
    const ProbeRun run = run_probe(L"player_fatal");
    expect_one_box_then_the_end(run, "player failure");
    EXPECT_TRUE(has(run.log, "player joined")) << "the GUI thread's end did not come: " << show(run.log);
}

TEST(HostThreadFatalErrors, WhenBothThreadsRaiseOneTheFirstBoxEndsTheProgram) {
    expect_one_box_then_the_end(run_probe(L"player_then_gui_fatal"), "player failure");
    expect_one_box_then_the_end(run_probe(L"gui_then_player_fatal"), "gui failure");
}

// The GUI thread loads and closes a window every 20 ms when the player
// raises its error: not one more event reaches a routine once the box is up.
TEST(HostThreadFatalErrors, NoEventRunsWhileAPlayersBoxIsUp) {
    const ProbeRun run = run_probe(L"player_fatal_while_building");
    expect_one_box_then_the_end(run, "player failure");
    ASSERT_TRUE(has(run.log, "second created")) << show(run.log);
    // A tick that was under way when the box came up may still log its own
    // line; what must not come is another event.
    Log after_box(run.log.begin() + static_cast<std::ptrdiff_t>(std::min(run.log_lines_at_box, run.log.size())),
                  run.log.end());
    std::erase_if(after_box,
                  [](const std::string& line) { return line == "player joined" || line.starts_with("built "); });
    EXPECT_TRUE(after_box.empty()) << "after the box: " << show(after_box);
}

// Closing the last window while a player's box is up ends the message loop:
// still not with 0, and not with the exit routine.
TEST(HostThreadFatalErrors, ClosingTheLastWindowUnderAPlayersBoxStillEndsWithMinusOne) {
    bool closed = false;
    const ProbeRun run = run_probe(L"player_fatal", L"", {}, [&](DWORD process) {
        HWND start = find_visible_window(process, L"FormHostWindow");
        closed = start && PostMessageW(start, WM_CLOSE, 0, 0);
        test_support::pump_messages_for(1000);
    });
    EXPECT_TRUE(closed);
    expect_one_box_then_the_end(run, "player failure");
}

// A start window the system refuses to make: the box names the call that
// failed, and its code is the error the system left.
TEST(HostFatalErrors, AStartWindowTheSystemRefusesNamesTheCallAndItsError) {
    const ProbeRun run = run_probe(L"start_window_refused");
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_EQ(run.exit_code, kFatalExitCode);
    EXPECT_EQ(run.box_text, formhost::win32::widen("运行时出错!\r\n\r\n错误代码：1816\r\n\r\n"
                                                   "错误信息：载入启动窗口失败：CreateWindowExW\r\n"))
        << formhost::win32::narrow(run.box_text);
}

}  // namespace
