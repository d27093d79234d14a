// The editor driven from outside: it fills its boxes from the store beside
// it, saves each box to its slot, and opens its addresses through the
// bench's recorders.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "bench_env.h"
#include "editor_driver.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/text_encoding.h"
#include "store/slot_names.h"
#include "support/waiting.h"

namespace {

using formhost::win32::MemoryDC;
using formhost::win32::narrow;
using formhost::win32::SelectObjectScope;
using formhost::win32::UniqueBitmap;
using formhost::win32::widen;
using formhost::win32::WindowDC;
using test_support::pump_messages_until;

constexpr const char* kAddressA = "http://www.example.com/?k20100101";
constexpr const char* kAddressB = "http://www.example.com/?k10001";
constexpr const char* kAddressC = "http://download.example.com/browser/setup_k10001.exe";

std::vector<std::string> store_texts() {
    std::vector<std::string> texts;
    for (int i = 0; i < 13; ++i) texts.push_back("第" + std::to_string(i) + "条：我喜欢你");
    texts[5] = "";
    return texts;
}

std::wstring record_log(const wchar_t* name) {
    return bench::path_from_env(L"BENCH_RECORD_DIR") + L"\\" + name + L".log";
}

std::vector<std::string> recorded(const wchar_t* name) {
    std::vector<std::string> lines;
    std::ifstream in{std::filesystem::path(record_log(name))};
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Polls a recorder log until it has `count` lines (the shell starts its
// handler after it returns).
std::vector<std::string> wait_for_records(const wchar_t* name, std::size_t count, DWORD timeout_ms = 10000) {
    std::vector<std::string> lines;
    pump_messages_until(
        [&] {
            lines = recorded(name);
            return lines.size() >= count;
        },
        timeout_ms, 50);
    return lines;
}

class Editor : public ::testing::Test {
protected:
    void SetUp() override {
        if (bench::path_from_env(L"BENCH_RECORD_DIR").empty()) GTEST_SKIP() << "no bench session (recorders)";
        DeleteFileW(record_log(L"recorder").c_str());
        DeleteFileW(record_log(L"iexplore").c_str());
        DeleteFileW(record_log(L"Program").c_str());
    }
};

TEST_F(Editor, StartsWithBothAddressesAndTheStoresTextsInACentredFixedWindow) {
    EditorRun editor(store_texts());
    ASSERT_TRUE(editor.start());
    EXPECT_EQ(wait_for_records(L"iexplore", 1), std::vector<std::string>{kAddressA});
    EXPECT_EQ(wait_for_records(L"recorder", 1), std::vector<std::string>{kAddressB});

    const auto texts = store_texts();
    for (int row = 1; row <= 13; ++row) {
        ASSERT_NE(editor.box(row), nullptr) << "row " << row;
        EXPECT_EQ(narrow(editor.text(editor.box(row))), texts[static_cast<std::size_t>(row - 1)]) << "row " << row;
    }

    RECT r;
    GetWindowRect(editor.window(), &r);
    EXPECT_EQ(r.right - r.left, 790);
    EXPECT_EQ(r.bottom - r.top, 715);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 790) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 715) / 2);
    const LONG style = GetWindowLongW(editor.window(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_EQ(narrow(editor.text(editor.window())), "修改器by：QQtavimoreq");

    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(editor.thread(), &info);
    EXPECT_EQ(info.hwndFocus, editor.box(1)) << "the focus starts in the first box";

    // Escape closes the window and ends the program normally.
    PostMessageW(editor.box(1), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(editor.wait_for_exit(), std::optional<DWORD>(0));
}

TEST_F(Editor, SavingWritesTheTypedGbkBytesToTheSlotAndConfirms) {
    EditorRun editor(store_texts());
    ASSERT_TRUE(editor.start());
    HWND box = editor.box(4);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    editor.type(box, L"今晚的月色真美");
    editor.click(editor.save_button(4));
    const auto answer = editor.answer_message_box();
    ASSERT_TRUE(answer);
    EXPECT_EQ(narrow(answer->caption), "信息：");
    EXPECT_EQ(narrow(answer->text), "修改完成！数据已保存。");
    EXPECT_EQ(file_bytes(editor.slot_file(store::kSlotFiles[3])), "今晚的月色真美");

    // An empty box stores 0 bytes; slot 11 goes to the file the show reads.
    SendMessageW(editor.box(2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    editor.click(editor.save_button(2));
    ASSERT_TRUE(editor.answer_message_box());
    EXPECT_EQ(file_bytes(editor.slot_file(store::kSlotFiles[1])), "");
    EXPECT_TRUE(std::filesystem::exists(editor.slot_file(store::kSlotFiles[1])));

    editor.type(editor.box(12), L"!");
    editor.click(editor.save_button(12));
    ASSERT_TRUE(editor.answer_message_box());
    EXPECT_EQ(file_bytes(editor.slot_file("数据库/tavimore011.txt")), store_texts()[11] + "!");
    EXPECT_FALSE(std::filesystem::exists(editor.slot_file("数据库/tavimore11.txt")));
}

TEST_F(Editor, WithoutAStoreTheBoxesAreEmptyAndASaveSaysItFailed) {
    EditorRun editor(std::nullopt);
    ASSERT_TRUE(editor.start());
    for (int row = 1; row <= 13; ++row) EXPECT_EQ(editor.text(editor.box(row)), L"") << "row " << row;
    editor.type(editor.box(1), L"abc");
    editor.click(editor.save_button(1));
    const auto answer = editor.answer_message_box();
    ASSERT_TRUE(answer);
    EXPECT_EQ(narrow(answer->text), "保存失败！数据未能保存。");
    EXPECT_TRUE(answer->error_icon);
    EXPECT_EQ(editor.text(editor.box(1)), L"abc") << "the text stays for another try";
    EXPECT_FALSE(std::filesystem::exists(editor.folder() / widen("数据库")));
}

// Hearts, emoji and Hangul, which code page 936 turned into question marks
// while the editor said it had saved them, are kept in the slot as GB18030
// and come back exactly in the next editor.
TEST_F(Editor, SavesEveryCharacterTypedAndShowsItBack) {
    const std::wstring line = L"爱你♥❤사랑😀";
    const std::string gb18030 =
        "\xB0\xAE\xC4\xE3\x81\x37\xAC\x33\x81\x37\xC5\x38\x83\x31\xE8\x37\x82\x39\xFB\x36"
        "\x94\x39\xFC\x36";
    std::filesystem::path folder;
    {
        EditorRun editor(store_texts());
        ASSERT_TRUE(editor.start());
        SendMessageW(editor.box(3), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        editor.type(editor.box(3), line);
        ASSERT_EQ(editor.text(editor.box(3)), line);
        editor.click(editor.save_button(3));
        const auto answer = editor.answer_message_box();
        ASSERT_TRUE(answer);
        EXPECT_EQ(narrow(answer->text), "修改完成！数据已保存。");
        EXPECT_EQ(file_bytes(editor.slot_file(store::kSlotFiles[2])), gb18030);
    }
    std::vector<std::string> texts = store_texts();
    texts[2] = gb18030;
    EditorRun again(texts);
    ASSERT_TRUE(again.start());
    EXPECT_EQ(again.text(again.box(3)), line);
}

// A box that holds half an emoji (a lone surrogate, as a broken paste leaves
// it) shows something no file can hold: the save says it failed and the slot
// keeps its text.
TEST_F(Editor, ABoxThatShowsMoreThanAFileCanHoldIsNotSaved) {
    EditorRun editor(store_texts());
    ASSERT_TRUE(editor.start());
    const std::wstring broken = std::wstring(L"爱") + wchar_t(0xD83D);
    SendMessageW(editor.box(1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(broken.c_str()));
    editor.click(editor.save_button(1));
    const auto answer = editor.answer_message_box();
    ASSERT_TRUE(answer);
    EXPECT_EQ(narrow(answer->text), "保存失败！数据未能保存。");
    EXPECT_EQ(file_bytes(editor.slot_file(store::kSlotFiles[0])), store_texts()[0]);
    EXPECT_EQ(editor.text(editor.box(1)), broken) << "the text stays for another try";
}

// Slot files written by hand in UTF-8, as Notepad saves them, with and
// without its byte-order mark.
TEST_F(Editor, ShowsSlotFilesWrittenInUtf8) {
    std::vector<std::string> texts = store_texts();
    texts[0] = "\xEF\xBB\xBF\xE5\xB8\xA6\xE6\xA0\x87\xE8\xAE\xB0 UTF-8";  // "带标记 UTF-8", marked
    texts[1] = "\xE7\x88\xB1\xE4\xBD\xA0\xE2\x99\xA5 \xF0\x9F\x98\x80";   // "爱你♥ 😀", no mark
    EditorRun editor(texts);
    ASSERT_TRUE(editor.start());
    EXPECT_EQ(editor.text(editor.box(1)), L"带标记 UTF-8");
    EXPECT_EQ(editor.text(editor.box(2)), L"爱你♥ 😀");
    EXPECT_EQ(narrow(editor.text(editor.box(3))), texts[2]) << "a GBK file as before";
}

TEST_F(Editor, TheDownloadButtonOpensItsAddressEachTime) {
    EditorRun editor(store_texts());
    ASSERT_TRUE(editor.start());
    ASSERT_EQ(wait_for_records(L"recorder", 1).size(), 1u);
    editor.click(editor.download_button());
    editor.click(editor.download_button());
    EXPECT_EQ(wait_for_records(L"recorder", 3), (std::vector<std::string>{kAddressB, kAddressC, kAddressC}));
}

// The screen inside a window's rectangle, as 32-bit pixels.
std::vector<std::uint32_t> screen_pixels(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const WindowDC screen(nullptr);
    const MemoryDC memory(screen.get());
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const SelectObjectScope selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    return std::vector<std::uint32_t>(static_cast<const std::uint32_t*>(bits),
                                      static_cast<const std::uint32_t*>(bits) + static_cast<std::size_t>(w) * h);
}

BOOL CALLBACK collect_picture_box(HWND hwnd, LPARAM param) {
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (std::wstring(cls) == L"FormHostPictureBox") reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

TEST_F(Editor, BothAnimationsRun) {
    EditorRun editor(store_texts());
    ASSERT_TRUE(editor.start());
    std::vector<HWND> boxes;
    EnumChildWindows(editor.window(), collect_picture_box, reinterpret_cast<LPARAM>(&boxes));
    ASSERT_EQ(boxes.size(), 2u);
    for (HWND box : boxes) {
        RECT r;
        GetClientRect(box, &r);
        const auto first = screen_pixels(box);
        const bool changed = pump_messages_until([&] { return screen_pixels(box) != first; }, 2000, 100);
        EXPECT_TRUE(changed) << "the picture box of " << r.right << " x " << r.bottom << " did not change in 2 s";
    }
}

// The browser's path has blanks: quoted, nothing at "C:\Program.exe" runs in
// its place; without a browser the editor starts all the same, silently.
TEST_F(Editor, TheBrowserPathCannotBeHijackedAndMayBeMissing) {
    const std::wstring browser = L"C:\\Program Files\\Internet Explorer\\iexplore.exe";
    const std::wstring kept = browser + L".kept";
    ASSERT_TRUE(CopyFileW(L"C:\\bench\\recorder.exe", L"C:\\Program.exe", FALSE));
    ASSERT_TRUE(MoveFileExW(browser.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING));
    {
        EditorRun editor(store_texts());
        ASSERT_TRUE(editor.start());
        EXPECT_EQ(wait_for_records(L"recorder", 1), std::vector<std::string>{kAddressB});
        EXPECT_EQ(narrow(editor.text(editor.box(1))), store_texts()[0]);
        EXPECT_FALSE(editor.answer_message_box(500)) << "no message at start";
    }
    MoveFileExW(kept.c_str(), browser.c_str(), MOVEFILE_REPLACE_EXISTING);
    EXPECT_TRUE(recorded(L"Program").empty()) << "C:\\Program.exe was run";
    DeleteFileW(L"C:\\Program.exe");

    // With the browser back but C:\Program.exe present, still the browser.
    CopyFileW(L"C:\\bench\\recorder.exe", L"C:\\Program.exe", FALSE);
    {
        EditorRun editor(store_texts());
        ASSERT_TRUE(editor.start());
        EXPECT_EQ(wait_for_records(L"iexplore", 1), std::vector<std::string>{kAddressA});
    }
    EXPECT_TRUE(recorded(L"Program").empty()) << "C:\\Program.exe was run";
    DeleteFileW(L"C:\\Program.exe");
}

}  // namespace
