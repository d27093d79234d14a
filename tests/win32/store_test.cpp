#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "formhost/win32/system/text_encoding.h"
#include "store/slot_names.h"
#include "store/text_bytes.h"
#include "store/win32/store_files.h"
#include "store/win32/store_files_detail.h"
#include "store_hammer_texts.h"

namespace {

using formhost::win32::widen;
using store::Bytes;

const std::string kStoreDirectory = "数据库";
const std::string kSlot = store::kSlotFiles[3];

// Each test runs in a fresh working directory of its own, with or without a
// store directory in it.
class StoreFiles : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        work_ = std::filesystem::path(temp) /
                (std::wstring(L"store_test_") + widen(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 L"_" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::remove_all(work_);
        std::filesystem::create_directories(work_);
        GetCurrentDirectoryW(MAX_PATH, previous_);
        ASSERT_TRUE(SetCurrentDirectoryW(work_.c_str()));
    }
    void TearDown() override {
        SetCurrentDirectoryW(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(work_, ignored);
    }

    void make_store() { ASSERT_TRUE(CreateDirectoryW(widen(kStoreDirectory).c_str(), nullptr)); }

    // Everything in the working directory, recursively, for "nothing else
    // was created" checks.
    std::vector<std::wstring> entries() const {
        std::vector<std::wstring> names;
        for (const auto& e : std::filesystem::recursive_directory_iterator(work_))
            names.push_back(e.path().lexically_relative(work_).wstring());
        return names;
    }

    static bool save(const std::string& text) {
        const Bytes bytes = store::to_byte_set(text);
        return store::write_file(kSlot, {bytes});
    }
    static std::string load() { return store::to_text(store::read_file(kSlot)); }

    std::filesystem::path work_;
    wchar_t previous_[MAX_PATH] = {};
};

TEST_F(StoreFiles, WithoutTheDirectoryReadsAreEmptyAndSavesFailCreatingNothing) {
    EXPECT_EQ(load(), "");
    EXPECT_FALSE(save("text"));
    EXPECT_TRUE(entries().empty()) << "first entry: " << formhost::win32::narrow(entries().front());
}

TEST_F(StoreFiles, SavesReplaceTheWholeTextExactly) {
    make_store();
    ASSERT_TRUE(save("a much longer text than the next one"));
    ASSERT_TRUE(save("short"));
    EXPECT_EQ(store::read_file(kSlot), store::to_byte_set("short")) << "nothing of the old tail remains";

    ASSERT_TRUE(save("我喜欢你\r\n不止一点点\r\n"));
    EXPECT_EQ(load(), "我喜欢你\r\n不止一点点\r\n") << "CR LF pairs and GBK bytes pass unchanged";

    ASSERT_TRUE(save(""));
    EXPECT_EQ(std::filesystem::file_size(work_ / widen(kSlot)), 0u);
    EXPECT_EQ(load(), "");
    EXPECT_EQ(entries().size(), 2u) << "only the directory and the slot file, no temporary left";
}

TEST_F(StoreFiles, SeveralByteSetsAreWrittenInArgumentOrder) {
    make_store();
    const Bytes a{'1', '2'}, none{}, b{'3'};
    ASSERT_TRUE(store::write_file(kSlot, {a, none, b}));
    EXPECT_EQ(load(), "123");
}

TEST_F(StoreFiles, ALargeTextSurvivesWhole) {
    make_store();
    std::string text;
    for (int i = 0; text.size() < 6'000'000; ++i) text += "第" + std::to_string(i) + "行\r\n";
    ASSERT_TRUE(save(text));
    EXPECT_EQ(load(), text);
}

TEST_F(StoreFiles, AReaderHoldingTheFileMakesTheSaveFailAndLeavesItUnchanged) {
    make_store();
    ASSERT_TRUE(save("old"));
    HANDLE reader = CreateFileW(widen(kSlot).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(save("new"));
    EXPECT_EQ(load(), "old") << "a second reader still gets the text";
    CloseHandle(reader);
    EXPECT_EQ(load(), "old");
    EXPECT_EQ(entries().size(), 2u) << "no temporary left";
    EXPECT_TRUE(save("new")) << "once the reader is gone";
    EXPECT_EQ(load(), "new");
}

// A save's replace, or another program writing the slot in place, holds it
// without sharing: a read waits a moment for it to be let go, and then gives
// up with nothing rather than hang.
TEST_F(StoreFiles, AReadWaitsOutABriefExclusiveHoldButNotALongOne) {
    make_store();
    ASSERT_TRUE(save("text"));
    const auto hold = [&] {
        return CreateFileW(widen(kSlot).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE brief = hold();
    ASSERT_NE(brief, INVALID_HANDLE_VALUE);
    // Let go 60 ms on, from another thread, while the read tries again.
    std::thread releaser([brief] {
        Sleep(60);
        CloseHandle(brief);
    });
    EXPECT_EQ(load(), "text");
    releaser.join();

    HANDLE held = hold();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const ULONGLONG asked = GetTickCount64();
    EXPECT_EQ(load(), "");
    EXPECT_LT(GetTickCount64() - asked, 2000u) << "a held file is given up on";
    CloseHandle(held);
    EXPECT_EQ(load(), "text");
}

TEST_F(StoreFiles, AFailedStepOfASaveLeavesTheOldText) {
    make_store();
    ASSERT_TRUE(save("old"));
    const std::wstring target = widen(kSlot);
    const Bytes bytes = store::to_byte_set("new");

    // The temporary file cannot be created: its name is taken by a directory.
    const std::wstring blocked = target + L".blocked";
    ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));
    EXPECT_EQ(store::detail::write_file_through(target, blocked, {bytes}), store::detail::SaveOutcome::name_taken);
    EXPECT_EQ(load(), "old");
    RemoveDirectoryW(blocked.c_str());

    // The replace fails: the slot's name is a directory.
    const std::wstring folder_slot = widen(store::kSlotFiles[5]);
    ASSERT_TRUE(CreateDirectoryW(folder_slot.c_str(), nullptr));
    EXPECT_FALSE(store::write_file(store::kSlotFiles[5], {bytes}));
    EXPECT_TRUE(std::filesystem::is_directory(folder_slot));
    EXPECT_EQ(load(), "old");
    EXPECT_EQ(entries().size(), 3u) << "store, slot 03 and the directory: the temporary was removed";
}

TEST_F(StoreFiles, TemporaryNamesAreAsLongAsTheSlotsAndLieBesideIt) {
    const std::wstring target = widen(kSlot);
    const std::wstring first = store::detail::temporary_name(target, 0);
    const std::wstring second = store::detail::temporary_name(target, 1);
    EXPECT_EQ(first.size(), target.size());
    EXPECT_NE(first, target);
    EXPECT_NE(first, second);
    EXPECT_EQ(first.substr(0, first.find_last_of(L'/')), widen(kStoreDirectory));
    EXPECT_EQ(store::detail::temporary_name(L"ab", 0), L"~0");
    EXPECT_EQ(store::detail::temporary_name(L"ab", 35), L"~z");
    EXPECT_EQ(store::detail::temporary_name(L"ab", 36), L"") << "no more numbers in one character";
    EXPECT_EQ(store::detail::temporary_name(L"dir/", 0), L"") << "no file name at all";
}

TEST_F(StoreFiles, TemporariesLeftByAKilledSaveMakeTheNextSaveTryFurtherNames) {
    make_store();
    ASSERT_TRUE(save("old"));
    const std::wstring target = widen(kSlot);
    for (unsigned attempt = 0; attempt < 3; ++attempt)
        std::ofstream(work_ / store::detail::temporary_name(target, attempt), std::ios::binary) << "left over";
    EXPECT_TRUE(save("new"));
    EXPECT_EQ(load(), "new");
    EXPECT_EQ(entries().size(), 5u) << "the store, the slot and the three files left over, untouched";
}

TEST_F(StoreFiles, AStoreWhosePathJustFitsMaxPathReadsAndSaves) {
    // Folders nested until the slot's full path is MAX_PATH - 1 characters,
    // the longest a path of the ANSI and plain wide calls can be on Windows.
    // (Wine takes longer paths too, so there the name lengths checked above
    // carry the point.)
    std::filesystem::path folder = work_;
    const std::size_t slot_length = widen(kSlot).size() + 1;  // with the separator
    while (folder.wstring().size() + slot_length + 1 + 20 < MAX_PATH - 1) folder /= std::wstring(20, L'f');
    const std::size_t last = MAX_PATH - 1 - slot_length - folder.wstring().size() - 1;
    ASSERT_GT(last, 0u);
    folder /= std::wstring(last, L'g');
    ASSERT_EQ(folder.wstring().size() + slot_length, static_cast<std::size_t>(MAX_PATH - 1));
    std::filesystem::create_directories(folder / widen(kStoreDirectory));
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    std::ofstream(folder / widen(kSlot), std::ios::binary) << "old";
    EXPECT_EQ(load(), "old");
    EXPECT_TRUE(save("new"));
    EXPECT_EQ(load(), "new");
    SetCurrentDirectoryW(work_.c_str());
}

// A file of `size` bytes that takes no room: a hole, then "x" as its last
// byte so that a read that stopped early shows.
void make_sparse(const std::wstring& name, unsigned long long size) {
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD ignored = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
    if (size > 0) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(size - 1);
        ASSERT_TRUE(SetFilePointerEx(file, at, nullptr, FILE_BEGIN));
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file, "x", 1, &written, nullptr));
    }
    CloseHandle(file);
}

