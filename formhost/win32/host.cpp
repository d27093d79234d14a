#include <windows.h>

#include "fatal_error.h"
#include "form_resource.h"
#include "formhost/core/fatal_message.h"
#include "formhost/core/form_block.h"
#include "program.h"

namespace formhost::win32 {

int run_program(const Program& program) {
    const auto bytes = embedded_form_block();
    const auto block = bytes ? read_form_block(*bytes) : std::nullopt;
    if (!block || !handler_references_valid(*block, program.routines.size()))
        fatal_error(0, fatal::kFormBlockUnreadable);
    if (program.init) program.init();
    if (program.exit) program.exit();
    return 0;
}

}  // namespace formhost::win32
