#pragma once
// Starts editor.exe in a folder of its own and drives it from outside, as a
// user would: through its windows, keys and clicks.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class EditorRun {
public:
    // Copies editor.exe (from beside this test) into a fresh folder, with the
    // given slot files under 数据库 (none: no store directory at all).
    explicit EditorRun(std::optional<std::vector<std::string>> slots);
    ~EditorRun();
    EditorRun(const EditorRun&) = delete;
    EditorRun& operator=(const EditorRun&) = delete;

    // Starts the editor and waits until its window is shown.
    bool start();
    HWND window() const { return window_; }
    DWORD thread() const { return thread_; }

    // The thirteen edit boxes and save buttons in row order, and the
    // download button.
    HWND box(int row) const;
    HWND save_button(int row) const;
    HWND download_button() const;

    std::wstring text(HWND control) const;
    void type(HWND control, const std::wstring& text) const;
    void click(HWND button) const;

    // Waits for the editor's message box, reads it and presses OK.
    struct Box {
        std::wstring caption, text;
        UINT icon_style = 0;
    };
    std::optional<Box> answer_message_box(DWORD timeout_ms = 10000) const;

    // Waits for the program to end; its exit code, or nullopt at the deadline.
    std::optional<DWORD> wait_for_exit(DWORD timeout_ms = 15000);

    std::filesystem::path folder() const { return folder_; }
    std::filesystem::path slot_file(const std::string& name) const;

private:
    std::vector<HWND> children(const wchar_t* cls) const;

    std::filesystem::path folder_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    DWORD thread_ = 0;
};

// Reads a whole file as bytes (GBK texts stay GBK).
std::string file_bytes(const std::filesystem::path& path);
