// The form host as a program sees it: each test runs the probe program with
// one scenario and compares what its routines logged.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>

#include "child_probe.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/text_encoding.h"
#include "log_sequence.h"

namespace {

constexpr DWORD kFatalExitCode = 0xFFFFFFFF;

TEST(HostStart, EventsOfTheBuildComeInOrderAndTheWindowShowsAfterTheCreationRoutine) {
    const ProbeRun run = run_probe(L"build");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exit_code, 0u);
    // Nothing while the window and its controls were made (the edit box got
    // its text then), then 0, 3 and 4, before the window was shown.
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "start moved", "start resized",
                                           "tick start visible=1 second loaded=0", "start close query",
                                           "start destroyed", "exit"}));
}

TEST(HostStart, AWindowClosedByItsCreationRoutineIsNeverShownAndEndsTheProgram) {
    const ProbeRun run = run_probe(L"close_in_created");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exit_code, 0u);
    EXPECT_EQ(run.log, (Log{"init", "start created visible=0", "start destroyed", "exit"}));
}

TEST(HostStart, TheProgramFolderBecomesTheCurrentDirectory) {
    const std::wstring folder = test_program_folder();
    const std::filesystem::path store = std::filesystem::path(folder) / formhost::win32::widen("数据库");
    std::filesystem::create_directories(store);
    std::ofstream(store / L"tavimore00.txt", std::ios::binary) << "beside";

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const ProbeRun run = run_probe(L"folder", temp);
    std::filesystem::remove_all(store);
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(has(run.log, "folder " + formhost::win32::narrow(folder))) << show(run.log);
    EXPECT_TRUE(has(run.log, "slot beside")) << show(run.log);
}

// The store is the one beside the program even when the current directory
// is another folder, as it stays when the program's own folder cannot be
// made current (a path too long for that): the probe moves elsewhere
// itself, where another store waits.
TEST(HostStart, TheStoreIsBesideTheProgramWhateverTheCurrentDirectory) {
    const std::filesystem::path beside = std::filesystem::path(test_program_folder()) /
                                         formhost::win32::widen("数据库");
    std::filesystem::create_directories(beside);
    std::ofstream(beside / L"tavimore00.txt", std::ios::binary) << "beside";
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path elsewhere = std::filesystem::path(temp) / formhost::win32::widen("数据库");
    std::filesystem::create_directories(elsewhere);
    std::ofstream(elsewhere / L"tavimore00.txt", std::ios::binary) << "elsewhere";

    const ProbeRun run = run_probe(L"folder_elsewhere");
    std::filesystem::remove_all(beside);
    std::filesystem::remove_all(elsewhere);
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_TRUE(has(run.log, "slot beside")) << show(run.log);
    EXPECT_TRUE(has(run.log, "saved 1")) << show(run.log);
    EXPECT_TRUE(has(run.log, "slot saved beside")) << show(run.log);
}

TEST(HostProperties, PlacesAndSizesAreClamped) {
    const ProbeRun run = run_probe(L"clamps");
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "width 32627", "width 0", "left -32627",
                                           "unloaded height 32627", "start destroyed", "exit"}));
}

TEST(HostProperties, WritesToAnUnloadedWindowLastWritesToALoadedOneDoNot) {
    const ProbeRun run = run_probe(L"template");
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(
        sequence_matches(run.log, {"init", "start created visible=0", "second created", "first load width 300",
                                   "written width 250", "second destroyed", "template width 300", "second created",
                                   "second load width 300", "second destroyed", "start destroyed", "exit"}));
}

TEST(HostProperties, AHiddenWindowShowsAtItsFirstVisibleWrite) {
    const ProbeRun run = run_probe(L"hidden");
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "hidden loaded visible=0",
                                           "hidden shown visible=1", "start destroyed", "exit"}));
}

TEST(HostProperties, WritingAnEditBoxsContentRaisesItsEventOnceEvenIfUnchanged) {
    const ProbeRun run = run_probe(L"edit_event");
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "edit changed", "edit changed",
                                           "content abc", "start destroyed", "exit"}));
}

TEST(HostProperties, AControlMadeAnewKeepsItsValuesPlaceAndFocus) {
    const ProbeRun run = run_probe(L"recreate");
    ASSERT_TRUE(run.finished);
    // The content write raises the event, the re-creation does not.
    EXPECT_TRUE(
        sequence_matches(run.log, {"init", "start created visible=0", "edit changed",
                                   "new=1 multiline=1 focus=1 content=kept above=1", "start destroyed", "exit"}));
}

