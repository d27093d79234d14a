// Picture boxes in a host window: placement by display mode, the background
// colour, animated GIFs played by the box's own thread, and no leaks when
// boxes come and go. Also the label's painting, read back the same way.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "hosted_window.h"
#include "picture_makers.h"
#include "support/process_counts.h"
#include "support/waiting.h"
#include "surfaces.h"

namespace {

using picture_tests::ControlSpec;
using picture_tests::hex;
using picture_tests::HostedWindow;
using picture_tests::WindowPixels;
using test_support::gdi_object_count;
using test_support::handle_count;
using test_support::pump_messages_for;
using test_support::thread_count;
namespace make = picture_makers;

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBoxColour = 0x00204060;  // 0x00BBGGRR
constexpr COLORREF kBoxRgb = RGB(0x60, 0x40, 0x20);

formhost::PictureBoxData box_data(formhost::Bytes picture, std::uint32_t mode, bool play = true) {
    formhost::PictureBoxData d;
    d.background_colour = kBoxColour;
    d.picture = std::move(picture);
    d.display_mode = mode;
    d.play_animation = play;
    return d;
}

// Frames of solid colours, each shown for `delay_field` hundredths.
formhost::Bytes colour_animation(int w, int h, std::initializer_list<std::uint32_t> colours, int delay_field) {
    std::vector<make::GifFrame> frames;
    for (const std::uint32_t c : colours) frames.push_back({make::solid(w, h, c), delay_field});
    return make::gif(frames);
}

TEST(PictureBox, DisplayModesPlaceThePictureOnTheBackgroundColour) {
    const formhost::Bytes small = make::bmp24(make::quadrants(40, 20, kRed, kGreen, kBlue, kWhite));
    const formhost::Bytes large = make::bmp24(make::quadrants(200, 50, kRed, kGreen, kBlue, kWhite));
    HostedWindow window({}, {20, 20, 420, 320},
                        {{box_data(small, 0), {10, 10, 110, 70}},       // natural
                         {box_data(small, 1), {120, 10, 220, 70}},      // stretched
                         {box_data(small, 2), {230, 10, 330, 70}},      // centred
                         {box_data(large, 2), {10, 100, 110, 160}},     // shrunk: 200 x 50 by 1/2
                         {box_data(large, 0), {120, 100, 220, 160}}});  // natural, cut off
    ASSERT_TRUE(window.loaded());
    {
        SCOPED_TRACE("natural");
        const WindowPixels p(window.control_hwnd(1));
        EXPECT_PIXEL(p, 10, 5, RGB(255, 0, 0), 0);
        EXPECT_PIXEL(p, 30, 15, RGB(255, 255, 255), 0);
        EXPECT_PIXEL(p, 45, 5, kBoxRgb, 0);
        EXPECT_PIXEL(p, 10, 25, kBoxRgb, 0);
        EXPECT_PIXEL(p, 99, 59, kBoxRgb, 0);
    }
    {
        SCOPED_TRACE("stretched");
        const WindowPixels p(window.control_hwnd(2));
        EXPECT_PIXEL(p, 2, 2, RGB(255, 0, 0), 8);
        EXPECT_PIXEL(p, 75, 15, RGB(0, 255, 0), 8);
        EXPECT_PIXEL(p, 25, 45, RGB(0, 0, 255), 8);
        EXPECT_PIXEL(p, 97, 57, RGB(255, 255, 255), 8);
    }
    {
        SCOPED_TRACE("centred at (30, 20)");
        const WindowPixels p(window.control_hwnd(3));
        EXPECT_PIXEL(p, 35, 25, RGB(255, 0, 0), 0);
        EXPECT_PIXEL(p, 65, 35, RGB(255, 255, 255), 0);
        EXPECT_PIXEL(p, 29, 30, kBoxRgb, 0);
        EXPECT_PIXEL(p, 70, 30, kBoxRgb, 0);
        EXPECT_PIXEL(p, 50, 19, kBoxRgb, 0);
        EXPECT_PIXEL(p, 50, 40, kBoxRgb, 0);
    }
    {
        SCOPED_TRACE("shrunk to 100 x 25 at (0, 17)");
        const WindowPixels p(window.control_hwnd(4));
        EXPECT_PIXEL(p, 25, 22, RGB(255, 0, 0), 8);
        EXPECT_PIXEL(p, 75, 36, RGB(255, 255, 255), 8);
        EXPECT_PIXEL(p, 50, 14, kBoxRgb, 0);
        EXPECT_PIXEL(p, 50, 44, kBoxRgb, 0);
    }
    {
        SCOPED_TRACE("natural, larger than the box");
        const WindowPixels p(window.control_hwnd(5));
        EXPECT_PIXEL(p, 99, 10, RGB(255, 0, 0), 0);
        EXPECT_PIXEL(p, 50, 40, RGB(0, 0, 255), 0);
        EXPECT_PIXEL(p, 50, 55, kBoxRgb, 0);
    }
}

TEST(PictureBox, APictureThatCannotBeDecodedShowsOnlyTheBackground) {
    const formhost::Bytes bmp = make::bmp24(make::solid(30, 30, kRed));
    HostedWindow window({}, {20, 20, 220, 120},
                        {{box_data({'G', 'I', 'F', '8', '9', 'a', 0, 0}, 1), {0, 0, 50, 50}},
                         {box_data(formhost::Bytes(bmp.begin(), bmp.begin() + 60), 1), {60, 0, 110, 50}}});
    ASSERT_TRUE(window.loaded());
    for (const std::uint32_t id : {1u, 2u}) {
        SCOPED_TRACE(id);
        const WindowPixels p(window.control_hwnd(id));
        EXPECT_PIXEL(p, 0, 0, kBoxRgb, 0);
        EXPECT_PIXEL(p, 25, 25, kBoxRgb, 0);
        EXPECT_PIXEL(p, 49, 49, kBoxRgb, 0);
    }
}

TEST(PictureBox, WritesOfPictureColourAndModeShowAtOnce) {
    HostedWindow window({}, {20, 20, 220, 120}, {{box_data({}, 0), {10, 10, 90, 70}}});
    ASSERT_TRUE(window.loaded());
    EXPECT_PIXEL(WindowPixels(window.control_hwnd(1)), 40, 30, kBoxRgb, 0);

    window.write_control_property(1, 10, formhost::Value{make::bmp24(make::solid(20, 20, kGreen))});
    window.repaint();
    EXPECT_PIXEL(WindowPixels(window.control_hwnd(1)), 10, 10, RGB(0, 255, 0), 0);
    EXPECT_PIXEL(WindowPixels(window.control_hwnd(1)), 40, 30, kBoxRgb, 0);

    window.write_control_property(1, 11, formhost::Value{std::int32_t{1}});
    window.write_control_property(1, 9, formhost::Value{std::int32_t{0x0000FF}});
    window.repaint();
    EXPECT_PIXEL(WindowPixels(window.control_hwnd(1)), 70, 50, RGB(0, 255, 0), 0);

    window.write_control_property(1, 10, formhost::Value{formhost::Bytes{}});
    window.repaint();
    EXPECT_PIXEL(WindowPixels(window.control_hwnd(1)), 40, 30, RGB(255, 0, 0), 0);
}

// Samples the box's middle pixel every 10 ms for `ms`, keeping the colours
// in the order they first appeared.
std::vector<COLORREF> watch(HWND box, int x, int y, DWORD ms) {
    std::vector<COLORREF> seen;
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        pump_messages_for(10);
        const COLORREF c = WindowPixels(box).at(x, y);
        if (seen.empty() || seen.back() != c) seen.push_back(c);
    }
    return seen;
}

