#include "formhost/win32/controls/kinds.h"

namespace formhost::win32 {

std::unique_ptr<Control> make_control(std::uint32_t window_id, std::uint32_t id, std::uint32_t kind,
                                      const Bytes& kind_data) {
    auto data = read_kind_data(kind, kind_data);
    if (!data) return nullptr;
    switch (static_cast<Kind>(kind)) {
        case Kind::EditBox: return make_edit_box(window_id, id, std::move(*data));
        case Kind::Button: return make_button(window_id, id, std::move(*data));
        case Kind::Timer: return make_timer(window_id, id, std::move(*data));
        case Kind::Label: return make_label(window_id, id, std::move(*data));
        case Kind::PictureBox: return make_picture_box(window_id, id, std::move(*data));
        case Kind::Canvas: return make_canvas(window_id, id, std::move(*data));
        case Kind::Window: break;  // a window is not a control of another window
    }
    return nullptr;
}

std::unique_ptr<Control> make_control(std::uint32_t window_id, const ControlTemplate& t) {
    return make_control(window_id, t.id, t.kind, t.kind_data);
}

}  // namespace formhost::win32
