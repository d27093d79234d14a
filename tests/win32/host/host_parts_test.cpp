// Window and control behaviour on paths the two programs do not take yet,
// each checked through what the probe's routines logged.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "bench_env.h"
#include "child_probe.h"
#include "log_sequence.h"

namespace {

// The run ended normally and logged `lines` between the start window's
// creation and its end, and nothing else but the lines `left_out` (events
// whose number and order are the window manager's).
void expect_log(const ProbeRun& run, std::vector<Expected> lines, const Log& left_out = {}) {
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_EQ(run.exit_code, 0u) << show(run.log);
    lines.insert(lines.begin(), {"init", "start created visible=0"});
    lines.insert(lines.end(), {"start destroyed", "exit"});
    Log kept;
    std::copy_if(run.log.begin(), run.log.end(), std::back_inserter(kept), [&](const std::string& line) {
        return std::find(left_out.begin(), left_out.end(), line) == left_out.end();
    });
    EXPECT_TRUE(sequence_matches(kept, lines));
}

TEST(HostWindowIcon, TheWindowsIconIsItsLargeAndSmallIconNoneGivesTheProgramsBack) {
    // 1 = an icon of the system's size for that role, 0 = none of its own.
    expect_log(run_probe(L"icon"), {"from the form big=1 small=1", "none big=0 small=0", "written big=1 small=1",
                                    "unreadable big=0 small=0"});
}

TEST(HostWindowHelp, F1OpensTheHelpFileAtItsIdOnlyWhenOnAndTheFileExists) {
    const ProbeRun run = run_probe(L"help");
    ASSERT_TRUE(run.finished) << show(run.log);
    // HELP_CONTENTS (3) for id 0, then HELP_CONTEXT (1) with the id; nothing
    // once the file is gone, nor with the property off.
    EXPECT_EQ(run.log, (Log{"init", "start created visible=0", "start moved", "start resized",
                            "help probe_help.hlp command=3 data=0", "help probe_help.hlp command=1 data=7", "file gone",
                            "help off", "done", "start destroyed", "exit"}));
}

TEST(HostWindowTaskBar, AWriteWhileLoadedGivesOrTakesTheHiddenOwner) {
    expect_log(run_probe(L"task_bar"),
               {"second created", "task bar first=0 off=FormHostMessageWindow on=0 visible=1 owned keeps=1",
                "second destroyed"});
}

TEST(HostWindowStartPosition, MinimisedAndMaximisedAtCreationSoTheBuildsEventsSeeIt) {
    // Each window's created, moved and resized events saw its state; the
    // restore's own move and resize come as the window manager has them.
    expect_log(run_probe(L"placed"),
               {"created iconic=1 zoomed=0", "moved iconic=1 zoomed=0", "resized iconic=1 zoomed=0",
                "minimised shown iconic=1 zoomed=0", "minimised visible=1", "created iconic=0 zoomed=1",
                "moved iconic=0 zoomed=1", "resized iconic=0 zoomed=1", "maximised shown iconic=0 zoomed=1",
                "restored 130 140 210 130"},
               {"moved iconic=0 zoomed=0", "resized iconic=0 zoomed=0"});
}

TEST(HostWindowStartPosition, TheStartWindowsFirstExplicitShowGoesByItsStartPositionOnce) {
    const std::string screen = std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
                               std::to_string(GetSystemMetrics(SM_CYSCREEN));
    const std::string first = "first show 0 0 " + screen;
    // Showing and hiding move and resize the window as the window manager goes.
    expect_log(run_probe(L"start_reshow"), {first, "second show 10 10 250 170"}, {"start moved", "start resized"});
}

TEST(HostFocus, ACanvasWithTheTabStopFlagTakesTheFocus) {
    // The canvas's tab order 2 is below the button's 5.
    expect_log(run_probe(L"focus"), {"focus canvas=1 button=0"});
}

TEST(HostTimers, ATimersPlaceReadsAsItsLiveValues) {
    expect_log(run_probe(L"timer_place"), {"timer 200 5 32 32", "timer moved 7 5"});
}

TEST(HostLabel, ACentredCaptionMovesWithTheLabelsSize) {
    expect_log(run_probe(L"label_resize"), {"label moved=50 left behind=0"});
}

TEST(HostCanvas, TheStripScrolledInTakesTheBackgroundColourNotThePicture) {
    expect_log(run_probe(L"canvas_strip"), {"strip bottom=ffffff top=0000ff"});
}

TEST(HostCursor, AControlShowsTheSystemCursorItsFormNamesAndOtherwiseTheSystemChooses) {
    expect_log(run_probe(L"control_cursor"), {"cursor button=hand window=other"});
}

TEST(HostEnd, AnotherThreadEndsTheProgramThroughTheGuiThreadsShutdown) {
    const ProbeRun run = run_probe(L"end_from_thread");
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_EQ(run.exit_code, 9u);
    // The exit routine ran, on the GUI thread.
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "start moved", "start resized",
                                           "thread ends 9", "exit"}));
}

TEST(HostEnd, AnotherThreadsEndWaitsForAnExitRoutineThatHasBegun) {
    const ProbeRun run = run_probe(L"end_slow_exit");
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_EQ(run.exit_code, 9u);
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "start moved", "start resized",
                                           "thread ends 9", "exit", "exit finished"}));
}

TEST(HostEnd, AnotherThreadEndsTheProgramWhileARoutineHoldsTheGuiThread) {
    const DWORD started = GetTickCount();
    const ProbeRun run = run_probe(L"end_while_held");
    const DWORD took = GetTickCount() - started;
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_EQ(run.exit_code, 7u);
    // The routine sleeps 20 s; the process ends about 5 s after the request
    // (slower machines, such as the emulated PC, stretch the start-up).
    EXPECT_LT(took, bench::scaled_ms(12000));
    EXPECT_TRUE(has(run.log, "held")) << show(run.log);
    EXPECT_FALSE(has(run.log, "not reached")) << show(run.log);
    EXPECT_FALSE(has(run.log, "exit")) << show(run.log);
}

}  // namespace
