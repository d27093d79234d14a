#pragma once
// The program's own form block, as the build embeds it.

#include <optional>

#include "formhost/core/byte_io.h"

namespace formhost::win32 {

// The form block that the build embeds in the program as RCDATA "FORMBLOCK".
// It stays in the program image, so the view is valid for the process's life.
std::optional<ByteView> embedded_form_block();

}  // namespace formhost::win32
