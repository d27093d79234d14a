// The whole show on the real screen: presenter.exe runs from a folder of its
// own beside a test store, and the screen is read while the show runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "bench_env.h"
#include "driver/program_run.h"
#include "formhost/win32/drawing/text_line.h"
#include "formhost/win32/system/owners.h"
#include "presenter/show/heart_layout.h"
#include "support/waiting.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// What the show writes and where, on this screen: the show's own heart
// layout, whose first point and whose 25th give the text blocks their start
// (each block begins left of the first point by its own offset), and the
// canvas's line height.
struct Layout {
    presenter::HeartLayout hearts;
    int line;
    Layout(int screen_width, int screen_height, int line_height)
        : hearts(screen_width, screen_height), line(line_height) {}
    presenter::Point first_rose() const { return hearts.big_point(1); }
    int block(int x_offset) const { return first_rose().x - x_offset; }
    // The tops of the first and the last block (slots 00 to 04, 07 to 12)
    // and of the block of slots 05 and 06.
    int outer_block_y() const { return hearts.big_point(25).y; }
    int middle_block_y() const { return first_rose().y; }
};

using formhost::win32::MemoryDC;
using formhost::win32::SelectObjectScope;
using formhost::win32::UniqueBitmap;
using formhost::win32::UniqueFont;
using formhost::win32::WindowDC;

// The canvas's font, as the stage's form gives it.
UniqueFont canvas_font() { return UniqueFont(CreateFontW(-64, 0, 0, 0, 700, 0, 0, 0, 0, 3, 2, 1, 0x31, L"楷体")); }

Layout layout_for_screen() {
    // Line height: "W" in the canvas font, as the presenter measures it.
    WindowDC dc(nullptr);
    const UniqueFont font = canvas_font();
    SelectObjectScope selected(dc.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), L"W", 1, &size);
    return Layout(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), size.cy);
}

// The pure magenta pixels of a rectangle of a DC, cut to the box around
// them, so that two drawings compare wherever each was placed.
struct Shape {
    int width = 0, height = 0, count = 0;
    std::vector<std::uint8_t> bits;
    bool at(int x, int y) const { return x < width && y < height && bits[static_cast<std::size_t>(y * width + x)]; }
};

Shape magenta_shape(HDC source, int left, int top, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC copy(source);
    {
        SelectObjectScope selected(copy.get(), bitmap.get());
        BitBlt(copy.get(), 0, 0, width, height, source, left, top, SRCCOPY);
        GdiFlush();
    }
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const auto magenta = [&](int x, int y) { return (pixels[y * width + x] & 0xFFFFFF) == 0xFF00FF; };
    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (magenta(x, y)) x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
    Shape shape;
    if (x1 < 0) return shape;
    shape.width = x1 - x0 + 1;
    shape.height = y1 - y0 + 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            shape.bits.push_back(magenta(x, y));
            shape.count += magenta(x, y);
        }
    return shape;
}

// A line drawn in magenta on white, by the canvas's font alone or as the
// canvas writes lines.
Shape shape_in_canvas_font(const std::wstring& line, bool as_the_canvas = false) {
    const int width = 1200, height = 200;
    WindowDC screen(nullptr);
    MemoryDC dc(screen.get());
    const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    SelectObjectScope selected(dc.get(), bitmap.get());
    const RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const UniqueFont font = canvas_font();
    SelectObjectScope font_selected(dc.get(), font.get());
    SetTextColor(dc.get(), RGB(255, 0, 255));
    SetBkMode(dc.get(), TRANSPARENT);
    if (as_the_canvas) {
        formhost::win32::TextLine(dc.get(), line).draw(dc.get(), 10, 10);
    } else {
        TextOutW(dc.get(), 10, 10, line.data(), static_cast<int>(line.size()));
    }
    return magenta_shape(dc.get(), 0, 0, width, height);
}

// Alike when the boxes agree within two pixels and at most 2 % of the
// larger shape's pixels differ.
std::ostream& operator<<(std::ostream& out, const Shape& s) {
    return out << s.width << " x " << s.height << ", " << s.count << " pixels";
}

bool alike(const Shape& a, const Shape& b) {
    if (std::abs(a.width - b.width) > 2 || std::abs(a.height - b.height) > 2) return false;
    int differing = 0;
    for (int y = 0; y < std::max(a.height, b.height); ++y)
        for (int x = 0; x < std::max(a.width, b.width); ++x) differing += a.at(x, y) != b.at(x, y);
    return differing * 50 <= std::max(a.count, b.count);
}

// Magenta pixels of the screen inside a rectangle.
int magenta_in(int left, int top, int width, int height) {
    const WindowDC screen(nullptr);
    const MemoryDC memory(screen.get());
    const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    const SelectObjectScope selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), left, top, SRCCOPY);
    int count = 0;
    for (int y = 0; y < height; y += 2)
        for (int x = 0; x < width; x += 2) count += GetPixel(memory.get(), x, y) == kMagenta;
    return count;
}

