#include "formhost/win32/gdi_objects.h"
#include "frame_styles.h"
#include "kinds.h"
#include "painted_control.h"

namespace formhost::win32 {
namespace {

class Canvas : public PaintedControl {
public:
    using PaintedControl::PaintedControl;

    bool create(const ControlPlace& place) override {
        const FrameStyles frame = frame_styles(canvas().border_style);
        return create_window(place, L"FormHostCanvas", frame.style, frame.ex_style);
    }

protected:
    bool apply(int index) override {
        if (index == 8) apply_frame_styles(hwnd_, canvas().border_style);
        if (index == 9 || index == 10 || index == 11) InvalidateRect(hwnd_, nullptr, TRUE);
        return false;
    }

    // Without automatic redraw a repaint leaves only the background.
    void paint(HDC dc, const RECT& area) override {
        UniqueBrush background(CreateSolidBrush(resolve_colour(canvas().background_colour, COLOR_BTNFACE)));
        FillRect(dc, &area, background.get());
    }

private:
    DrawPanelData& canvas() { return std::get<DrawPanelData>(data_); }
};

}  // namespace

std::unique_ptr<Control> make_canvas(std::uint32_t window_id, std::uint32_t id, KindData data) {
    return std::make_unique<Canvas>(window_id, id, std::move(data));
}

}  // namespace formhost::win32
