#include "process_counts.h"

#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace test_support {
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

// One entry of SYSTEM_HANDLE_INFORMATION, which is a count (padded to a
// pointer's size) followed by one such entry per open handle of the system.
struct HandleEntry {
    ULONG process_id;
    BYTE object_type;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};

constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr auto kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

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
    // Wine answers 0 above. The system's handle table, filtered to this
    // process, counts every handle wherever its value lies; guessing at the
    // values instead (GetHandleInformation on each multiple of four up to a
    // long unused run) misses a handle past such a run, and takes many times
    // as long.
    std::vector<std::uint8_t> table(1 << 20);
    ULONG length = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(kSystemHandleInformation, table.data(), static_cast<ULONG>(table.size()),
                                              &length)) == kInfoLengthMismatch &&
           table.size() < (1u << 28)) {
        table.resize(table.size() * 2);
    }
    if (status != 0) return -1;
    ULONG entries = 0;
    std::memcpy(&entries, table.data(), sizeof entries);
    const std::size_t first = sizeof(ULONG_PTR);
    int count = 0;
    for (ULONG i = 0; i < entries && first + (i + 1) * sizeof(HandleEntry) <= table.size(); ++i) {
        HandleEntry entry;
        std::memcpy(&entry, table.data() + first + i * sizeof(HandleEntry), sizeof entry);
        count += entry.process_id == GetCurrentProcessId();
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

}  // namespace test_support
