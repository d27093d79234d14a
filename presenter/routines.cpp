// The presenter's routines, bound to events in presenter.form.json.
#include "presenter_routines.h"

namespace presenter {

void on_start_window_created() {}
void on_start_window_destroyed() {}
void on_stage_window_created() {}
void on_stage_timer_tick() {}

}  // namespace presenter