TEST_F(StoreFiles, EverySizeGivesTheWholeFileOrWhenItCannotBeHeldNothing) {
    make_store();
    const unsigned long long sizes[] = {0, 1, 5ull << 20, 5ull << 29, (9ull << 29) + 3};  // up to 4.5 GiB
    for (const unsigned long long size : sizes) {
        SCOPED_TRACE(size);
        make_sparse(widen(kSlot), size);
        const Bytes bytes = store::read_file(kSlot);
        // Both programs load a slot as the text of its bytes; a sparse file
        // begins with zero bytes, so only a 1-byte file has a text.
        EXPECT_EQ(store::to_text(bytes), size == 1 ? "x" : "");
        // A 32-bit program cannot hold 2 GiB; a 64-bit one can.
        const bool holdable = size < (1ull << 31) || sizeof(void*) == 8;
        if (!holdable || size == 0) {
            EXPECT_TRUE(bytes.empty());
            continue;
        }
        ASSERT_EQ(bytes.size(), size);
        EXPECT_EQ(bytes.back(), 'x');
        EXPECT_EQ(bytes.front(), size == 1 ? 'x' : 0);
    }
    DeleteFileW(widen(kSlot).c_str());
}

TEST_F(StoreFiles, EmptyNamesFailQuietly) {
    EXPECT_TRUE(store::read_file("").empty());
    EXPECT_FALSE(store::write_file("", {}));
}

