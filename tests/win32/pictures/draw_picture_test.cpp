// The canvas's `draw picture` on a canvas in a window built inside the test:
// an icon through its alpha, a picture with a transparent colour through the
// three passes, and the table of raster operations. What the window shows is
// read once the drawing has been handed over to it.
#include <gtest/gtest.h>

#include "formhost/win32/drawing/screen_hand_over.h"
#include "formhost/win32/media/picture.h"
#include "formhost/win32/routines/canvas_ops.h"
#include "hosted_window.h"
#include "picture_makers.h"
#include "support/waiting.h"
#include "surfaces.h"

namespace {

using formhost::Bytes;
using formhost::win32::Picture;
namespace make = picture_makers;

constexpr std::uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
// Two colours whose bits differ in every combination the operations make.
constexpr std::uint32_t kSource = 0xFF3C9C5A, kDestination = 0xFFA53096;  // 0xAARRGGBB
constexpr COLORREF kSourceRef = RGB(0x3C, 0x9C, 0x5A), kDestinationRef = RGB(0xA5, 0x30, 0x96);

class DrawPicture : public ::testing::Test {
protected:
    DrawPicture() : window_(formhost::WindowData{}, {30, 30, 330, 130}, {{white_canvas(), {0, 0, 300, 100}}}) {}

    static formhost::KindData white_canvas() {
        formhost::CanvasData d;
        d.background_colour = 0xFFFFFF;
        return d;
    }

    formhost::CanvasRef canvas() const { return {window_.id(), 1}; }

    void draw(const Bytes& file, int x, int y, std::optional<int> mode = {}) const {
        const auto picture = Picture::load(file);
        ASSERT_TRUE(picture);
        formhost::draw_picture(canvas(), picture.get(), x, y, std::nullopt, std::nullopt, mode);
    }

    // The window's pixels once everything drawn is on it.
    picture_tests::WindowPixels shown() const {
        formhost::hand_over_before_wait(1000);
        test_support::pump_messages_until([] { return !formhost::win32::hand_over_figures().pending; }, 2000, 5);
        return picture_tests::WindowPixels(window_.control_hwnd(1));
    }

    picture_tests::HostedWindow window_;
};

TEST_F(DrawPicture, AnIconIsDrawnThroughItsAlphaAndIgnoresTheMode) {
    // Opaque red at the left, blue at half alpha in the middle, nothing at the right.
    make::Image icon = make::solid(48, 16, kRed);
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 48; ++x) icon.row(y)[x] = x < 32 ? 0x800000FFu : 0x00000000u;
    draw(make::ico32(icon), 10, 10, 3);
    const auto pixels = shown();
    EXPECT_PIXEL(pixels, 18, 18, RGB(255, 0, 0), 0);
    EXPECT_PIXEL(pixels, 34, 18, RGB(127, 127, 255), 2);
    EXPECT_PIXEL(pixels, 50, 18, RGB(255, 255, 255), 0);
}

TEST_F(DrawPicture, ANegativeModeLeavesThePicturesColourUndrawn) {
    draw(make::bmp24(make::solid(40, 20, kBlue)), 10, 10);
    // White at the top-left quadrant, red elsewhere, with white (-0xFFFFFF) see-through.
    draw(make::bmp24(make::quadrants(40, 20, kWhite, kRed, kRed, kRed)), 10, 10, -0xFFFFFF);
    const auto pixels = shown();
    EXPECT_PIXEL(pixels, 15, 14, RGB(0, 0, 255), 0) << "the transparent colour shows what was there";
    EXPECT_PIXEL(pixels, 45, 14, RGB(255, 0, 0), 0);
    EXPECT_PIXEL(pixels, 15, 25, RGB(255, 0, 0), 0);
    EXPECT_PIXEL(pixels, 60, 40, RGB(255, 255, 255), 0) << "outside the picture nothing changes";
}

TEST_F(DrawPicture, ModesOneToFiveAreTheirRasterOperationsAnyOtherIsTheCodeItself) {
    const Bytes destination = make::bmp24(make::solid(20, 20, kDestination));
    const Bytes source = make::bmp24(make::solid(20, 20, kSource));
    struct Case {
        std::optional<int> mode;
        COLORREF expected;
    };
    const COLORREF s = kSourceRef, d = kDestinationRef;
    const Case cases[] = {
        {std::nullopt, s},
        {1, s},
        {2, ~s & 0xFFFFFF},
        {3, s ^ d},
        {4, s | d},
        {5, s & d},
        {static_cast<int>(NOTSRCCOPY), ~s & 0xFFFFFF},
    };
    int x = 0;
    for (const Case& c : cases) {
        draw(destination, x, 0);
        draw(source, x, 0, c.mode);
        x += 30;
    }
    const auto pixels = shown();
    x = 0;
    for (const Case& c : cases) {
        EXPECT_PIXEL(pixels, x + 10, 10, c.expected, 0) << "mode " << (c.mode ? std::to_string(*c.mode) : "absent");
        x += 30;
    }
}

}  // namespace
