// The editor's routines, bound to events in editor.form.json.
#include "editor_routines.h"

namespace editor {

void on_editor_window_created() {}

}  // namespace editor
