// Program start and end on the form host.
#include <windows.h>
#include <ole2.h>

#include <optional>

#include "external_routine.h"
#include "fatal_error.h"
#include "form_resource.h"
#include "formhost/core/fatal_message.h"
#include "host_api.h"
#include "host_state.h"
#include "message_loop.h"
#include "owners.h"
#include "program.h"
#include "sound/background_sound.h"
#include "window_builder.h"
#include "window_classes.h"

namespace formhost::win32 {
namespace {

constexpr std::uint32_t kStartWindow = 0x52010001;
constexpr UINT kEndProgramMessage = WM_APP + 1;

// How long another thread's end of the program waits for the GUI thread to
// take up its request before it ends the process itself: the GUI thread may
// be held by a long routine (the presenter's show runs inside one timer
// tick) or by an error box of its own.
constexpr DWORD kShutdownWaitMs = 5000;

// Set by the GUI thread when its shutdown begins and when it is done, for
// another thread that asked for the end and waits to end the process.
UniqueHandle shutdown_begun, shutdown_done;

LRESULT CALLBACK message_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    try {
        if (message == kEndProgramMessage) end_program(static_cast<int>(wparam));
        return DefWindowProcW(hwnd, message, wparam, lparam);
    } catch (...) {
        fatal_error_from_exception();
    }
}

// Relative paths (the message store above all) resolve beside the program,
// whatever folder it was started from.
void enter_program_folder(HostState& h) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L'\\');
    h.program_folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    h.program_file = slash == std::wstring::npos ? path : path.substr(slash + 1);
    if (!h.program_folder.empty()) SetCurrentDirectoryW(h.program_folder.c_str());
}

// OLE from the start of the host to its end, on the GUI thread.
std::optional<OleSession> ole;

void initialise_host(const Program& program) {
    HostState& h = host();
    set_fatal_error_host({.before_box = [] { ++host().suppression; },  // for good: nothing is delivered any more
                          .end = [] {
                              host().exit_routine = nullptr;
                              end_program(-1);
                          }});
    ole.emplace();
    enter_program_folder(h);
    const wchar_t* message_class = control_window_class(L"FormHostMessageWindow", message_window_procedure);
    h.message_window = CreateWindowExW(0, message_class, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    h.gui_thread = GetCurrentThreadId();
    shutdown_begun.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    shutdown_done.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    h.routines = program.routines;
    h.end_hooks.push_back(&sound::stop_all);
    const auto bytes = embedded_form_block();
    const auto block = bytes ? read_form_block(*bytes) : std::nullopt;
    if (!block || !fill_window_table(*block, program.routines)) fatal_error(0, fatal::kFormBlockUnreadable);
}

void shut_down() {
    HostState& h = host();
    ++h.suppression;
    h.shutting_down = true;
    if (shutdown_begun) SetEvent(shutdown_begun.get());
    if (Routine exit = h.exit_routine) {
        h.exit_routine = nullptr;  // at most once, even if it ends the program itself
        exit();
    }
    for (auto hook : h.end_hooks) hook();
    free_external_libraries();
    ole.reset();
    if (shutdown_done) SetEvent(shutdown_done.get());
}

// The end asked for by a thread other than the GUI thread: the GUI thread
// shuts down (windows, routines and players are its own), then the process
// ends here. A GUI thread that does not take the request up in time is held
// and will not: the process ends without its shutdown. One that has begun
// is waited for, so the exit routine runs to its end.
[[noreturn]] void end_from_other_thread(int code) {
    HostState& h = host();
    if (PostMessageW(h.message_window, kEndProgramMessage, static_cast<WPARAM>(code), 0) && shutdown_begun &&
        WaitForSingleObject(shutdown_begun.get(), kShutdownWaitMs) == WAIT_OBJECT_0)
        WaitForSingleObject(shutdown_done.get(), INFINITE);
    ExitProcess(static_cast<UINT>(code));
}

}  // namespace

// The program's entry calls nothing else, so this catch-all covers it whole:
// start-up, the init routine and the build of the start window with all the
// routines it runs.
int run_program(const Program& program) {
    try {
        initialise_host(program);
        if (program.init) program.init();
        host().exit_routine = program.exit;
        WindowEntry* start = host().find_window(kStartWindow);
        if (!start || !build_window(*start, nullptr, false)) fatal_error(0, fatal::kStartWindowFailed);
        run_message_loop();
        shut_down();
        return 0;
    } catch (...) {
        fatal_error_from_exception();
    }
}

}  // namespace formhost::win32

namespace formhost {

void end_program(int code) {
    win32::HostState& h = win32::host();
    if (h.gui_thread && GetCurrentThreadId() != h.gui_thread) win32::end_from_other_thread(code);
    if (!h.shutting_down) win32::shut_down();
    ExitProcess(static_cast<UINT>(code));
}

}  // namespace formhost
