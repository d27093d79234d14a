// Locations the wine test bench hands to programs through the environment.
// The session exports Linux paths (BENCH_RECORD_DIR, BENCH_CAPTURE_DIR);
// wine maps the Linux root to drive Z:, so "/a/b" is reached as "Z:\a\b".
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>

namespace bench {

// The file or directory named by the environment variable, as a Windows
// path without a trailing separator; empty when the variable is unset.
inline std::wstring path_from_env(const wchar_t* name) {
    wchar_t buf[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableW(name, buf, static_cast<DWORD>(std::size(buf)));
    if (n == 0 || n >= std::size(buf)) return {};
    std::wstring dir(buf, n);
    if (dir.front() == L'/') dir.insert(0, L"Z:");
    for (auto& c : dir) {
        if (c == L'/') c = L'\\';
    }
    while (dir.size() > 3 && dir.back() == L'\\') dir.pop_back();
    return dir;
}

// A time limit of a test, stretched by BENCH_TIME_SCALE (a whole number,
// default 1): the emulated 32-bit PC runs the programs several times slower
// than this machine runs wine64.
inline DWORD scaled_ms(DWORD ms) {
    wchar_t buf[16];
    const DWORD n = GetEnvironmentVariableW(L"BENCH_TIME_SCALE", buf, static_cast<DWORD>(std::size(buf)));
    const long scale = n > 0 && n < std::size(buf) ? std::wcstol(buf, nullptr, 10) : 1;
    return scale > 1 && scale <= 20 ? ms * static_cast<DWORD>(scale) : ms;
}

}  // namespace bench
