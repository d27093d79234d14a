#include "formhost/win32/controls/canvas.h"

#include "formhost/core/event_indexes.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/controls/frame_styles.h"
#include "formhost/win32/controls/kinds.h"
#include "formhost/win32/drawing/screen_hand_over.h"

namespace formhost::win32 {

bool Canvas::create(const ControlPlace& place) {
    const FrameStyles frame = frame_styles(settings().border_style);
    if (!create_window(place, L"FormHostCanvas", frame.style, frame.ex_style)) return false;
    font_ = make_font(settings().font);
    background_ = Picture::load(settings().background_picture);
    background_brush_.reset(CreateSolidBrush(resolve_colour(settings().background_colour, COLOR_BTNFACE)));
    image_ = erased_image();
    return true;
}

std::unique_ptr<WindowImage> Canvas::erased_image() const {
    std::unique_ptr<WindowImage> image = WindowImage::make(hwnd_);
    if (image) erase(image->dc(), {0, 0, image->width(), image->height()});
    return image;
}

void Canvas::erase(HDC dc, const RECT& area) const {
    if (!background_) {
        FillRect(dc, &area, background_brush_.get());
        return;
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    paint_background(dc, client, area, background_.get(), static_cast<int>(settings().background_picture_mode),
                     resolve_colour(settings().background_colour, COLOR_BTNFACE));
}

void Canvas::erase_area(const RECT& area) {
    RECT inside{};
    if (IntersectRect(&inside, &area, &clean_) && EqualRect(&inside, &area)) return;  // all background already
    if (!IsRectEmpty(&clean_) && IntersectRect(&inside, &area, &clean_) && EqualRect(&inside, &clean_)) {
        // The known background lies inside: only the strips around it.
        const RECT strips[] = {
            {area.left, area.top, area.right, clean_.top},
            {area.left, clean_.bottom, area.right, area.bottom},
            {area.left, clean_.top, clean_.left, clean_.bottom},
            {clean_.right, clean_.top, area.right, clean_.bottom},
        };
        for_each_target([&](HDC dc) {
            RECT changed{};
            for (const RECT& strip : strips) {
                if (IsRectEmpty(&strip)) continue;
                erase(dc, strip);
                UnionRect(&changed, &changed, &strip);
            }
            return changed;
        });
    } else {
        for_each_target([&](HDC dc) {
            erase(dc, area);
            return area;
        });
    }
    clean_ = area;
}

void Canvas::present() const { drawing_done(); }

void Canvas::for_each_target(const std::function<RECT(HDC)>& draw) {
    if (image_) image_->draw(draw);
    if (paint_dc_) {
        draw(paint_dc_);
    } else if (!image_) {
        const WindowDC window(hwnd_);
        draw(window.get());
    }
}

bool Canvas::apply(int index) {
    drawn();
    switch (index) {
        case property::canvas::kBorderStyle: apply_frame_styles(hwnd_, settings().border_style); return false;
        case property::canvas::kAutoRedraw:
            image_ = erased_image();
            InvalidateRect(hwnd_, nullptr, TRUE);
            return false;
        case property::canvas::kBackgroundPicture:
            background_ = Picture::load(settings().background_picture);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return false;
        case property::canvas::kBackgroundColour:
            background_brush_.reset(CreateSolidBrush(resolve_colour(settings().background_colour, COLOR_BTNFACE)));
            InvalidateRect(hwnd_, nullptr, TRUE);
            return false;
        case property::canvas::kBackgroundPictureMode: InvalidateRect(hwnd_, nullptr, TRUE); return false;
        case property::canvas::kFont: font_ = make_font(settings().font); return false;
        default: return false;
    }
}

void Canvas::paint(HDC dc, const RECT& area) {
    drawn();
    if (settings().auto_redraw && image_) {
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, image_->dc(), area.left,
               area.top, SRCCOPY);
        return;
    }
    // The repaint erases the area, and routines bound to it draw from (0, 0),
    // on the paint's DC and on the image alike, so that the image goes on
    // showing what the window shows; the write position comes back after.
    paint_dc_ = dc;
    for_each_target([&](HDC target) {
        erase(target, area);
        return area;
    });
    const POINT kept = write_position;
    write_position = {0, 0};
    if (!raise(event::canvas::kPaint, {area.left, area.top, area.right, area.bottom})) return;
    paint_dc_ = nullptr;
    write_position = kept;
}

bool Canvas::handle(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == WM_SIZE) drawn();
    if (message == WM_SIZE && image_) {
        // The image keeps what was drawn where it still fits.
        // What waited for the hand-over in the old image waits in the new one:
        // all of it, since the window has a new size as well.
        std::unique_ptr<WindowImage> fresh = erased_image();
        if (fresh) {
            BitBlt(fresh->dc(), 0, 0, fresh->width(), fresh->height(), image_->dc(), 0, 0, SRCCOPY);
            MoveToEx(fresh->dc(), drawing_position.x, drawing_position.y, nullptr);
            fresh->all_changed();
        }
        image_ = std::move(fresh);
        if (image_) present();
        result = 0;
        return true;
    }
    return false;
}

std::unique_ptr<Control> make_canvas(std::uint32_t window_id, std::uint32_t id, KindData data) {
    return std::make_unique<Canvas>(window_id, id, std::move(data));
}

}  // namespace formhost::win32
