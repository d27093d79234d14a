#include "store_files.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <string>

#include "formhost/win32/gbk_text.h"
#include "store/win32/store_files_detail.h"

namespace store {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { close(); }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close() {
        const bool ok = !valid() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

bool write_all(HANDLE file, ByteView data) {
    while (!data.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, data.data(), chunk, &written, nullptr) || written == 0) return false;
        data = data.subspan(written);
    }
    return true;
}

// Unique within the process and, through the process id, among processes.
std::wstring temporary_name_for(const std::wstring& target) {
    static std::atomic<unsigned> counter{0};
    return target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) + L".tmp";
}

// A save replaces the slot in one step, and for that moment the slot cannot
// be opened (a sharing violation). Trying again shortly then reads the new
// complete text instead of nothing. A file held open for longer, by a reader
// or by a program that writes in place, still reads as empty.
HANDLE open_for_reading(const std::wstring& name) {
    constexpr int kAttempts = 20;
    for (int attempt = 1;; ++attempt) {
        HANDLE h = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION || attempt == kAttempts) return h;
        Sleep(1);
    }
}

}  // namespace

Bytes read_file(std::string_view name) {
    if (name.empty()) return {};
    FileHandle file(open_for_reading(formhost::win32::widen(name)));
    if (!file.valid()) return {};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return {};
    // One read request can ask for at most 4 GiB.
    if (static_cast<unsigned long long>(size.QuadPart) > MAXDWORD) return {};
    Bytes data;
    try {
        data.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return {};
    }
    DWORD read = 0;
    if (!ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &read, nullptr)) return {};
    data.resize(read);
    return data;
}

bool write_file(std::string_view name, std::initializer_list<ByteView> parts) {
    if (name.empty()) return false;
    const std::wstring target = formhost::win32::widen(name);
    return detail::write_file_through(target, temporary_name_for(target), parts);
}

namespace detail {

bool write_file_through(const std::wstring& target, const std::wstring& temporary,
                        std::initializer_list<ByteView> parts) {
    // CREATE_NEW in the slot's own directory: a missing directory fails here
    // and nothing is created; the rename below then stays on one volume.
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file.valid()) return false;
    bool ok = true;
    for (ByteView part : parts) ok = ok && write_all(file.get(), part);
    ok = ok && FlushFileBuffers(file.get());
    ok = file.close() && ok;
    // The slot changes in one step: a reader sees the old text or the new one.
    // A reader holding the slot open makes the replace fail with a sharing
    // violation, as it would have made opening the slot for writing fail.
    ok = ok && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temporary.c_str());
    return ok;
}

}  // namespace detail
}  // namespace store
