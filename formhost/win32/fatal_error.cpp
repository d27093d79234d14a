#include "fatal_error.h"

#include <windows.h>

#include "formhost/core/fatal_message.h"
#include "gbk_text.h"

namespace formhost::win32 {

void fatal_error(std::int32_t code, const std::string& text) {
    MessageBoxW(nullptr, widen(fatal_message(code, text)).c_str(), widen(kFatalCaption).c_str(),
                MB_OK | MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}

}  // namespace formhost::win32
