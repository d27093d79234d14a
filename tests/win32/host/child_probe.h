#pragma once
// Runs the probe program as a child process and collects what it did.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ProbeRun {
    bool finished = false;  // false: it was still running at the deadline
    DWORD exit_code = 0;
    std::vector<std::string> log;
    std::wstring box_caption;  // the first message box it showed, if any
    std::wstring box_text;
    std::size_t log_lines_at_box = 0;  // what it had logged when the box was found
    DWORD box_answered_ms = 0;         // since its start; 0: no box
    DWORD ended_ms = 0;
};

// Starts probe.exe (beside this test program) with the scenario, in the given
// current directory (empty: this one's). A message box it shows is read and
// closed with OK.
// `during` is called about every 50 ms while it runs, with the time since
// its start; `before_answer` once the box is found, with the probe's process
// id, before the box is answered. `program` is another copy of probe.exe to
// start instead.
ProbeRun run_probe(const std::wstring& scenario, const std::wstring& directory = L"",
                   const std::function<void(DWORD)>& during = {}, const std::function<void(DWORD)>& before_answer = {},
                   const std::wstring& program = L"");

// What the probe running `scenario` has logged so far.
std::vector<std::string> probe_log_so_far(const std::wstring& scenario);

// The folder of this test program, without the trailing backslash.
std::wstring test_program_folder();
