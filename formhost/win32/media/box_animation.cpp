#include "formhost/win32/media/box_animation.h"

#include <algorithm>

#include "formhost/core/media/pixels.h"
#include "formhost/win32/media/picture.h"
#include "formhost/win32/system/fatal_error.h"

namespace formhost::win32 {
namespace {

namespace pixels = media::pixels;

// Above this all frames together are not kept: a large box showing a long
// animation renders each frame as it comes instead.
constexpr std::uint64_t kFrameBudgetBytes = std::uint64_t{64} << 20;

constexpr int kDefaultDelayMs = 100;

// Players with a running thread, for stop_all_animations(). Players are made
// and stopped on the GUI thread only; the lock is for safety's sake.
SRWLOCK running_lock = SRWLOCK_INIT;
std::vector<BoxAnimation*> running;

}  // namespace

int frame_delay_ms(const media::GifFrame& frame) {
    if (frame.delay_field == 0) return kDefaultDelayMs;
    return frame.delay_ms;
}

BoxAnimation::BoxAnimation(HWND box, std::shared_ptr<const media::GifAnimation> gif, const BoxLayout& layout)
    : box_(box),
      gif_(std::move(gif)),
      layout_(layout),
      keep_frames_(std::uint64_t(layout.width) * std::uint64_t(layout.height) * 4 * gif_->frames.size() <=
                   kFrameBudgetBytes) {
    if (keep_frames_) frames_.resize(gif_->frames.size());
}

std::unique_ptr<BoxAnimation> BoxAnimation::create(HWND box, std::shared_ptr<const media::GifAnimation> gif,
                                                   const BoxLayout& layout, bool play) {
    if (!gif || gif->frames.empty() || layout.width <= 0 || layout.height <= 0) return nullptr;
    std::unique_ptr<BoxAnimation> animation(new BoxAnimation(box, std::move(gif), layout));
    // The first frame is ready before the box first paints.
    animation->shown_ = animation->prepare(0);
    if (!animation->shown_) return nullptr;
    if (play && animation->gif_->frames.size() > 1) animation->play();
    return animation;
}

BoxAnimation::~BoxAnimation() { stop(); }

void BoxAnimation::play() {
    if (!player_.start(&BoxAnimation::show_frames, this)) return;
    const ExclusiveLock guard(running_lock);
    running.push_back(this);
}

bool BoxAnimation::stop(DWORD limit_ms) {
    if (!player_.started()) return true;
    // The player never waits for the GUI thread (it draws through its own DC
    // and takes only lock_), so this wait cannot deadlock; a player that
    // raised a fatal error is not waited for and will never touch the
    // animation again.
    if (!player_.stop(limit_ms)) return false;
    player_.forget();
    const ExclusiveLock guard(running_lock);
    std::erase(running, this);
    return true;
}

void BoxAnimation::paint(HDC dc) const {
    const ExclusiveLock guard(lock_);
    MemoryDC memory(dc);
    if (!memory || !shown_) return;
    SelectObjectScope select(memory.get(), shown_->bitmap.get());
    BitBlt(dc, 0, 0, layout_.width, layout_.height, memory.get(), 0, 0, SRCCOPY);
}

const DibSection* BoxAnimation::prepare(std::size_t index) {
    if (keep_frames_) {
        DibSection& frame = frames_[index];
        if (!frame && !render(frame, index)) return nullptr;
        return &frame;
    }
    // Only this thread changes shown_, so reading it here needs no lock; the
    // bitmap not on show is free to be drawn into.
    DibSection& target = shown_ == &turns_[0] ? turns_[1] : turns_[0];
    return render(target, index) ? &target : nullptr;
}

bool BoxAnimation::render(DibSection& target, std::size_t index) const {
    if (!target) target = make_dib_section(layout_.width, layout_.height);
    if (!target) return false;
    std::fill_n(target.pixels, target.count(), 0xFF000000u | dib_rgb(layout_.background));
    const media::Image& canvas = gif_->frames[index].canvas;
    std::vector<pixels::Pixel> premultiplied(canvas.pixels.size());
    pixels::premultiply(canvas.pixels, premultiplied.data());
    const media::Rect& place = layout_.place;
    if (place.width == canvas.width && place.height == canvas.height) {
        pixels::blend(premultiplied.data(), canvas.width, canvas.height, target.pixels, target.width, target.height,
                      place.x, place.y);
        return true;
    }
    std::vector<pixels::Pixel> scaled(static_cast<std::size_t>(place.width) * static_cast<std::size_t>(place.height));
    pixels::resample(premultiplied.data(), canvas.width, canvas.height, scaled.data(), place.width, place.height);
    pixels::blend(scaled.data(), place.width, place.height, target.pixels, target.width, target.height, place.x,
                  place.y);
    return true;
}

void BoxAnimation::show_now(HDC memory) const {
    WindowDC window(box_);
    if (!window.get()) return;
    const ExclusiveLock guard(lock_);
    SelectObjectScope select(memory, shown_->bitmap.get());
    BitBlt(window.get(), 0, 0, layout_.width, layout_.height, memory, 0, 0, SRCCOPY);
    GdiFlush();
}

void BoxAnimation::show_frames(void* parameter, HANDLE stop) {
    auto* self = static_cast<BoxAnimation*>(parameter);
    MemoryDC memory;
    const auto& frames = self->gif_->frames;
    std::size_t index = 0;
    ULONGLONG due = GetTickCount64() + static_cast<ULONGLONG>(frame_delay_ms(frames[0]));
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD wait = due > now ? static_cast<DWORD>(due - now) : 0;
        // A message wait rather than a plain one: under Wine it also pushes
        // the window drawing done so far out to the screen, which a thread
        // that only sleeps never does.
        if (MsgWaitForMultipleObjects(1, &stop, FALSE, wait, 0) == WAIT_OBJECT_0) return;
        index = (index + 1) % frames.size();
        const DibSection* next = self->prepare(index);
        if (!next) return;  // out of GDI resources: the frame on show stays
        {
            const ExclusiveLock guard(self->lock_);
            self->shown_ = next;
        }
        self->show_now(memory.get());
        due += static_cast<ULONGLONG>(frame_delay_ms(frames[index]));
        const ULONGLONG after = GetTickCount64();
        // Held up for longer than a frame (the machine busy): time the frame
        // on show afresh rather than rush through the ones missed.
        if (due < after) due = after + static_cast<ULONGLONG>(frame_delay_ms(frames[index]));
    }
}

void stop_all_animations() {
    std::vector<BoxAnimation*> players;
    {
        const SharedLock guard(running_lock);
        players = running;
    }
    // At the end of the program no wait is for ever: a player that does not
    // end in time is left to the process's end, its animation with it.
    for (BoxAnimation* player : players) player->stop(kEndOfProgramJoinMs);
}

}  // namespace formhost::win32
