#pragma once
// Drives editor.exe from outside, as a user would: through its window, its
// boxes and buttons, keys and clicks.
#include <windows.h>

#include "driver/program_run.h"

class EditorRun {
public:
    explicit EditorRun(std::optional<std::vector<std::string>> slots) : run_(L"editor.exe", std::move(slots)) {}

    // Starts the editor and waits until its window is shown.
    bool start();
    HWND window() const { return window_; }
    DWORD thread() const { return GetWindowThreadProcessId(window_, nullptr); }

    // The thirteen edit boxes and save buttons in row order, and the
    // download button.
    HWND box(int row) const;
    HWND save_button(int row) const;
    HWND download_button() const;

    std::wstring text(HWND control) const { return window_text(control); }
    void type(HWND control, const std::wstring& text) const;
    void click(HWND button) const { PostMessageW(button, BM_CLICK, 0, 0); }

    std::optional<ProgramRun::Box> answer_message_box(DWORD timeout_ms = 10000) const {
        return run_.answer_message_box(timeout_ms);
    }
    std::optional<DWORD> wait_for_exit(DWORD timeout_ms = 15000) { return run_.wait_for_exit(timeout_ms); }
    std::filesystem::path folder() const { return run_.folder(); }
    std::filesystem::path slot_file(const std::string& gbk_name) const { return run_.file(gbk_name); }

private:
    HWND child_at(const wchar_t* cls, int left, int top) const;

    ProgramRun run_;
    HWND window_ = nullptr;
};
