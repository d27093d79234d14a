#pragma once
// An animated GIF in a picture box. Each frame (already composed by the
// decoder) is rendered once into a bitmap of the box's client size, the
// background colour and the placement baked in, so showing a frame is one
// blit. A player thread of the animation's own shows the frames in turn,
// drawing through its own DC, so the animation runs while the GUI thread is
// busy in a routine; the box's WM_PAINT shows whatever frame is current.

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "formhost/core/media/gif.h"
#include "formhost/core/media/placement.h"
#include "formhost/win32/media/dib_section.h"
#include "formhost/win32/system/owners.h"

namespace formhost::win32 {

struct BoxLayout {
    int width = 0;  // the box's client area
    int height = 0;
    media::Rect place;  // where the frames go in it
    COLORREF background = 0;
};

// How long a frame stays: its own delay (1 is 10 ms), or 100 ms where the
// file says 0 (as common viewers do). The shortest, 10 ms, still leaves the
// player waiting between frames.
int frame_delay_ms(const media::GifFrame& frame);

class BoxAnimation {
public:
    // Renders the first frame for `box`; with `play` and more than one frame
    // a player thread then shows the others in turn, for ever. Null when the
    // layout has no pixels or the system refuses the bitmaps.
    static std::unique_ptr<BoxAnimation> create(HWND box, std::shared_ptr<const media::GifAnimation> gif,
                                                const BoxLayout& layout, bool play);

    // Stops the player and waits for its thread to end.
    ~BoxAnimation();
    BoxAnimation(const BoxAnimation&) = delete;
    BoxAnimation& operator=(const BoxAnimation&) = delete;

    // Draws the current frame over the whole client area.
    void paint(HDC dc) const;
    // Ends the player thread, leaving the current frame on show, and waits
    // for it at most `limit_ms` (a player inside a fatal error is not waited
    // for). False when the thread still runs: the animation must then stay.
    // Idempotent.
    bool stop(DWORD limit_ms = INFINITE);

    bool playing() const { return player_.started(); }

private:
    BoxAnimation(HWND box, std::shared_ptr<const media::GifAnimation> gif, const BoxLayout& layout);

    void play();
    // The player thread's body: the frames in turn until `stop` is set.
    static void show_frames(void* self, HANDLE stop);
    // The bitmap holding frame `index`, rendering it where it is not kept.
    const DibSection* prepare(std::size_t index);
    bool render(DibSection& target, std::size_t index) const;
    void show_now(HDC memory) const;

    const HWND box_;
    const std::shared_ptr<const media::GifAnimation> gif_;
    const BoxLayout layout_;
    // Every frame once rendered while they fit the memory budget; otherwise
    // two bitmaps take turns, one on show while the next is rendered.
    const bool keep_frames_;
    std::vector<DibSection> frames_;
    DibSection turns_[2];

    // Guards what the GUI thread's paint reads: the frame on show.
    mutable SRWLOCK lock_ = SRWLOCK_INIT;
    const DibSection* shown_ = nullptr;

    HostThread player_;
};

// Stops every player still running; the host calls it as the program ends,
// so that no player thread is cut off in the middle of drawing.
void stop_all_animations();

}  // namespace formhost::win32
