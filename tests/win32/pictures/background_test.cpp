// Window backgrounds: paint_background's four placements on a memory
// surface, then a host window's background picture property end to end.
#include <gtest/gtest.h>

#include "formhost/win32/media/backgrounds.h"
#include "hosted_window.h"
#include "picture_makers.h"
#include "surfaces.h"

namespace {

using formhost::win32::paint_background;
using formhost::win32::Picture;
using picture_tests::close_to;
using picture_tests::hex;
using picture_tests::Surface;
namespace make = picture_makers;

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
constexpr COLORREF kColour = RGB(10, 20, 200);  // the background colour
constexpr COLORREF kUntouched = RGB(7, 7, 7);   // the surface before painting

// 20 x 10 quadrants: red, green / blue, white.
std::unique_ptr<Picture> quadrant_picture(int w = 20, int h = 10) {
    return Picture::load(make::bmp24(make::quadrants(w, h, kRed, kGreen, kBlue, kWhite)));
}

// Checks the picture's four quadrant middles inside `r` (x, y, w, h).
void expect_quadrants(const Surface& s, int x, int y, int w, int h, int tolerance = 0) {
    EXPECT_PIXEL(s, x + w / 4, y + h / 4, RGB(255, 0, 0), tolerance);
    EXPECT_PIXEL(s, x + w * 3 / 4, y + h / 4, RGB(0, 255, 0), tolerance);
    EXPECT_PIXEL(s, x + w / 4, y + h * 3 / 4, RGB(0, 0, 255), tolerance);
    EXPECT_PIXEL(s, x + w * 3 / 4, y + h * 3 / 4, RGB(255, 255, 255), tolerance);
}

TEST(Background, NaturalModePutsThePictureTopLeftAndTheColourAround) {
    const auto picture = quadrant_picture();
    Surface s(60, 40, kUntouched);
    paint_background(s.dc(), s.rect(), s.rect(), picture.get(), 0, kColour);
    expect_quadrants(s, 0, 0, 20, 10);
    EXPECT_PIXEL(s, 25, 5, kColour, 0);
    EXPECT_PIXEL(s, 5, 15, kColour, 0);
    EXPECT_PIXEL(s, 59, 39, kColour, 0);
}

TEST(Background, TiledModeRepeatsThePictureFromTheClientOriginAcrossTheArea) {
    const auto picture = quadrant_picture();
    Surface s(70, 35, kUntouched);
    paint_background(s.dc(), s.rect(), s.rect(), picture.get(), 1, kColour);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE("tile " + std::to_string(column) + "," + std::to_string(row));
            expect_quadrants(s, column * 20, row * 10, 20, 10);
        }
    // The cut tiles at the right and bottom edges start like the others.
    EXPECT_PIXEL(s, 62, 2, RGB(255, 0, 0), 0);
    EXPECT_PIXEL(s, 2, 32, RGB(255, 0, 0), 0);
}

TEST(Background, TiledTransparentPixelsShowTheColour) {
    make::Image image = make::solid(8, 8, kRed);
    for (int x = 0; x < 8; ++x) image.row(7)[x] = 0;  // the last row transparent
    const auto picture = Picture::load(make::gif({{image, 0}}));
    ASSERT_TRUE(picture);
    Surface s(32, 32, kUntouched);
    paint_background(s.dc(), s.rect(), s.rect(), picture.get(), 1, kColour);
    EXPECT_PIXEL(s, 3, 3, RGB(255, 0, 0), 0);
    EXPECT_PIXEL(s, 3, 7, kColour, 0);
    EXPECT_PIXEL(s, 19, 15, kColour, 0);
    EXPECT_PIXEL(s, 19, 17, RGB(255, 0, 0), 0);
}

