#pragma once
// One maker per control kind; make_control() picks by kind code.
#include <memory>

#include "formhost/win32/controls/control.h"

namespace formhost::win32 {

std::unique_ptr<Control> make_edit_box(std::uint32_t window_id, std::uint32_t id, KindData data);
std::unique_ptr<Control> make_button(std::uint32_t window_id, std::uint32_t id, KindData data);
std::unique_ptr<Control> make_timer(std::uint32_t window_id, std::uint32_t id, KindData data);
std::unique_ptr<Control> make_label(std::uint32_t window_id, std::uint32_t id, KindData data);
std::unique_ptr<Control> make_picture_box(std::uint32_t window_id, std::uint32_t id, KindData data);
std::unique_ptr<Control> make_canvas(std::uint32_t window_id, std::uint32_t id, KindData data);

}  // namespace formhost::win32
