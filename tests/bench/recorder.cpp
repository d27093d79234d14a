// Stand-in for the programs the bench must not really start (a browser, a
// shell handler): appends its arguments as one line to
// %BENCH_RECORD_DIR%\<exe base name>.log, so a test can see what it was
// asked to open. Arguments are UTF-8, separated by TAB, without argv[0].
#include <windows.h>
// after windows.h, which it depends on
#include <shellapi.h>

#include <string>

#include "bench_env.h"

namespace {

std::string to_utf8(const wchar_t* s) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string out(static_cast<size_t>(n - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s, -1, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring log_path() {
    const std::wstring dir = bench::path_from_env(L"BENCH_RECORD_DIR");
    if (dir.empty()) return {};
    wchar_t exe[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring name(exe, n);
    name.erase(0, name.find_last_of(L"\\/") + 1);
    if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.erase(dot);
    return dir + L'\\' + name + L".log";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring path = log_path();
    if (path.empty()) return 2;

    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::string line;
    for (int i = 1; argv && i < argc; ++i) {
        if (i > 1) line += '\t';
        line += to_utf8(argv[i]);
    }
    line += '\n';
    LocalFree(argv);

    // Append-only access makes every write land at the end of the file, and
    // the exclusive lock keeps recorders started together from interleaving
    // even when a line needs more than one write.
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 200 && file == INVALID_HANDLE_VALUE; ++attempt) {
        file = CreateFileW(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) Sleep(10);
    }
    if (file == INVALID_HANDLE_VALUE) return 3;

    OVERLAPPED whole{};
    const bool locked = LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole);
    const char* p = line.data();
    DWORD left = static_cast<DWORD>(line.size());
    bool ok = true;
    while (ok && left > 0) {
        DWORD written = 0;
        ok = WriteFile(file, p, left, &written, nullptr) && written > 0;
        p += written;
        left -= written;
    }
    if (locked) UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
    CloseHandle(file);
    return ok ? 0 : 4;
}
