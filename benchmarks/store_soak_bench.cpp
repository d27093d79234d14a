// Two processes on one slot for a minute: one saves through the editor's
// save path, one reads through the show's read path, as fast as they can.
// Every read must be one whole saved text, never torn, short or empty, and
// never an older text than one read before; every save reported as done
// must be in the slot, and every save reported as failed must have left the
// text before it. Prints the counts; exits non-zero on any violation.
//   store_soak_bench [seconds]                    (default 60)
//   store_soak_bench save|read <folder> <ms> <result file>   (the two halves)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "formhost/win32/system/text_encoding.h"
#include "store/slot_names.h"
#include "store/text_bytes.h"
#include "store/win32/store_files.h"

namespace {

const char* const kSlot = store::kSlotFiles[3];

// Save n's text: its number at both ends and a body whose length and byte
// change with n (1 to 40 KB), so that any mix of two saves shows.
std::string save_text(unsigned n) {
    const std::string number = std::to_string(n);
    const std::size_t body = 1000 + (n * 7919u) % 40000u;
    return "save " + number + ":" + std::string(body, static_cast<char>('a' + n % 26)) + ":" + number;
}

// The save number of a whole text, or -1 for anything else.
long long whole_save(const std::string& text) {
    if (!text.starts_with("save ")) return -1;
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return -1;
    char* end = nullptr;
    const unsigned long long n = std::strtoull(text.c_str() + 5, &end, 10);
    if (end != text.c_str() + colon) return -1;
    return text == save_text(static_cast<unsigned>(n)) ? static_cast<long long>(n) : -1;
}

std::string load() { return store::to_text(store::read_file(kSlot)); }

struct Counts {
    unsigned long saves = 0, failed_saves = 0, lost_saves = 0, failed_but_changed = 0;
    unsigned long reads = 0, torn = 0, empty = 0, older = 0;
};

int saver(DWORD duration_ms, const std::wstring& result) {
    Counts c;
    unsigned in_slot = 0;  // the slot starts with save 0
    const DWORD start = GetTickCount();
    for (unsigned n = 1; GetTickCount() - start < duration_ms; ++n) {
        const store::Bytes bytes = store::to_byte_set(save_text(n));
        const bool saved = store::write_file(kSlot, {bytes});
        // Nobody else writes the slot: it holds exactly the last save that
        // was reported done.
        const long long now = whole_save(load());
        if (saved) {
            ++c.saves;
            in_slot = n;
            if (now != n) ++c.lost_saves;
        } else {
            ++c.failed_saves;
            if (now != in_slot) ++c.failed_but_changed;
        }
    }
    std::ofstream(std::filesystem::path(result))
        << c.saves << ' ' << c.failed_saves << ' ' << c.lost_saves << ' ' << c.failed_but_changed << '\n';
    return 0;
}

int reader(DWORD duration_ms, const std::wstring& result) {
    Counts c;
    long long last = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < duration_ms) {
        const std::string text = load();
        ++c.reads;
        const long long n = whole_save(text);
        if (text.empty()) ++c.empty;
        else if (n < 0) ++c.torn;
        else if (n < last) ++c.older;
        else last = n;
    }
    std::ofstream(std::filesystem::path(result))
        << c.reads << ' ' << c.torn << ' ' << c.empty << ' ' << c.older << '\n';
    return 0;
}

HANDLE start_half(const wchar_t* mode, const std::filesystem::path& folder, DWORD ms,
                  const std::filesystem::path& result) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" " + mode + L" \"" + folder.wstring() + L"\" " +
                           std::to_wstring(ms) + L" \"" + result.wstring() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

int soak(unsigned seconds) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder = std::filesystem::path(temp) /
                                         (L"store_soak_" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / formhost::win32::widen("数据库"));
    SetCurrentDirectoryW(folder.c_str());
    const store::Bytes first = store::to_byte_set(save_text(0));
    if (!store::write_file(kSlot, {first})) {
        std::printf("store soak: the first save failed\n");
        return 1;
    }

    const DWORD ms = seconds * 1000;
    const auto saves_file = folder / L"saves.txt", reads_file = folder / L"reads.txt";
    HANDLE halves[2] = {start_half(L"save", folder, ms, saves_file), start_half(L"read", folder, ms, reads_file)};
    if (!halves[0] || !halves[1]) {
        std::printf("store soak: cannot start its two processes\n");
        return 1;
    }
    WaitForMultipleObjects(2, halves, TRUE, ms + 60000);
    CloseHandle(halves[0]);
    CloseHandle(halves[1]);

    Counts c;
    std::ifstream(saves_file) >> c.saves >> c.failed_saves >> c.lost_saves >> c.failed_but_changed;
    std::ifstream(reads_file) >> c.reads >> c.torn >> c.empty >> c.older;
    SetCurrentDirectoryW(temp);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);

    std::printf("store soak, %u s, one slot, two processes:\n", seconds);
    std::printf("  saves: %lu done, %lu reported failed (a reader held the slot); lost: %lu; failed yet changed: %lu\n",
                c.saves, c.failed_saves, c.lost_saves, c.failed_but_changed);
    std::printf("  reads: %lu; torn or short: %lu; empty: %lu; older than one read before: %lu\n", c.reads, c.torn,
                c.empty, c.older);
    const bool sound = c.saves > 0 && c.reads > 0 &&
                       c.lost_saves + c.failed_but_changed + c.torn + c.empty + c.older == 0;
    return sound ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 5) {
        const std::wstring mode = argv[1];
        SetCurrentDirectoryW(argv[2]);
        const DWORD ms = static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10));
        if (mode == L"save") return saver(ms, argv[4]);
        if (mode == L"read") return reader(ms, argv[4]);
        return 2;
    }
    const unsigned seconds = argc > 1 ? static_cast<unsigned>(std::wcstoul(argv[1], nullptr, 10)) : 60;
    return soak(seconds ? seconds : 60);
}