TEST(Background, CentredModeCentresASmallPictureAndShrinksALargeOneByTheSmallerFactor) {
    {
        SCOPED_TRACE("smaller than the client");
        const auto picture = quadrant_picture();
        Surface s(60, 30, kUntouched);
        paint_background(s.dc(), s.rect(), s.rect(), picture.get(), 2, kColour);
        expect_quadrants(s, 20, 10, 20, 10);
        EXPECT_PIXEL(s, 19, 15, kColour, 0);
        EXPECT_PIXEL(s, 40, 15, kColour, 0);
        EXPECT_PIXEL(s, 30, 9, kColour, 0);
        EXPECT_PIXEL(s, 30, 20, kColour, 0);
    }
    {
        SCOPED_TRACE("larger: 200 x 100 into 100 x 80 shrinks by 1/2 to 100 x 50");
        const auto picture = quadrant_picture(200, 100);
        Surface s(100, 80, kUntouched);
        paint_background(s.dc(), s.rect(), s.rect(), picture.get(), 2, kColour);
        expect_quadrants(s, 0, 15, 100, 50, 8);
        EXPECT_PIXEL(s, 50, 13, kColour, 0);
        EXPECT_PIXEL(s, 50, 66, kColour, 0);
    }
}

TEST(Background, StretchedModeCoversTheClient) {
    const auto picture = quadrant_picture();
    Surface s(90, 70, kUntouched);
    paint_background(s.dc(), s.rect(), s.rect(), picture.get(), 3, kColour);
    expect_quadrants(s, 0, 0, 90, 70, 8);
    EXPECT_PIXEL(s, 0, 0, RGB(255, 0, 0), 8);
    EXPECT_PIXEL(s, 89, 69, RGB(255, 255, 255), 8);
}

TEST(Background, PaintingStaysInsideTheAreaWhateverTheMode) {
    const auto picture = quadrant_picture();
    for (int mode = 0; mode <= 3; ++mode) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        Surface s(60, 40, kUntouched);
        paint_background(s.dc(), s.rect(), {5, 5, 30, 20}, picture.get(), mode, kColour);
        EXPECT_PIXEL(s, 4, 4, kUntouched, 0);
        EXPECT_PIXEL(s, 30, 10, kUntouched, 0);
        EXPECT_PIXEL(s, 10, 20, kUntouched, 0);
        EXPECT_PIXEL(s, 50, 30, kUntouched, 0);
        EXPECT_FALSE(close_to(s.at(5, 5), kUntouched)) << "nothing painted inside the area";
        EXPECT_FALSE(close_to(s.at(29, 19), kUntouched)) << "nothing painted inside the area";
    }
}

// The host window itself: property 11 (picture), 12 (mode), 10 (colour).
TEST(WindowBackground, TheWindowShowsItsPictureAndAWriteReplacesIt) {
    formhost::WindowData data;
    data.background_colour = 0x00C80A14;  // stored as 0x00BBGGRR: RGB(20, 10, 200)
    data.background_picture = make::jpeg(make::quadrants(64, 32, kRed, kGreen, kBlue, kWhite));
    data.background_picture_mode = 2;
    picture_tests::HostedWindow window(data, {40, 40, 240, 140});
    ASSERT_TRUE(window.loaded());
    {
        const picture_tests::WindowPixels p(window.hwnd());
        ASSERT_EQ(p.width(), 200);
        EXPECT_TRUE(close_to(p.at(68 + 16, 34 + 8), RGB(255, 0, 0), 8)) << hex(p.at(84, 42));
        EXPECT_TRUE(close_to(p.at(68 + 48, 34 + 24), RGB(255, 255, 255), 8)) << hex(p.at(116, 58));
        EXPECT_TRUE(close_to(p.at(10, 10), RGB(20, 10, 200))) << hex(p.at(10, 10));
        EXPECT_TRUE(close_to(p.at(190, 90), RGB(20, 10, 200))) << hex(p.at(190, 90));
    }

    window.write_window_property(11, formhost::Value{formhost::Bytes{'n', 'o', 'p', 'e'}});
    window.repaint();
    {
        const picture_tests::WindowPixels p(window.hwnd());
        EXPECT_TRUE(close_to(p.at(84, 42), RGB(20, 10, 200))) << "undecodable: colour only, got " << hex(p.at(84, 42));
    }

    window.write_window_property(11, formhost::Value{make::bmp24(make::solid(10, 10, kGreen))});
    window.write_window_property(12, formhost::Value{std::int32_t{1}});
    window.repaint();
    {
        const picture_tests::WindowPixels p(window.hwnd());
        EXPECT_TRUE(close_to(p.at(5, 5), RGB(0, 255, 0))) << hex(p.at(5, 5));
        EXPECT_TRUE(close_to(p.at(195, 95), RGB(0, 255, 0))) << "tiled to the corner, got " << hex(p.at(195, 95));
    }
}

}  // namespace
