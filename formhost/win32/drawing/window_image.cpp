#include "formhost/win32/drawing/window_image.h"

#include <cstdint>

#include "formhost/win32/drawing/screen_hand_over.h"
#include "formhost/win32/media/picture.h"
#include "formhost/win32/system/owners.h"

namespace formhost::win32 {
namespace {

// More separate areas than this are joined: each copy is a call into the
// system, and a burst of small drawings would otherwise pile up between two
// hand-overs.
constexpr std::size_t kMostPendingAreas = 16;

// A tenth short of the most rectangles a shape request carries: the window's
// frame, if it has one, adds its own, and the shape must never get there.
constexpr std::size_t kMostKeyShapeRectangles = media::kMostShapeRectangles / 10 * 9;

// Wine's ntdll exports this; Windows' does not. Only Wine turns a colour key
// into an X shape: Windows composes the window and has no such limit.
const bool kUnderWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;

}  // namespace

std::unique_ptr<WindowImage> WindowImage::make(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    DibSection pixels = make_dib_section(std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    if (!pixels) return nullptr;
    std::unique_ptr<WindowImage> image(new WindowImage(window, std::move(pixels)));
    if (!image->dc()) return nullptr;
    hand_over_from(image.get());
    return image;
}

WindowImage::WindowImage(HWND window, DibSection pixels) : window_(window), pixels_(std::move(pixels)) {
    if (dc_) previous_bitmap_ = SelectObject(dc_.get(), pixels_.bitmap.get());
}

WindowImage::~WindowImage() {
    stop_hand_over_from(this);
    if (previous_bitmap_) SelectObject(dc_.get(), previous_bitmap_);
}

void WindowImage::draw(const std::function<RECT(HDC)>& draw) {
    // A burst of drawing (the wipe) would take the lock again and again
    // before the waiting copy gets it: it steps aside for the copy first.
    while (copy_waiting_.load()) SwitchToThread();
    const ExclusiveLock locked(lock_);
    SetBoundsRect(dc_.get(), nullptr, DCB_ENABLE | DCB_RESET);
    RECT changed = draw(dc_.get());
    // GDI batches drawing: it must be in the pixels before the other thread
    // may read them.
    GdiFlush();
    // Not every system keeps bounds for every operation (an icon drawn with
    // its alpha, smoothed text), and an empty rectangle may come flagged as
    // set: the operation's own rectangle is what counts.
    RECT touched{};
    if (GetBoundsRect(dc_.get(), &touched, DCB_RESET) & DCB_SET) UnionRect(&changed, &changed, &touched);
    last_changed_ = changed;
    add_pending(changed);
}

void WindowImage::all_changed() {
    const ExclusiveLock locked(lock_);
    add_pending({0, 0, pixels_.width, pixels_.height});
}

void WindowImage::add_pending(const RECT& area) {
    RECT inside{};
    const RECT whole{0, 0, pixels_.width, pixels_.height};
    if (!IntersectRect(&inside, &area, &whole)) return;
    pending_.push_back(inside);
    if (pending_.size() <= kMostPendingAreas) return;
    // The two areas whose union adds the least that is not new go together:
    // the strips of a growing wipe join into two bands, not the whole screen.
    const auto area_of = [](const RECT& r) { return std::int64_t{r.right - r.left} * (r.bottom - r.top); };
    std::size_t best_a = 0, best_b = 1;
    std::int64_t least = INT64_MAX;
    for (std::size_t a = 0; a < pending_.size(); ++a)
        for (std::size_t b = a + 1; b < pending_.size(); ++b) {
            RECT both;
            UnionRect(&both, &pending_[a], &pending_[b]);
            const std::int64_t added = area_of(both) - area_of(pending_[a]) - area_of(pending_[b]);
            if (added < least) least = added, best_a = a, best_b = b;
        }
    UnionRect(&pending_[best_a], &pending_[best_a], &pending_[best_b]);
    pending_.erase(pending_.begin() + static_cast<std::ptrdiff_t>(best_b));
}

// Under Wine a colour-keyed window whose shape would grow past what one X
// request carries ends the process with the X server's error (a show of
// roses at 2560 x 1440 got there after 38 s). The window gives up its key
// first, for good: the rest of the show on an opaque white stage rather
// than no show. The shape is counted from the rows that changed.
void WindowImage::keep_key_shape_within_reach() {
    if (!kUnderWine || key_given_up_) return;
    HWND top = GetAncestor(window_, GA_ROOT);
    COLORREF key = 0;
    BYTE alpha = 255;
    DWORD flags = 0;
    if (!top || !GetLayeredWindowAttributes(top, &key, &alpha, &flags) || !(flags & LWA_COLORKEY)) {
        key_shape_.reset();
        return;
    }
    if (!key_shape_ || key_ != dib_rgb(key)) {
        key_ = dib_rgb(key);
        key_shape_.emplace(pixels_.height);
        key_shape_->count_rows(pixels_.pixels, pixels_.width, 0, pixels_.height, key_);
    } else {
        for (const RECT& r : pending_) key_shape_->count_rows(pixels_.pixels, pixels_.width, r.top, r.bottom, key_);
    }
    if (key_shape_->rectangles() <= kMostKeyShapeRectangles) return;
    SetLayeredWindowAttributes(top, 0, (flags & LWA_ALPHA) ? alpha : 255, LWA_ALPHA);
    key_given_up_ = true;
    key_shape_.reset();
}

void WindowImage::copy_to_window() {
    copy_waiting_.store(true);
    const ExclusiveLock locked(lock_);
    copy_waiting_.store(false);
    if (pending_.empty()) return;
    keep_key_shape_within_reach();
    const WindowDC window(window_);
    if (window.get()) {
        for (const RECT& r : pending_) {
            // The area's rows as an image of their own, copied whole from its
            // top row to its bottom one: no question of which way rows count.
            const int w = r.right - r.left, h = r.bottom - r.top;
            const BITMAPINFO rows = top_down_pixels(pixels_.width, h, 32);
            const std::uint32_t* first_row = pixels_.pixels + static_cast<std::size_t>(r.top) * pixels_.width;
            StretchDIBits(window.get(), r.left, r.top, w, h, r.left, 0, w, h, first_row, &rows, DIB_RGB_COLORS,
                          SRCCOPY);
        }
        GdiFlush();
    }
    pending_.clear();
}

}  // namespace formhost::win32
