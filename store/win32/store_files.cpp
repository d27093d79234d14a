#include "store_files.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <string>

#include "formhost/win32/state/host_state.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/text_encoding.h"
#include "store/win32/store_files_detail.h"

namespace store {
namespace {

using formhost::win32::UniqueFile;

// A request's length is a DWORD, so a file above 4 GiB takes several; 1 GiB
// requests keep each one well inside what every system accepts.
constexpr std::size_t kLargestRequest = std::size_t{1} << 30;

bool write_all(HANDLE file, ByteView data) {
    while (!data.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), kLargestRequest));
        DWORD written = 0;
        if (!WriteFile(file, data.data(), chunk, &written, nullptr) || written == 0) return false;
        data = data.subspan(written);
    }
    return true;
}

// A save replaces the slot in one step, and for that moment the slot cannot
// be opened (a sharing violation). Trying again for a while then reads the
// new complete text instead of nothing, however often the saves follow each
// other and however short the system's sleeps are. A file held open for
// longer, by a reader or by a program that writes in place, still reads as
// empty.
HANDLE open_for_reading(const std::wstring& name) {
    constexpr ULONGLONG kPatienceMs = 250;
    const ULONGLONG deadline = GetTickCount64() + kPatienceMs;
    for (;;) {
        HANDLE h = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION || GetTickCount64() >= deadline) {
            return h;
        }
        Sleep(1);
    }
}

// The system's long form of an absolute path, which no length limit stops.
std::wstring long_form(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\")) return path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

}  // namespace

std::wstring path_of(std::string_view name) {
    std::wstring path = formhost::win32::widen(name);
    const std::wstring& folder = formhost::win32::host().program_folder;
    const bool relative = path.size() < 2 || (path[1] != L':' && path[0] != L'\\' && path[0] != L'/');
    if (folder.empty() || !relative) return path;
    // The long form takes no forward slashes and no ".." of its own.
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return long_form(folder + L'\\' + path);
}

Bytes read_file(std::string_view name) {
    if (name.empty()) return {};
    UniqueFile file(open_for_reading(path_of(name)));
    if (!file.valid()) return {};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return {};
    Bytes data;
    // More than the address space can hold (2 GiB and up in a 32-bit
    // program) is a file that cannot be held, as is one the heap refuses.
    if (static_cast<unsigned long long>(size.QuadPart) > data.max_size()) return {};
    try {
        data.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return {};
    }
    // Read in requests of at most 1 GiB; a file cut shorter meanwhile gives
    // the bytes that arrived.
    std::size_t filled = 0;
    while (filled < data.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - filled, kLargestRequest));
        DWORD read = 0;
        if (!ReadFile(file.get(), data.data() + filled, chunk, &read, nullptr)) return {};
        if (read == 0) break;
        filled += read;
    }
    data.resize(filled);
    return data;
}

bool write_file(std::string_view name, std::initializer_list<ByteView> parts) {
    if (name.empty()) return false;
    const std::wstring target = path_of(name);
    // A name left behind by a save that never ended (its process killed),
    // or taken by a save of another process right now, makes this save use
    // the next one.
    for (unsigned attempt = 0; attempt < detail::kTemporaryAttempts; ++attempt) {
        const std::wstring temporary = detail::temporary_name(target, attempt);
        if (temporary.empty()) break;
        const detail::SaveOutcome outcome = detail::write_file_through(target, temporary, parts);
        if (outcome != detail::SaveOutcome::name_taken) return outcome == detail::SaveOutcome::saved;
    }
    return false;
}

namespace detail {

std::wstring temporary_name(const std::wstring& target, unsigned attempt) {
    // The last characters of the slot's own file name give way to "~" and
    // the attempt number in base 36: the name is exactly as long as the
    // slot's, so it fits wherever the slot's path fits (MAX_PATH), and it
    // lies in the slot's directory, so the replace stays on one volume.
    const std::size_t name_start = target.find_last_of(L"/\\") + 1;  // npos + 1 is 0
    const std::size_t marked = std::min<std::size_t>(target.size() - name_start, 4);
    if (marked == 0) return {};
    std::wstring name = target;
    const std::size_t first = target.size() - marked;
    name[first] = L'~';
    unsigned rest = attempt;
    for (std::size_t i = target.size(); i-- > first + 1; rest /= 36)
        name[i] = L"0123456789abcdefghijklmnopqrstuvwxyz"[rest % 36];
    if (rest != 0) return {};  // this name length has no more numbers
    return name;
}

SaveOutcome write_file_through(const std::wstring& target, const std::wstring& temporary,
                               std::initializer_list<ByteView> parts) {
    // CREATE_NEW in the slot's own directory: a missing directory fails here
    // and nothing is created.
    UniqueFile file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        // A file of that name exists, or a directory (access denied).
        const bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
        return taken ? SaveOutcome::name_taken : SaveOutcome::failed;
    }
    bool ok = true;
    for (ByteView part : parts) ok = ok && write_all(file.get(), part);
    ok = ok && FlushFileBuffers(file.get());
    ok = file.close() && ok;
    // The slot changes in one step: a reader sees the old text or the new one.
    // A reader holding the slot open makes the replace fail with a sharing
    // violation, as it would have made opening the slot for writing fail.
    ok = ok && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temporary.c_str());
    return ok ? SaveOutcome::saved : SaveOutcome::failed;
}

}  // namespace detail
}  // namespace store
