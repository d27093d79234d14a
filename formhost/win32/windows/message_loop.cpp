#include "formhost/win32/windows/message_loop.h"

#include "formhost/core/event_indexes.h"
#include "formhost/win32/state/events.h"
#include "formhost/win32/state/host_state.h"
#include "formhost/win32/windows/host_window.h"
#include "formhost/win32/windows/window_help.h"

namespace formhost::win32 {
namespace {

// Idle processing once the queue is empty: from the second pass on, every
// loaded window hears event 7 with the time the queue has been empty. Routines
// return nothing, so none asks for another pass.
void idle(DWORD empty_since) {
    const auto elapsed = static_cast<std::int32_t>(GetTickCount() - empty_since);
    for (auto& entry : host().windows)
        if (entry.loaded()) raise_event(entry.id, kTheWindow, event::window::kIdle, {elapsed});
}

HostWindow* host_window_of(HWND hwnd) {
    for (auto& entry : host().windows)
        if (entry.loaded() && entry.live->hwnd() == hwnd) return entry.live.get();
    return nullptr;
}

}  // namespace

void dispatch(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        if (HostWindow* window = host_window_of(root)) {
            // F1 is the window's before any control sees it.
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1 && open_window_help(root, window->data())) return;
            if (IsDialogMessageW(root, &msg)) return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void run_message_loop() {
    HostState& h = host();
    h.loop_started = true;
    if (!h.any_window_loaded()) return;
    MSG msg;
    for (;;) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            const DWORD empty_since = GetTickCount();
            // The first idle pass does nothing; the second raises the event.
            if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) idle(empty_since);
            if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) WaitMessage();
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) return;
        dispatch(msg);
    }
}

void pump_waiting_messages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Not ours to take: the message loop still has to see it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        dispatch(msg);
    }
}

void run_modal_loop(WindowEntry& entry) {
    MSG msg;
    while (entry.loaded()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got < 0) return;
        dispatch(msg);
    }
}

}  // namespace formhost::win32
