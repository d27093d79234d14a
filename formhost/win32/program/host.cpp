// Program start and end on the form host.
#include <windows.h>
#include <ole2.h>

#include <optional>

#include "formhost/core/fatal_message.h"
#include "formhost/win32/program/form_resource.h"
#include "formhost/win32/program/program.h"
#include "formhost/win32/routines/external_routine.h"
#include "formhost/win32/routines/host_api.h"
#include "formhost/win32/sound/background_sound.h"
#include "formhost/win32/state/host_state.h"
#include "formhost/win32/system/fatal_error.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/program_end.h"
#include "formhost/win32/system/window_class.h"
#include "formhost/win32/windows/message_loop.h"
#include "formhost/win32/windows/window_builder.h"

namespace formhost::win32 {
namespace {

constexpr std::uint32_t kStartWindow = 0x52010001;
constexpr UINT kEndProgramMessage = WM_APP + 1;

// How long another thread's end of the program waits for the GUI thread to
// take up its request before it ends the process itself: the GUI thread may
// be held by a long routine (the presenter's show runs inside one timer
// tick) or by an error box of its own.
constexpr DWORD kShutdownWaitMs = 5000;
// And how long it gives a shutdown that has begun to end, the exit routine
// included: long enough for any exit routine a program has, and not for ever.
constexpr DWORD kShutdownDoneWaitMs = 30000;

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
    // The box stops every event for good and takes the exit routine away
    // before it shows, whichever thread raised it: nothing that the user
    // does meanwhile (a save, closing the last window) runs a routine.
    set_fatal_error_host({.before_box =
                              [] {
                                  ++host().suppression;
                                  host().exit_routine = nullptr;
                              },
                          .end = [] { end_program(-1); }});
    ole.emplace();
    enter_program_folder(h);
    const wchar_t* message_class = own_window_class(L"FormHostMessageWindow", message_window_procedure);
    h.message_window = CreateWindowExW(0, message_class, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    h.gui_thread = GetCurrentThreadId();
    shutdown_begun.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    shutdown_done.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    h.routines = program.routines;
    stop_at_program_end(&sound::stop_all);
    const auto bytes = embedded_form_block();
    const auto block = bytes ? read_form_block(*bytes) : std::nullopt;
    if (!block || !fill_window_table(*block, program.routines)) fatal_error(0, fatal::kFormBlockUnreadable);
}

void shut_down() {
    HostState& h = host();
    ++h.suppression;
    h.shutting_down = true;
    if (shutdown_begun) SetEvent(shutdown_begun.get());
    // Taken before it runs: at most once, even if it ends the program itself;
    // never once a fatal error was raised.
    if (Routine exit = h.exit_routine.exchange(nullptr); exit && !fatal_error_raised()) exit();
    stop_everything_at_program_end();
    free_external_libraries();
    ole.reset();
    if (shutdown_done) SetEvent(shutdown_done.get());
}

// The end asked for by a thread other than the GUI thread: the GUI thread
// shuts down (windows, routines and players are its own), then the process
// ends here. A GUI thread that does not take the request up in time is held
// and will not: the process ends without its shutdown. One that has begun
// is given time to finish, so the exit routine runs to its end. A GUI
// thread inside a fatal error (its own box, or waiting behind this thread's)
// takes nothing up: the process ends at once.
[[noreturn]] void end_from_other_thread(int code) {
    HostState& h = host();
    // The GUI thread may enter a fatal error of its own meanwhile, and then
    // never begins.
    if (PostMessageW(h.message_window, kEndProgramMessage, static_cast<WPARAM>(code), 0) && shutdown_begun &&
        wait_unless_fatal(shutdown_begun.get(), h.gui_thread, kShutdownWaitMs) == WaitEnd::signalled)
        WaitForSingleObject(shutdown_done.get(), kShutdownDoneWaitMs);
    ExitProcess(static_cast<UINT>(code));
}

// A fatal error raised on another thread has its box up: that error ends
// the process, with -1, once the box is answered, and the GUI thread waits
// for it instead of ending the process itself.
void yield_to_another_threads_fatal_error() {
    if (fatal_error_raised() && !in_fatal_error(GetCurrentThreadId())) wait_for_fatal_end();
}

[[noreturn]] void exit_from_gui_thread(int code) {
    yield_to_another_threads_fatal_error();
    ExitProcess(static_cast<UINT>(code));
}

// "载入启动窗口失败"; where a system call failed on the way, the text names it
// and the code is the error it left.
[[noreturn]] void start_window_failed() {
    const SystemFailure failure = host().build_failure;
    FixedText<128> text;
    text.append(fatal::kStartWindowFailed);
    if (failure.call) {
        text.append("：");
        text.append(failure.call);
    }
    fatal_error(static_cast<std::int32_t>(failure.error), text.view());
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
        if (!start || !build_window(*start, nullptr, false)) start_window_failed();
        run_message_loop();
        shut_down();
        yield_to_another_threads_fatal_error();
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
    win32::exit_from_gui_thread(code);
}

}  // namespace formhost