// Runs store_hammer.exe from beside this test program.
DWORD run_hammer(const std::wstring& mode, const std::wstring& file, int milliseconds, HANDLE* process) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring exe = std::filesystem::path(self).replace_filename(L"store_hammer.exe").wstring();
    std::wstring command = L"\"" + exe + L"\" " + mode + L" \"" + file + L"\" " + std::to_wstring(milliseconds);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return GetLastError();
    CloseHandle(pi.hThread);
    *process = pi.hProcess;
    return 0;
}

TEST_F(StoreFiles, ReadersNeverSeeAPartialSaveFromAnotherProcess) {
    make_store();
    ASSERT_TRUE(save(hammer_text(0)));
    const std::wstring file = widen(kSlot);
    HANDLE writer = nullptr, reader = nullptr;
    ASSERT_EQ(run_hammer(L"write", file, 3000, &writer), 0u);
    ASSERT_EQ(run_hammer(L"read", file, 3000, &reader), 0u);
    HANDLE both[2] = {writer, reader};
    ASSERT_EQ(WaitForMultipleObjects(2, both, TRUE, 60000), WAIT_OBJECT_0);
    DWORD writer_code = 0, reader_code = 0;
    GetExitCodeProcess(writer, &writer_code);
    GetExitCodeProcess(reader, &reader_code);
    CloseHandle(writer);
    CloseHandle(reader);
    EXPECT_EQ(writer_code, 0u) << "no save went through";
    EXPECT_EQ(reader_code, 0u) << "reads that were neither complete text";
    const std::string last = load();
    EXPECT_TRUE(last == hammer_text(0) || last == hammer_text(1));
}

}  // namespace
