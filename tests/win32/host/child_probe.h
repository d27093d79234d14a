#pragma once
// Runs the probe program as a child process and collects what it did.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ProbeRun {
    bool finished = false;   // false: it was still running at the deadline
    DWORD exit_code = 0;
    std::vector<std::string> log;
    std::wstring box_caption;  // the first message box it showed, if any
    std::wstring box_text;
};

// Starts probe.exe (beside this test program) with the scenario, in the given
// current directory (empty: this one's). A message box it shows is read and
// closed with OK.
// `during` is called about every 50 ms while it runs, with the time since
// its start.
ProbeRun run_probe(const std::wstring& scenario, const std::wstring& directory = L"",
                   const std::function<void(DWORD)>& during = {});

// What the probe running `scenario` has logged so far.
std::vector<std::string> probe_log_so_far(const std::wstring& scenario);

// The folder of this test program, without the trailing backslash.
std::wstring test_program_folder();