std::string show(const std::vector<COLORREF>& colours) {
    std::string text;
    for (const COLORREF c : colours) text += hex(c) + " ";
    return text;
}

TEST(PictureBoxAnimation, FramesFollowEachOtherInOrderAndStopWhenAnimationIsSwitchedOff) {
    const int threads_before = thread_count();
    // 100 ms frames of red, green, blue, stretched onto a 60 x 40 box:
    // sampled every 10 ms or so, none is missed even on a busy machine.
    HostedWindow window({}, {20, 20, 220, 120},
                        {{box_data(colour_animation(8, 8, {kRed, kGreen, kBlue}, 10), 1), {10, 10, 70, 50}}});
    ASSERT_TRUE(window.loaded());
    const HWND box = window.control_hwnd(1);
    EXPECT_EQ(thread_count(), threads_before + 1) << "one player thread";

    const std::vector<COLORREF> seen = watch(box, 30, 20, 1000);
    ASSERT_GE(seen.size(), 6u) << show(seen);
    const std::vector<COLORREF> cycle{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    const auto first = std::find(cycle.begin(), cycle.end(), seen.front());
    ASSERT_NE(first, cycle.end()) << show(seen);
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], cycle[(first - cycle.begin() + i) % 3]) << "frame " << i << " of " << show(seen);

    window.write_control_property(1, 12, formhost::Value{false});
    window.repaint();
    EXPECT_EQ(thread_count(), threads_before) << "the player thread ended";
    const std::vector<COLORREF> still = watch(box, 30, 20, 200);
    EXPECT_EQ(still, std::vector<COLORREF>{RGB(255, 0, 0)}) << "the first frame only: " << show(still);

    window.write_control_property(1, 12, formhost::Value{true});
    EXPECT_EQ(thread_count(), threads_before + 1);
    window.destroy();
    EXPECT_EQ(thread_count(), threads_before) << "destroying the box ended its player";
}

