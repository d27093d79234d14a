#pragma once
// The canvas kind: a surface that routines draw on through the canvas
// operations. It draws on an off-screen image of its client area, which the
// screen hand-over copies to the window (window_image.h). With automatic
// redraw on, a repaint copies from that image; with it off, a repaint erases
// to the background and raises the canvas's event 0 with the area, and what
// was drawn there is gone.

#include <functional>

#include "formhost/win32/controls/painted_control.h"
#include "formhost/win32/drawing/colours.h"
#include "formhost/win32/drawing/fonts.h"
#include "formhost/win32/drawing/window_image.h"
#include "formhost/win32/media/backgrounds.h"
#include "formhost/win32/system/owners.h"

namespace formhost::win32 {

class Canvas : public PaintedControl {
public:
    using PaintedControl::PaintedControl;

    bool create(const ControlPlace& place) override;

    const CanvasData& settings() const { return std::get<CanvasData>(data_); }

    // Calls `draw` with each target's DC: the off-screen image, and during a
    // paint the paint's DC as well. Without an image (the system refused
    // one) it draws on the window directly. `draw` gives back the rectangle
    // it changed, in the client area's pixels: that is what the hand-over
    // copies to the window.
    void for_each_target(const std::function<RECT(HDC)>& draw);

    // Erases a rectangle of a target to the background: the background
    // picture where it lies, the background colour elsewhere.
    void erase(HDC dc, const RECT& area) const;

    // Erases `area` to the background on every target, skipping what is
    // known to be background already: a wipe that grows an erased rectangle
    // step by step then fills only the strips each step adds.
    void erase_area(const RECT& area);
    // Anything drawn makes the canvas's known background unknown again.
    void drawn() { clean_ = {}; }

    // The canvas font, or null for the default GUI font.
    HFONT font() const { return font_.get(); }

    // Puts what was drawn on the screen within 50 ms, even while the
    // thread's message loop is not running (see screen_hand_over.h).
    void present() const;

    // The current drawing position; the window's DCs are per call, so it is
    // kept here (and in the off-screen image's DC, which lasts).
    void move_to(POINT p) {
        drawing_position = p;
        if (image_) MoveToEx(image_->dc(), p.x, p.y, nullptr);
    }

    // The image the canvas draws on; null when the system refused one.
    const WindowImage* image() const { return image_.get(); }

    POINT write_position{0, 0};
    POINT drawing_position{0, 0};

protected:
    bool apply(int index) override;
    void paint(HDC dc, const RECT& area) override;
    bool handle(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;

private:
    // A fresh image of the client area, erased to the background.
    std::unique_ptr<WindowImage> erased_image() const;

    UniqueFont font_;
    std::unique_ptr<Picture> background_;
    UniqueBrush background_brush_;
    std::unique_ptr<WindowImage> image_;
    HDC paint_dc_ = nullptr;  // set while a paint is in progress
    RECT clean_{};            // known to hold nothing but the background
};

}  // namespace formhost::win32
