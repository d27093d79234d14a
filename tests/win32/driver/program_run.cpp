#include "program_run.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "bench_env.h"
#include "formhost/win32/system/text_encoding.h"
#include "store/slot_names.h"

namespace {

struct Search {
    DWORD process;
    const wchar_t* cls;
    int min_width;
    HWND found = nullptr;
};

BOOL CALLBACK find_top(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    RECT r{};
    GetWindowRect(hwnd, &r);
    if (pid == s->process && IsWindowVisible(hwnd) && std::wstring(cls) == s->cls && r.right - r.left >= s->min_width) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND find_visible_window(DWORD process, const wchar_t* cls, int min_width) {
    Search s{process, cls, min_width};
    EnumWindows(find_top, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::filesystem::path test_program_folder_path() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(self).parent_path();
}

std::wstring window_text(HWND hwnd) {
    const auto length = static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string file_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ProgramRun::ProgramRun(const std::wstring& exe_name, std::optional<std::vector<std::string>> slots)
    : exe_name_(exe_name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    folder_ = std::filesystem::path(temp) /
              (L"program_run_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::copy_file(test_program_folder_path() / exe_name, folder_ / exe_name);
    if (!slots) return;
    std::filesystem::create_directories(folder_ / formhost::win32::widen("数据库"));
    for (std::size_t i = 0; i < slots->size() && i < store::kSlotCount; ++i)
        write_file(store::kSlotFiles[i], (*slots)[i]);
}

ProgramRun::~ProgramRun() {
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::filesystem::path ProgramRun::file(const std::string& gbk_name) const {
    return folder_ / formhost::win32::widen(gbk_name);
}

void ProgramRun::write_file(const std::string& gbk_name, const std::string& bytes) const {
    std::ofstream(file(gbk_name), std::ios::binary) << bytes;
}

bool ProgramRun::start() { return launch(nullptr); }

bool ProgramRun::launch(const wchar_t* environment) {
    const std::wstring exe = (folder_ / exe_name_).wstring();
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        const_cast<wchar_t*>(environment), test_program_folder_path().c_str(), &si, &process_))
        return false;
    CloseHandle(process_.hThread);
    process_.hThread = nullptr;
    return true;
}

namespace {

// This process's environment with WINEDEBUG replaced, as an environment block.
std::wstring environment_with(const std::wstring& winedebug) {
    std::wstring block;
    wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* entry = current; *entry; entry += wcslen(entry) + 1)
        if (_wcsnicmp(entry, L"WINEDEBUG=", 10) != 0) block.append(entry).push_back(L'\0');
    FreeEnvironmentStringsW(current);
    block.append(L"WINEDEBUG=" + winedebug).push_back(L'\0');
    return block;
}

}  // namespace

bool ProgramRun::start_traced(const std::wstring& routines) {
    if (bench::path_from_env(L"BENCH_WINE_LOG").empty()) return false;
    // Wine's relay trace covers the routines this value names; it is read
    // when a process starts.
    if (RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\Debug", L"RelayInclude", REG_SZ, routines.c_str(),
                        static_cast<DWORD>((routines.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        return false;
    // Each line then begins with the process id, as "0104:0108:Call ...".
    const std::wstring environment = environment_with(L"+pid,+relay");
    return launch(environment.c_str());
}

std::vector<std::string> ProgramRun::traced_calls() const {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%04lx:", process_.dwProcessId);
    std::vector<std::string> calls;
    std::ifstream in(std::filesystem::path(bench::path_from_env(L"BENCH_WINE_LOG")));
    for (std::string line; std::getline(in, line);) {
        // "0104:0108:Call user32.CreateWindowExW(...) ret=..."; calls of
        // window procedures, DLL entry points and TLS callbacks are not
        // named "dll.routine(".
        if (!line.starts_with(prefix) || line.compare(10, 5, "Call ") != 0) continue;
        const std::string call = line.substr(15, line.rfind(" ret=") - 15);
        const std::size_t dot = call.find('.'), open = call.find('('), space = call.find(' ');
        if (dot < open && open != std::string::npos && open < space) calls.push_back(call);
    }
    return calls;
}

HWND ProgramRun::wait_for_window(const wchar_t* cls, DWORD timeout_ms, int min_width) const {
    const DWORD deadline = GetTickCount() + timeout_ms;
    do {
        if (HWND found = find_visible_window(process_.dwProcessId, cls, min_width)) return found;
        if (WaitForSingleObject(process_.hProcess, 30) == WAIT_OBJECT_0) return nullptr;
    } while (GetTickCount() < deadline);
    return nullptr;
}

std::optional<ProgramRun::Box> ProgramRun::answer_message_box(DWORD timeout_ms) const {
    if (HWND box = wait_for_window(L"#32770", timeout_ms)) {
        Box b;
        b.caption = window_text(box);
        b.text = window_text(GetDlgItem(box, 0xFFFF));
        // The icon of a message box is a static control showing an icon.
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (SendMessageW(child, STM_GETICON, 0, 0)) b.error_icon = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return b;
    }
    return std::nullopt;
}

std::optional<DWORD> ProgramRun::wait_for_exit(DWORD timeout_ms) {
    if (WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}