int red_roses_in(int left, int top, int width, int height) {
    const WindowDC screen(nullptr);
    int count = 0;
    for (int y = top; y < top + height; y += 4)
        for (int x = left; x < left + width; x += 4) {
            const COLORREF c = GetPixel(screen.get(), x, y);
            count += GetRValue(c) > 150 && GetGValue(c) < 90 && GetBValue(c) < 110;
        }
    return count;
}

// The calls that the start-up order and the show's timing rely on, from
// Wine's trace of the presenter: windows of the host in a row count once.
constexpr wchar_t kTracedRoutines[] =
    L"user32.DisableProcessWindowsGhosting;user32.CreateWindowExW;winmm.timeBeginPeriod;winmm.timeEndPeriod;"
    L"user32.GetSystemMetrics;user32.GetWindowLongA";

bool is_screen_read(const std::string& call) { return call.starts_with("user32.GetSystemMetrics"); }

std::vector<std::string> timing_calls(const std::vector<std::string>& traced) {
    std::vector<std::string> calls;
    for (const std::string& call : traced) {
        std::string name;
        if (is_screen_read(call) || call.starts_with("user32.GetWindowLongA")) continue;  // see stage_screen_reads()
        if (call.starts_with("user32.DisableProcessWindowsGhosting")) name = "ghosting off";
        else if (call.starts_with("user32.CreateWindowExW"))
            name = call.find("L\"FormHost") != std::string::npos ? "host window" : "";
        else if (call == "winmm.timeBeginPeriod(00000001)") name = "timer at 1 ms";
        else if (call == "winmm.timeEndPeriod(00000001)") name = "timer given back";
        else name = call;  // any other period is a fault too
        const bool another_host_window = name == "host window" && !calls.empty() && calls.back() == name;
        if (!name.empty() && !another_host_window) calls.push_back(name);
    }
    return calls;
}

using Calls = std::vector<std::string>;

// The screen reads of the stage's set-up: those after the last window the
// host made before the set-up's first call of its own (GetWindowLongA, as it
// makes the stage see-through), by metric.
Calls stage_screen_reads(const std::vector<std::string>& traced) {
    Calls reads;
    for (const std::string& call : traced) {
        if (call.starts_with("user32.GetWindowLongA")) return reads;
        if (call.starts_with("user32.CreateWindowExW")) reads.clear();
        if (call == "user32.GetSystemMetrics(00000000)") reads.push_back("width");
        else if (call == "user32.GetSystemMetrics(00000001)") reads.push_back("height");
        else if (is_screen_read(call)) reads.push_back(call);
    }
    return {};
}

// Drawing adds to the show's waits, by how much depends on the machine (in
// the emulated 32-bit PC the show takes several times as long): look again
// until the condition holds or a generous time is up.
bool eventually(DWORD start, DWORD until_ms, const std::function<bool()>& check) {
    const DWORD gone = GetTickCount() - start;
    return test_support::pump_messages_until(check, gone < until_ms ? until_ms - gone : 0, 200);
}

