#include "resource_counts.h"

#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>

namespace picture_tests {
namespace {

// One entry of the GDI handle table the system maps into every process and
// names in the PEB (GdiSharedHandleTable): the 24-byte layout of 64-bit
// Windows, which Wine uses in 32-bit processes too. Only read where
// GetGuiResources says nothing, that is under Wine. A non-zero type marks a
// live object.
struct GdiTableEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiTableEntry) == 24);

constexpr int kGdiTableEntries = 0x10000;
constexpr std::size_t kPebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;  // 64-bit, 32-bit PEB

}  // namespace

int gdi_object_count() {
    if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
    // Wine answers 0 above. Its table holds this process's objects only.
    PROCESS_BASIC_INFORMATION info{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0)
        return -1;
    const auto* peb = reinterpret_cast<const std::uint8_t*>(info.PebBaseAddress);
    const auto* table = *reinterpret_cast<const GdiTableEntry* const*>(peb + kPebGdiTableOffset);
    if (!table) return -1;
    int count = 0;
    for (int i = 0; i < kGdiTableEntries; ++i) count += table[i].type != 0;
    return count;
}

int handle_count() {
    DWORD n = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &n) && n) return static_cast<int>(n);
    // Wine answers 0 above: probe the handle values themselves, multiples of
    // four handed out lowest first, until a long run of unused ones.
    constexpr ULONG_PTR kUnusedRun = 4 * 1024;
    int count = 0;
    for (ULONG_PTR value = 4, last = 0; value < last + kUnusedRun; value += 4) {
        DWORD flags;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
            last = value;
        }
    }
    return count;
}

int thread_count() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

}  // namespace picture_tests
