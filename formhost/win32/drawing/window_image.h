#pragma once
// A window's client area drawn off-screen.
//
// The canvas draws on this image and never on its window outside a paint;
// the screen hand-over thread copies the parts that changed to the window
// (see screen_hand_over.h). Under Wine a hand-over keeps the window's
// surface locked while it rebuilds a colour-keyed window's shape, up to
// 20 ms at full HD, and drawing on the window would wait for it; drawing on
// this image goes on meanwhile, on the other processor.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "formhost/core/media/key_shape.h"
#include "formhost/win32/media/dib_section.h"

namespace formhost::win32 {

class WindowImage {
public:
    // An image of the window's client area as it is now, its content
    // undefined until drawn; null when the system refuses one.
    static std::unique_ptr<WindowImage> make(HWND window);
    // Leaves the hand-over first, so no copy of it is under way afterwards.
    ~WindowImage();
    WindowImage(const WindowImage&) = delete;
    WindowImage& operator=(const WindowImage&) = delete;

    // For the drawing thread only.
    HDC dc() const { return dc_.get(); }
    int width() const { return pixels_.width; }
    int height() const { return pixels_.height; }

    // Runs `draw` on the image; the rectangle it gives back, the area it
    // changed, waits for the hand-over. The system's own bounds of what was
    // drawn are added where it keeps them, in case an operation says too
    // little.
    void draw(const std::function<RECT(HDC)>& draw);
    // The whole image waits for the hand-over (a new image after a resize).
    void all_changed();
    // The area the last draw() gave to the hand-over, for the tests that
    // check it against the pixels.
    RECT last_changed() const { return last_changed_; }
    // From the hand-over thread: copies what waits to the window.
    void copy_to_window();

private:
    WindowImage(HWND window, DibSection pixels);
    void add_pending(const RECT& area);
    void keep_key_shape_within_reach();

    HWND window_;
    DibSection pixels_;
    MemoryDC dc_;
    HGDIOBJ previous_bitmap_ = nullptr;
    // Guards the pixels and `pending_` between the two threads.
    SRWLOCK lock_ = SRWLOCK_INIT;
    std::atomic<bool> copy_waiting_{false};
    std::vector<RECT> pending_;
    RECT last_changed_{};
    // Under Wine, the shape its top-level window's colour key makes of this
    // image, while it has one; see key_shape.h.
    std::optional<media::KeyShape> key_shape_;
    std::uint32_t key_ = 0;
    bool key_given_up_ = false;
};

}  // namespace formhost::win32