TEST(Presenter, StagesTheWholeShowOverTheDesktop) {
    if (bench::path_from_env(L"BENCH_CAPTURE_DIR").empty()) GTEST_SKIP() << "no bench session";
    std::vector<std::string> slots(13, "我喜欢你");
    // 爱你♥❤사랑😀: hearts, Hangul and an emoji, which the Kai font lacks.
    slots[0] = "\xB0\xAE\xC4\xE3\x81\x37\xAC\x33\x81\x37\xC5\x38\x83\x31\xE8\x37\x82\x39\xFB\x36\x94\x39\xFC\x36";
    slots[7] = "";  // saved while the show runs, see below
    slots[8] = "";  // an empty slot is an empty line
    ProgramRun presenter(L"presenter.exe", slots);
    presenter.write_file("数据库/tavimore10.txt", "");  // the old two-digit names are not read
    presenter.write_file("数据库/tavimore010.txt", "第十行");
    presenter.write_file("数据库/tavimore11.txt", "第十一行");  // slot 11 has no three-digit file
    ASSERT_TRUE(std::filesystem::remove(presenter.file("数据库/tavimore011.txt")));

    ASSERT_TRUE(presenter.start_traced(kTracedRoutines));
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HWND stage = presenter.wait_for_window(L"FormHostWindow", bench::scaled_ms(20000), w);
    ASSERT_NE(stage, nullptr) << "no stage window covering the screen";
    const DWORD shown = GetTickCount();

    RECT r;
    GetWindowRect(stage, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, w);
    EXPECT_EQ(r.bottom, h);
    EXPECT_TRUE(GetWindowLongW(stage, GWL_EXSTYLE) & WS_EX_LAYERED);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(stage, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(255, 255, 255));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));

    const Layout l = layout_for_screen();
    const int step = l.line + 2;
    const int first_rose_x = l.first_rose().x, first_rose_y = l.first_rose().y;

    EXPECT_TRUE(eventually(shown, bench::scaled_ms(20000), [&] {
        return red_roses_in(first_rose_x, first_rose_y, 96, 96) > 20;
    })) << "no rose at the heart's first point";
    presenter.write_file("数据库/tavimore07.txt", "刚刚保存的话");  // before the show reaches it

    EXPECT_TRUE(eventually(shown, bench::scaled_ms(60000), [&] {
        return magenta_in(l.block(200), l.outer_block_y(), 400, l.line) > 100;
    })) << "slot 00 not written";
    {
        // Every character of slot 00 drawn: not the Kai font's missing-glyph
        // boxes, not question marks. Slot 01 comes 2 s later, a line lower.
        WindowDC screen(nullptr);
        const Shape written =
            magenta_shape(screen.get(), std::max(l.block(200) - 20, 0), l.outer_block_y() - 10,
                          std::min(1100, GetSystemMetrics(SM_CXSCREEN) - std::max(l.block(200) - 20, 0)), l.line + 20);
        EXPECT_GT(written.width, 5 * 64) << "slot 00 drawn only in part";
        const Shape kai_alone = shape_in_canvas_font(L"爱你♥❤사랑😀");
        const Shape question_marks = shape_in_canvas_font(L"爱你??????");
        const Shape as_the_canvas = shape_in_canvas_font(L"爱你♥❤사랑😀", true);
        EXPECT_FALSE(alike(written, kai_alone))
            << "drawn as the Kai font alone draws it: " << written << "; " << kai_alone;
        EXPECT_FALSE(alike(written, question_marks))
            << "drawn as question marks: " << written << "; " << question_marks;
        EXPECT_TRUE(alike(written, as_the_canvas))
            << "not drawn as the canvas writes lines: " << written << "; " << as_the_canvas;
    }

    const int second_block_y = l.middle_block_y();
    EXPECT_TRUE(eventually(shown, bench::scaled_ms(150000), [&] {
        return magenta_in(std::max(l.block(400), 0), second_block_y, 100, l.line) > 50;
    })) << "slot 05 not written";

    const int x = l.block(300), y = l.outer_block_y();
    EXPECT_TRUE(eventually(shown, bench::scaled_ms(200000), [&] {
        return magenta_in(x, y + 5 * step, 300, l.line) > 100;
    })) << "slot 12, the last line, not written";
    // After the wipe only the last block is left of the texts.
    EXPECT_LT(magenta_in(std::max(l.block(400), 0), second_block_y, std::min(100, l.block(300) - l.block(400)), l.line),
              5)
        << "slot 05 survived the wipe";
    EXPECT_GT(magenta_in(x, y, 300, l.line), 100) << "slot 07, saved during the show";
    EXPECT_LT(magenta_in(x, y + step, 300, l.line), 5) << "slot 08 is empty: an empty line";
    EXPECT_GT(magenta_in(x, y + 2 * step, 300, l.line), 100) << "slot 09";
    EXPECT_GT(magenta_in(x, y + 3 * step, 300, l.line), 100) << "slot 10 from tavimore010.txt";
    EXPECT_LT(magenta_in(x, y + 4 * step, 300, l.line), 5) << "slot 11 read from tavimore11.txt";

    // Ghosting is off before the first window; the timer runs at 1 ms while
    // the show runs, which is not over while its last line is new, and is
    // given back when it is.
    const Calls at_last_line = timing_calls(presenter.traced_calls());
    EXPECT_EQ(at_last_line, (Calls{"ghosting off", "host window", "timer at 1 ms"}));
    // The canvas's width and height, then the heart layout: each reads the
    // screen anew.
    EXPECT_EQ(stage_screen_reads(presenter.traced_calls()), (Calls{"width", "height", "width", "height"}));
    Calls at_end;
    eventually(GetTickCount(), bench::scaled_ms(20000), [&] {
        at_end = timing_calls(presenter.traced_calls());
        return at_end.size() > at_last_line.size();
    });
    EXPECT_EQ(at_end, (Calls{"ghosting off", "host window", "timer at 1 ms", "timer given back"}));

    // The stage music played meanwhile.
    std::uintmax_t played = 0;
    for (const auto& f : std::filesystem::directory_iterator(bench::path_from_env(L"BENCH_CAPTURE_DIR")))
        played += f.file_size();
    EXPECT_GT(played, 1000000u) << "the stage music did not play";
}

}  // namespace
