// The presenter's routines, bound to events in presenter.form.json: set the
// stage up over the whole screen and run the show on the first tick.
#include <windows.h>

#include "formhost/win32/routines/host_api.h"
#include "ids.h"
#include "presenter_routines.h"
#include "show/show.h"
#include "show/show_random.h"
#include "stage.h"
#include "stage_setup.h"

namespace presenter {
namespace {

ShowRandom show_random([] { return static_cast<std::uint32_t>(GetTickCount()); });

}  // namespace

void on_start_window_created() {
    formhost::load_window({kStageWindow, kStageWindowControl}, formhost::WindowRef{kStartWindow, kStartWindowControl});
}

void on_stage_window_created() { set_up_stage(); }

void on_stage_timer_tick() {
    CanvasStage stage;
    run_show(stage, stage_heart_layout(), show_random);
}

void on_start_window_destroyed() {}

}  // namespace presenter
