// What the canvas hands over to its window, through the probe: the area
// each operation reports holds every pixel it changed, a resize keeps what
// waited, and a canvas without the hand-over's thread still reaches its
// window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "child_probe.h"
#include "log_sequence.h"

namespace {

TEST(CanvasAreas, EachOperationHandsOverEveryPixelItChanged) {
    const ProbeRun run = run_probe(L"canvas_areas");
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_EQ(run.exit_code, 0u) << show(run.log);
    for (const char* operation : {"clear", "text", "icon", "stretched bitmap", "scroll"})
        EXPECT_TRUE(has(run.log, std::string(operation) + " changed=1 covered=1"))
            << operation << ": " << show(run.log);
}

TEST(CanvasAreas, DrawingJustBeforeAResizeReachesTheWindow) {
    const ProbeRun run = run_probe(L"canvas_resize");
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_TRUE(has(run.log, "after resize red=1")) << show(run.log);
}

TEST(CanvasAreas, WithoutTheHandOversThreadTheGuiThreadHandsOver) {
    const ProbeRun run = run_probe(L"no_hand_over_thread");
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_TRUE(has(run.log, "without the thread red=1 hand-overs=0")) << show(run.log);
}

// Under Wine the colour key of a window becomes an X shape of one
// rectangle per run; past what one request carries the X server's error
// would end the process. The window gives up its key and the program lives.
TEST(CanvasAreas, AKeyedWindowTooBusyForAShapeGivesUpItsKeyAndLivesOn) {
    const ProbeRun run = run_probe(L"key_shape_limit");
    ASSERT_TRUE(run.finished) << show(run.log);
    EXPECT_EQ(run.exit_code, 0u) << show(run.log);
    EXPECT_TRUE(has(run.log, "pattern shown=1 keyed=0")) << show(run.log);
}

}  // namespace