TEST(HostTimers, PeriodWritesFollowTheirRules) {
    const ProbeRun run = run_probe(L"timer");
    ASSERT_TRUE(run.finished);
    // Negative reads back as 0; rewriting the running period keeps the timer
    // going; -1 stops it for good, so exactly five ticks came.
    EXPECT_TRUE(sequence_matches(run.log,
                                 {"init", "start created visible=0", "negative read=0", "period read=40", "start moved",
                                  "start resized", "stopped read=0", "ticks=5", "start destroyed", "exit"}))
        << "exit code " << run.exit_code << ", box: " << formhost::win32::narrow(run.box_text);
}

TEST(HostTimers, WritingThePeriodItHasKeepsTheRhythm) {
    // 20 writes of its own 150 ms period, 50 ms apart: the ticks go on.
    const ProbeRun run = run_probe(L"timer_same_value");
    ASSERT_TRUE(run.finished);
    const auto line = std::find_if(run.log.begin(), run.log.end(),
                                   [](const std::string& l) { return l.starts_with("ticks while rewritten="); });
    ASSERT_NE(line, run.log.end()) << show(run.log);
    EXPECT_GE(std::stoi(line->substr(std::string("ticks while rewritten=").size())), 4) << *line;
}

TEST(HostWindows, EscapeClosesTheWindow) {
    const ProbeRun run = run_probe(L"escape");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exit_code, 0u);
    // Escape asks the window to close as the system's close command does.
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "start moved", "start resized",
                                           "start close query", "start destroyed", "exit"}));
}

TEST(HostProperties, StartPositionThreeCoversTheScreenWithoutASizingBorder) {
    const ProbeRun run = run_probe(L"maximise");
    ASSERT_TRUE(run.finished);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    const std::string expected = "stage 0 0 " + std::to_string(w) + " " + std::to_string(h) + " visible=1 screen " +
                                 std::to_string(w) + " " + std::to_string(h);
    EXPECT_TRUE(has(run.log, expected)) << expected << " not in " << show(run.log);
    EXPECT_TRUE(has(run.log, "stage created visible=0")) << show(run.log);
}

TEST(HostWindows, LoadingWithAnUnloadedParentGivesFalseAndCreatesNothing) {
    const ProbeRun run = run_probe(L"unloaded_parent");
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(
        sequence_matches(run.log, {"init", "start created visible=0", "load 0 handle 0", "start destroyed", "exit"}));
}

// Its creation routine closed it: the build went through, but the window is
// not loaded, and the result says so.
TEST(HostWindows, AWindowThatClosesItselfWhileLoadingIsNotLoaded) {
    const ProbeRun run = run_probe(L"second_closes_itself");
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "second created", "second destroyed",
                                           "load 0 handle 0", "start destroyed", "exit"}))
        << show(run.log);
}

// A routine learns whose event it runs for; an event raised inside it (a
// window loaded from it) has its own source, and the outer one comes back.
TEST(HostWindows, ARoutineKnowsWhoseEventItRunsFor) {
    const ProbeRun run = run_probe(L"event_source");
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "event source start", "second created",
                                           "event source second", "event source start", "second destroyed",
                                           "start destroyed", "exit"}))
        << show(run.log);
}

TEST(HostWindows, ClosingTheOwnerClosesTheOwnedWindowAndEndsTheProgram) {
    const ProbeRun run = run_probe(L"owner");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exit_code, 0u);
    // The owned window goes first, and the exit routine runs once.
    EXPECT_TRUE(
        sequence_matches(run.log, {"init", "start created visible=0", "second created", "start moved", "start resized",
                                   "start close query", "second destroyed", "start destroyed", "exit"}));
}

TEST(HostWindows, ClosingAnotherWindowDoesNotEndTheProgram) {
    const ProbeRun run = run_probe(L"close_owned_only");
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "second created", "start moved",
                                           "start resized", "second destroyed", "tick start visible=1 second loaded=0",
                                           "start close query", "start destroyed", "exit"}));
}

TEST(HostCanvas, WriteLinesMovesAndScrollsAndClearAreaMovesThePosition) {
    const ProbeRun run = run_probe(L"canvas");
    ASSERT_TRUE(run.finished);
    // The line height depends on the machine's fonts. After the scroll the
    // line ends 2 pixels above the bottom; the position is then its bottom.
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", starting("empty line step="),
                                           "two lines moves=2", "trailing break moves=3",
                                           starting("x only keeps y: 7 "), "after scroll y=200 bottom=200 red moved=1",
                                           "empty clear: 30 40 red=1", "clear: white=1", "start destroyed", "exit"}));
}

TEST(HostCanvas, ARepaintShowsWhatItsImageHoldsWithAndWithoutAutomaticRedraw) {
    const ProbeRun run = run_probe(L"repaint");
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "without automatic redraw: red=0",
                                           "with automatic redraw: red=1", "start destroyed", "exit"}));
}

