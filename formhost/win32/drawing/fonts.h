#pragma once
// Fonts as the host makes them from stored font records.

#include <windows.h>

#include "formhost/core/byte_io.h"
#include "formhost/win32/system/owners.h"

namespace formhost::win32 {

// A font from a stored 60-byte font record (its face name GB18030); empty bytes
// or a malformed record give no font, meaning the default GUI font. An edit
// box takes its font with the default character set, default precisions
// and proof quality.
UniqueFont make_font(const Bytes& record, bool edit_box_adjustments = false);

}  // namespace formhost::win32
