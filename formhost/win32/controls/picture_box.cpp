#include "formhost/win32/gdi_objects.h"
#include "frame_styles.h"
#include "kinds.h"
#include "painted_control.h"

namespace formhost::win32 {
namespace {

class PictureBox : public PaintedControl {
public:
    using PaintedControl::PaintedControl;

    bool create(const ControlPlace& place) override {
        const FrameStyles frame = frame_styles(box().border_style);
        return create_window(place, L"FormHostPictureBox", frame.style, frame.ex_style);
    }

protected:
    bool apply(int index) override {
        if (index == 8) apply_frame_styles(hwnd_, box().border_style);
        InvalidateRect(hwnd_, nullptr, TRUE);
        return false;
    }

    void paint(HDC dc, const RECT&) override {
        RECT client;
        GetClientRect(hwnd_, &client);
        UniqueBrush background(CreateSolidBrush(resolve_colour(box().background_colour, COLOR_BTNFACE)));
        FillRect(dc, &client, background.get());
    }

private:
    PicBoxData& box() { return std::get<PicBoxData>(data_); }
};

}  // namespace

std::unique_ptr<Control> make_picture_box(std::uint32_t window_id, std::uint32_t id, KindData data) {
    return std::make_unique<PictureBox>(window_id, id, std::move(data));
}

}  // namespace formhost::win32
