#pragma once
// When the canvas's drawing reaches the screen.
//
// The canvas draws outside any paint, often while a routine holds the GUI
// thread for a long time (the presenter's show). Under Wine such drawing
// reaches the screen only when the process next looks at a message queue,
// and for a colour-keyed layered window each of those hand-overs rebuilds
// the window's shape from its whole surface: at 1920 x 1080 from 4 ms on an
// empty stage to 20 ms on one covered with roses, whatever was drawn.
// Handing over after every operation therefore made the show almost twice
// as long as its waits.
//
// So the canvas draws on an off-screen image of its window (window_image.h)
// and reports each drawing here, and one thread of the host copies what
// changed to the windows and hands it to the screen: within 50 ms of the
// first drawing not yet shown, so that a burst of drawing is handed over in
// batches, one every 30 to 50 ms; and at once when a routine is about to
// wait past that moment. The drawing thread never waits for a hand-over.
// On Windows the compositor shows each frame by itself and a hand-over is a
// copy and a cheap look at an empty queue.

#include <windows.h>

#include "formhost/win32/system/owners.h"

namespace formhost::win32 {

class WindowImage;

// The images whose changes the hand-over copies to their windows: each from
// its making to its end.
void hand_over_from(WindowImage* image);
void stop_hand_over_from(WindowImage* image);

// Reported by the GUI thread after it drew on a window image. Where the
// hand-over's thread cannot be had (the system refused a thread or an
// event), the GUI thread hands over itself, at once: slower, but the
// drawing still reaches the screen.
void drawing_done();

// How the hand-over's thread is started (owners.h), for the test that has the
// system refuse it.
void set_hand_over_thread_starter(ThreadStarter starter);

struct HandOverFigures {
    int hand_overs = 0;
    // Hand-overs that put a drawing on the screen later than 50 ms after it.
    int late = 0;
    // The longest time from a drawing's report to the end of the hand-over
    // that put it on the screen.
    double longest_wait_ms = 0;
    // The time the hand-overs took, in all and the longest one.
    double hand_over_ms = 0;
    double longest_hand_over_ms = 0;
    // Some drawing is not on the screen yet.
    bool pending = false;
};
HandOverFigures hand_over_figures();

}  // namespace formhost::win32

namespace formhost {

// For a routine about to wait this long: drawing that would be due for the
// screen before the wait ends is handed over now, while it waits. A wait of
// 50 ms or more always hands over what is pending. Returns at once.
void hand_over_before_wait(int milliseconds);

}  // namespace formhost
