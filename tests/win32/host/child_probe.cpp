#include "child_probe.h"

#include <filesystem>
#include <fstream>

#include "driver/program_run.h"

std::wstring test_program_folder() { return test_program_folder_path().wstring(); }

namespace {

std::wstring probe_log_path(const std::wstring& scenario) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"probe_" + scenario + L"_" + std::to_wstring(GetCurrentProcessId()) + L".log";
}

std::vector<std::string> read_lines(const std::wstring& path) {
    std::vector<std::string> lines;
    std::ifstream in{std::filesystem::path(path)};
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

std::vector<std::string> probe_log_so_far(const std::wstring& scenario) { return read_lines(probe_log_path(scenario)); }

ProbeRun run_probe(const std::wstring& scenario, const std::wstring& directory,
                   const std::function<void(DWORD)>& during, const std::function<void(DWORD)>& before_answer,
                   const std::wstring& program) {
    ProbeRun run;
    const std::wstring log_path = probe_log_path(scenario);
    DeleteFileW(log_path.c_str());

    const std::wstring exe = program.empty() ? test_program_folder() + L"\\probe.exe" : program;
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
        HWND box = find_visible_window(pi.dwProcessId, L"#32770");
        if (box && run.box_caption.empty()) {
            run.box_caption = window_text(box);
            run.box_text = window_text(GetDlgItem(box, 0xFFFF));
            run.log_lines_at_box = read_lines(log_path).size();
            if (before_answer) before_answer(pi.dwProcessId);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            run.box_answered_ms = GetTickCount() - started;
        }
    }
    run.finished = true;
    run.ended_ms = GetTickCount() - started;
    GetExitCodeProcess(pi.hProcess, &run.exit_code);
    CloseHandle(pi.hProcess);

    run.log = read_lines(log_path);
    DeleteFileW(log_path.c_str());
    return run;
}