TEST(PictureBoxAnimation, ARepaintShowsTheCurrentFrameWithTheBackgroundAroundIt) {
    // 2 x 2 frames centred in a 40 x 40 box: (19, 19) is the picture.
    HostedWindow window({}, {20, 20, 220, 120},
                        {{box_data(colour_animation(2, 2, {kRed, kGreen}, 3), 2), {10, 10, 50, 50}}});
    ASSERT_TRUE(window.loaded());
    const HWND box = window.control_hwnd(1);
    std::set<COLORREF> after_repaint;
    for (int i = 0; i < 20; ++i) {
        pump_messages_for(15);
        InvalidateRect(box, nullptr, FALSE);
        UpdateWindow(box);
        const WindowPixels p(box);
        after_repaint.insert(p.at(19, 19));
        EXPECT_PIXEL(p, 5, 5, kBoxRgb, 0);
    }
    EXPECT_EQ(after_repaint, (std::set<COLORREF>{RGB(255, 0, 0), RGB(0, 255, 0)}));
}

TEST(PictureBoxAnimation, FiftyAnimatedBoxesComeAndGoWithoutLeaks) {
    const formhost::Bytes gif = colour_animation(16, 16, {kRed, kGreen, kBlue, kWhite}, 2);
    std::vector<ControlSpec> boxes;
    for (int i = 0; i < 50; ++i) {
        const int x = (i % 10) * 30, y = (i / 10) * 30;
        boxes.push_back({box_data(gif, static_cast<std::uint32_t>(i % 3)), {x, y, x + 28, y + 28}});
    }
    const auto round = [&] {
        HostedWindow window({}, {0, 0, 320, 160}, boxes);
        EXPECT_TRUE(window.loaded());
        pump_messages_for(300);
    };
    round();  // classes registered, first-use allocations made
    const int gdi_before = gdi_object_count();
    const DWORD user_before = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    const int handles_before = handle_count();
    const int threads_before = thread_count();
    ASSERT_GT(gdi_before, 0);
    ASSERT_GT(handles_before, 0);

    for (int i = 0; i < 2; ++i) round();

    EXPECT_EQ(thread_count(), threads_before);
    EXPECT_EQ(handle_count(), handles_before);
    EXPECT_EQ(gdi_object_count(), gdi_before);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user_before);
}

// The label's painting (controls/label.cpp), read back like the boxes.
TEST(Label, PaintsItsBackgroundAndTextByItsAlignment) {
    const auto label = [](std::uint32_t horizontal) {
        formhost::LabelData d;
        d.caption = "WWWW";
        d.background_colour = 0x00FFFFFF;
        d.text_colour = 0x000000FF;  // red
        d.horizontal_alignment = horizontal;
        d.vertical_alignment = 1;
        return d;
    };
    HostedWindow window({}, {20, 20, 420, 160},
                        {{label(0), {0, 0, 300, 30}}, {label(1), {0, 40, 300, 70}}, {label(2), {0, 80, 300, 110}}});
    ASSERT_TRUE(window.loaded());
    for (std::uint32_t id = 1; id <= 3; ++id) {
        SCOPED_TRACE("alignment " + std::to_string(id - 1));
        const WindowPixels p(window.control_hwnd(id));
        int left = p.width(), right = -1, top = p.height(), bottom = -1;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x) {
                const COLORREF c = p.at(x, y);
                if (c == RGB(255, 255, 255)) continue;
                EXPECT_GT(GetRValue(c), GetGValue(c)) << "text is red-ish, got " << hex(c);
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        ASSERT_GE(right, 0) << "no text drawn";
        const int middle = (left + right) / 2, text_middle_y = (top + bottom) / 2;
        if (id == 1) {
            EXPECT_LT(left, 5);
        } else if (id == 2) {
            EXPECT_NEAR(middle, 150, 3);
        } else {
            EXPECT_GT(right, 294);
        }
        EXPECT_NEAR(text_middle_y, 15, 3) << "vertically centred";
    }
}

}  // namespace
