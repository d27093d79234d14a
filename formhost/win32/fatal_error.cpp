#include "fatal_error.h"

#include <windows.h>

#include "formhost/core/fatal_message.h"
#include "gbk_text.h"
#include "host_api.h"
#include "host_state.h"

namespace formhost::win32 {

void fatal_error(std::int32_t code, const std::string& text) {
    HostState& h = host();
    ++h.suppression;  // for good: nothing is delivered from here on
    MessageBoxW(nullptr, widen(fatal_message(code, text)).c_str(), widen(kFatalCaption).c_str(),
                MB_OK | MB_ICONERROR);
    h.exit_routine = nullptr;
    end_program(-1);
}

}  // namespace formhost::win32
