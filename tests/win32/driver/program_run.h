#pragma once
// Runs one of the programs from a fresh folder of its own, beside a message
// store the test lays out, and finds its windows from outside.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class ProgramRun {
public:
    // Copies `exe_name` (from beside this test program) into a fresh folder,
    // with the given slot files under 数据库 (none: no store directory).
    ProgramRun(const std::wstring& exe_name, std::optional<std::vector<std::string>> slots);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Starts the program from another current directory (it must find its
    // store by itself).
    bool start();
    // Starts it as start() does, with Wine's trace of the calls it makes to
    // the named system routines (e.g. "user32.CreateWindowExW;winmm.timeBeginPeriod"),
    // which Wine writes where scripts/wine/run sends Wine's own messages:
    // the file BENCH_WINE_LOG names. false without that file.
    bool start_traced(const std::wstring& routines);
    // The traced calls so far, in order: "user32.CreateWindowExW(...)" and so
    // on, as Wine wrote them.
    std::vector<std::string> traced_calls() const;
    // A visible top-level window of the program whose class is `cls` (and,
    // if given, whose size is at least `min_width` wide), waiting up to the
    // deadline.
    HWND wait_for_window(const wchar_t* cls, DWORD timeout_ms, int min_width = 0) const;

    struct Box {
        std::wstring caption, text;
        bool error_icon = false;
    };
    // Waits for the program's message box, reads it and presses OK.
    std::optional<Box> answer_message_box(DWORD timeout_ms = 10000) const;

    std::optional<DWORD> wait_for_exit(DWORD timeout_ms = 15000);

    std::filesystem::path folder() const { return folder_; }
    // A file of the folder by its GBK name, such as "数据库/tavimore00.txt".
    std::filesystem::path file(const std::string& gbk_name) const;
    // Writes a slot file (or any file) of the folder.
    void write_file(const std::string& gbk_name, const std::string& bytes) const;

private:
    std::filesystem::path folder_;
    bool launch(const wchar_t* environment);

    std::wstring exe_name_;
    PROCESS_INFORMATION process_{};
};

// A visible top-level window of the process whose class is `cls` and which
// is at least `min_width` wide; null when there is none.
HWND find_visible_window(DWORD process, const wchar_t* cls, int min_width = 0);

std::wstring window_text(HWND hwnd);
std::string file_bytes(const std::filesystem::path& path);
std::filesystem::path test_program_folder_path();
