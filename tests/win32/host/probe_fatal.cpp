// The probe's scenarios of fatal errors: raised on a thread of the host's
// own beside the GUI thread (the stand-in player is a HostThread stopped at
// the end of the program as a GIF player is), and raised for a system call
// that failed.
#include <windows.h>

#include <stdexcept>

#include "form_ids.h"
#include "formhost/core/value.h"
#include "formhost/win32/routines/host_api.h"
#include "formhost/win32/system/fatal_error.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/program_end.h"
#include "probe_log.h"

namespace probe {
namespace {

using formhost::Value;

formhost::win32::HostThread player;
DWORD player_delay_ms = 0;

// Fails after its delay, as any thread of the host's own may.
void failing_player(void*, HANDLE) {
    Sleep(player_delay_ms);
    log("player raises");
    throw std::runtime_error("player failure");
}

void join_player() {
    // As a picture box's player is stopped at the end: waited for without
    // limit, but for what the host's wait leaves out.
    player.stop(INFINITE);
    log("player joined");
}

void start_player(DWORD delay_ms) {
    player_delay_ms = delay_ms;
    player.start(&failing_player, nullptr);
    formhost::win32::stop_at_program_end(&join_player);
}

void set_timer(std::int32_t period) { formhost::write_property(kStart, kTimer, 8, Value{period}); }

int builds = 0;

// The system refuses to make the start window, as it may when out of
// resources; the error it leaves is one a test can tell.
LRESULT CALLBACK refuse_host_windows(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND) {
        wchar_t cls[64] = {};
        GetClassNameW(reinterpret_cast<HWND>(wparam), cls, 64);
        if (std::wstring(cls) == L"FormHostWindow") {
            SetLastError(ERROR_NOT_ENOUGH_QUOTA);
            return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

void init_fatal_scenario() {
    if (current_scenario() == L"start_window_refused")
        SetWindowsHookExW(WH_CBT, refuse_host_windows, nullptr, GetCurrentThreadId());
}

bool start_fatal_scenario() {
    const std::wstring& s = current_scenario();
    if (s == L"player_fatal") {
        start_player(300);  // the GUI thread idles in its message loop meanwhile
    } else if (s == L"player_then_gui_fatal") {
        start_player(300);
        set_timer(100);  // the tick holds the GUI thread, then raises too
    } else if (s == L"gui_then_player_fatal") {
        set_timer(100);
    } else if (s == L"player_fatal_while_building") {
        start_player(500);
        set_timer(20);  // each tick loads and closes the second window
    } else {
        return false;
    }
    return true;
}

bool tick_fatal_scenario() {
    const std::wstring& s = current_scenario();
    if (s == L"player_then_gui_fatal") {
        set_timer(0);
        Sleep(1000);  // the player's box comes up meanwhile
        log("gui raises");
        throw std::runtime_error("gui failure");
    } else if (s == L"gui_then_player_fatal") {
        set_timer(0);
        start_player(500);  // raises while the GUI thread's box is up
        log("gui raises");
        throw std::runtime_error("gui failure");
    } else if (s == L"player_fatal_while_building") {
        formhost::load_window({kSecond, kSecondControl}, formhost::WindowRef{kStart, kStartControl});
        DestroyWindow(formhost::window_handle({kSecond, kSecondControl}));
        log("built %d", ++builds);
    } else {
        return false;
    }
    return true;
}

}  // namespace probe
