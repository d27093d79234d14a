#pragma once
// The host's state: its flags, the program's routines and the window table.
// Everything here belongs to the GUI thread, which alone changes it, but for
// the two members a fatal error changes from whichever thread raised it:
// those are atomic. gui_thread is written once, before any other thread of
// the host runs.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "formhost/core/form_block.h"
#include "formhost/core/value.h"
#include "formhost/win32/state/routine.h"

namespace formhost::win32 {

class HostWindow;
class Control;

// Ends a live window. The window table only points to its windows; they are
// defined, and ended, above it (windows/host_window.cpp).
struct HostWindowDeleter {
    void operator()(HostWindow* window) const;
};

// One control of a window's template, its bindings turned into routines.
struct ControlTemplate {
    std::uint32_t id = 0;
    std::uint32_t kind = 0;
    std::string name;
    std::int32_t left = 0, top = 0, width = 0, height = 0;
    std::uint32_t parent = 0;
    Bytes cursor;
    std::string tag;
    bool visible = true;
    bool disabled = false;
    bool tab_stop = false;
    std::uint32_t tab_order = 0;
    std::vector<std::pair<std::int32_t, Routine>> bindings;
    Bytes kind_data;

    Routine handler(std::int32_t event) const;
};

struct WindowEntry {
    std::uint32_t id = 0;
    // The window control first, then the controls in creation order. While
    // the window is loaded, writes change this working template and `kept`
    // holds the template as it was before the load.
    std::vector<ControlTemplate> controls;
    std::vector<ControlTemplate> kept;
    std::unique_ptr<HostWindow, HostWindowDeleter> live;

    // Whether its window lives (defined with the window, in host_window.cpp).
    bool loaded() const;
    ControlTemplate* find(std::uint32_t control_id);
};

// A system call that failed, and the error it left: where the host raises a
// fatal error for it, its code and text say what failed.
struct SystemFailure {
    const char* call = nullptr;
    DWORD error = 0;
};

struct HostState {
    // While above zero no event reaches a routine. Atomic: a fatal error
    // raises it for good from the thread that raised the error, while the
    // GUI thread's builds raise and lower it.
    std::atomic<int> suppression{0};
    bool loop_started = false;
    bool shutting_down = false;
    // Atomic: a fatal error takes it away from any thread, and the GUI
    // thread's shutdown takes it to run it; it runs at most once.
    std::atomic<Routine> exit_routine{nullptr};
    DWORD gui_thread = 0;
    HWND message_window = nullptr;
    std::wstring program_folder;
    std::wstring program_file;
    std::span<const Routine> routines;
    std::vector<WindowEntry> windows;
    WindowRef current_source;
    // Arguments of the event being delivered (idle time, a paint area).
    std::vector<std::int32_t> event_arguments;
    // Controls by their OS window, for notifications that carry only that.
    std::unordered_map<HWND, Control*> controls_by_hwnd;
    // The last system call that failed while a window was built.
    SystemFailure build_failure;

    WindowEntry* find_window(std::uint32_t window_id);
    bool any_window_loaded() const;
};

HostState& host();

// Records the call that just failed with the error it left (read at once,
// before any other call can change it), for build_failure; gives false, the
// result of the build step that failed.
bool note_failure(const char* call);

// The window table from the form block; false if a binding names no routine.
bool fill_window_table(const FormBlock& block, std::span<const Routine> routines);

// Raises the suppression counter for a scope.
class SuppressEvents {
public:
    SuppressEvents() { ++host().suppression; }
    ~SuppressEvents() { --host().suppression; }
    SuppressEvents(const SuppressEvents&) = delete;
    SuppressEvents& operator=(const SuppressEvents&) = delete;
};

}  // namespace formhost::win32