TEST(HostCanvas, DrawingReachesTheScreenWhileTheRoutineStillRuns) {
    // The probe fills its canvas window at (100, 100) red, logs "drawn" and
    // then sleeps 2.5 s in its routine; the screen is read from here a second
    // into that sleep, however long the probe took to get there.
    COLORREF seen = CLR_INVALID;
    DWORD drawn_at = 0;
    const ProbeRun run = run_probe(L"visible", L"", [&](DWORD elapsed) {
        if (seen != CLR_INVALID) return;
        if (!drawn_at) {
            if (has(probe_log_so_far(L"visible"), "drawn")) drawn_at = elapsed;
            return;
        }
        if (elapsed - drawn_at < 1000) return;
        const formhost::win32::WindowDC screen(nullptr);
        seen = GetPixel(screen.get(), 150, 150);
    });
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(seen, RGB(255, 0, 0)) << std::hex << seen;
}

struct FatalCase {
    const wchar_t* scenario;
    const char* text;
};

// The box with the headline and the text (none when empty), exit code -1,
// and neither the exit routine nor anything after the failure ran.
void expect_fatal_end(const FatalCase& c) {
    SCOPED_TRACE(formhost::win32::narrow(c.scenario));
    const ProbeRun run = run_probe(c.scenario);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exit_code, kFatalExitCode);
    EXPECT_EQ(run.box_caption, formhost::win32::widen("错误"));
    const std::string text = *c.text ? std::string("错误信息：") + c.text + "\r\n" : std::string();
    EXPECT_EQ(run.box_text, formhost::win32::widen("运行时出错!\r\n\r\n" + text))
        << formhost::win32::narrow(run.box_text);
    EXPECT_FALSE(has(run.log, "exit")) << show(run.log);
    EXPECT_FALSE(has(run.log, "not reached")) << show(run.log);
}

TEST(HostFatalErrors, ShowTheirBoxAndEndWithMinusOneWithoutTheExitRoutine) {
    expect_fatal_end({L"unloaded_kind_property", "指定窗口尚未载入"});
    expect_fatal_end({L"unknown_window", "未载入欲访问窗口组件所在的窗口"});
}

// What the probe asks for in its alloc_in_* scenarios: half the address
// space and one byte.
constexpr std::size_t kImpossibleBytes = (std::numeric_limits<std::size_t>::max() >> 1) + 1;

TEST(HostFatalErrors, RoutinesThatThrowOrExhaustTheHeapEndInTheHostsBox) {
    const std::string allocation = "分配 " + std::to_string(kImpossibleBytes) + " 字节内存失败!";
    const FatalCase cases[] = {
        {L"throw_in_init", "probe failure"},    {L"throw_in_created", "probe failure"},
        {L"throw_in_tick", "probe failure"},    {L"throw_other_in_tick", ""},
        {L"alloc_in_init", allocation.c_str()}, {L"alloc_in_created", allocation.c_str()},
        {L"alloc_in_tick", allocation.c_str()},
    };
    for (const FatalCase& c : cases) expect_fatal_end(c);
}

TEST(HostReentrancy, AWindowClosedAndLoadedAgainByItsCloseRoutineStays) {
    const ProbeRun run = run_probe(L"reload_in_close_query");
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_EQ(run.exit_code, 0u);
    EXPECT_TRUE(
        sequence_matches(run.log, {"init", "start created visible=0", "start moved", "start resized",
                                   "start close query", "second created", "start destroyed", "start created visible=0",
                                   "start moved", "start resized", "tick after reload start visible=1",
                                   "second destroyed", "start close query", "start destroyed", "exit"}));
}

TEST(HostReentrancy, AWindowClosedWhileAControlIsMadeAnewEndsCleanly) {
    const ProbeRun run = run_probe(L"close_during_recreate");
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_EQ(run.exit_code, 0u) << show(run.log);
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "start close query", "start destroyed",
                                           "recreate returned loaded=0", "exit"}));
}

TEST(HostReentrancy, AWindowLoadedAgainDuringItsFirstShowIsTheOneShown) {
    const ProbeRun run = run_probe(L"reload_in_show");
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_EQ(run.exit_code, 0u);
    const std::string shown = "stage 0 0 " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
                              std::to_string(GetSystemMetrics(SM_CYSCREEN)) + " visible=1";
    EXPECT_TRUE(sequence_matches(run.log, {"init", "start created visible=0", "stage created visible=0",
                                           "stage reloaded in its show", "stage created visible=0", shown,
                                           "start destroyed", "exit"}));
}

}  // namespace
