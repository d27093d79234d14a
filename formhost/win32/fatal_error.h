#pragma once
#include <cstdint>
#include <string>

namespace formhost::win32 {

// Shows the host's fatal error box (no owner, error icon) and ends the
// process with exit code -1 once it is closed.
[[noreturn]] void fatal_error(std::int32_t code, const std::string& text);

}  // namespace formhost::win32
