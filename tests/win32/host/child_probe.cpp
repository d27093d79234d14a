#include "child_probe.h"

#include <filesystem>
#include <fstream>

namespace {

struct BoxSearch {
    DWORD process;
    HWND box = nullptr;
};

BOOL CALLBACK find_box(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (pid == search->process && std::wstring(cls) == L"#32770" && IsWindowVisible(hwnd)) {
        search->box = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::wstring text_of(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

std::wstring test_program_folder() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder = self;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

ProbeRun run_probe(const std::wstring& scenario, const std::wstring& directory,
                   const std::function<void(DWORD)>& during) {
    ProbeRun run;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring log_path =
        std::wstring(temp) + L"probe_" + scenario + L"_" + std::to_wstring(GetCurrentProcessId()) + L".log";
    DeleteFileW(log_path.c_str());

    const std::wstring exe = test_program_folder() + L"\\probe.exe";
    std::wstring command = L"\"" + exe + L"\" " + scenario + L" \"" + log_path + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &si, &pi))
        return run;
    CloseHandle(pi.hThread);

    const DWORD started = GetTickCount();
    const DWORD deadline = started + 30000;
    while (WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT) {
        if (during) during(GetTickCount() - started);
        if (GetTickCount() > deadline) {
            TerminateProcess(pi.hProcess, 99);
            WaitForSingleObject(pi.hProcess, 5000);
            CloseHandle(pi.hProcess);
            return run;
        }
        BoxSearch search{pi.dwProcessId};
        EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
        if (search.box && run.box_caption.empty()) {
            run.box_caption = text_of(search.box);
            run.box_text = text_of(GetDlgItem(search.box, 0xFFFF));
            PostMessageW(search.box, WM_COMMAND, IDOK, 0);
        }
    }
    run.finished = true;
    GetExitCodeProcess(pi.hProcess, &run.exit_code);
    CloseHandle(pi.hProcess);

    std::ifstream in{std::filesystem::path(log_path)};
    for (std::string line; std::getline(in, line);) run.log.push_back(line);
    in.close();
    DeleteFileW(log_path.c_str());
    return run;
}
