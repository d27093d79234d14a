// Pictures decoded into GDI objects and drawn onto memory surfaces: sizes,
// colours, and transparency kept through drawing and stretching.
#include "formhost/win32/media/picture.h"

#include <gtest/gtest.h>

#include "picture_makers.h"
#include "surfaces.h"

namespace {

using formhost::win32::Picture;
using picture_tests::Surface;
namespace make = picture_makers;

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kYellow = 0xFFFFFF00;
constexpr COLORREF kBackdrop = RGB(0, 128, 0);

// 32 x 32: left half opaque red, top right blue at half alpha, bottom right
// fully transparent.
make::Image alpha_picture() {
    make::Image image = make::solid(32, 32, kRed);
    for (int y = 0; y < 32; ++y)
        for (int x = 16; x < 32; ++x) image.row(y)[x] = y < 16 ? 0x800000FF : 0x00000000;
    return image;
}

// Half-alpha blue (premultiplied 0, 0, 128) over the green backdrop.
constexpr COLORREF kHalfBlueOverBackdrop = RGB(0, 64, 128);

TEST(PictureLoad, EachFormatDecodesAtItsSizeIntoTheRightKindOfObject) {
    struct Case {
        const char* name;
        formhost::Bytes bytes;
        int width, height;
        bool icon;
    };
    const make::Image image = make::solid(40, 24, kBlue);
    const Case cases[] = {
        {"bmp", make::bmp24(image), 40, 24, false},
        {"jpeg", make::jpeg(image), 40, 24, false},
        {"gif", make::gif({{image, 10}, {make::solid(40, 24, kRed), 10}}), 40, 24, false},
        {"ico", make::ico32(make::solid(32, 32, kBlue)), 32, 32, true},
        {"cur", make::ico32(make::solid(32, 32, kBlue), true, 3, 4), 32, 32, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto picture = Picture::load(c.bytes);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->width(), c.width);
        EXPECT_EQ(picture->height(), c.height);
        EXPECT_EQ(picture->icon() != nullptr, c.icon);
        EXPECT_EQ(picture->bitmap() != nullptr, !c.icon);
    }
}

TEST(PictureLoad, BytesThatAreNoPictureGiveNull) {
    const formhost::Bytes bmp = make::bmp24(make::solid(8, 8, kRed));
    const formhost::Bytes cut(bmp.begin(), bmp.begin() + 40);
    const formhost::Bytes text{'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
    const formhost::Bytes gif_header{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0};
    EXPECT_FALSE(Picture::load({}));
    EXPECT_FALSE(Picture::load(text));
    EXPECT_FALSE(Picture::load(cut));
    EXPECT_FALSE(Picture::load(gif_header));
}

TEST(PictureDraw, OpaquePicturesKeepTheirColoursAndTheFirstGifFrameIsShown) {
    const make::Image image = make::quadrants(32, 32, kRed, kGreen, kBlue, kWhite);
    const auto bmp = Picture::load(make::bmp24(image));
    const auto jpeg = Picture::load(make::jpeg(image));
    const auto gif = Picture::load(make::gif({{image, 10}, {make::solid(32, 32, kYellow), 10}}));
    for (const Picture* picture : {bmp.get(), jpeg.get(), gif.get()}) {
        ASSERT_TRUE(picture);
        EXPECT_TRUE(picture->opaque());
        Surface s(48, 48, kBackdrop);
        picture->draw(s.dc(), {8, 8, 40, 40});
        // JPEG blurs the quadrants' edges; their middles come through.
        EXPECT_PIXEL(s, 12, 12, RGB(255, 0, 0), 6);
        EXPECT_PIXEL(s, 36, 12, RGB(0, 255, 0), 6);
        EXPECT_PIXEL(s, 12, 36, RGB(0, 0, 255), 6);
        EXPECT_PIXEL(s, 36, 36, RGB(255, 255, 255), 6);
        EXPECT_PIXEL(s, 4, 4, kBackdrop, 0);
        EXPECT_PIXEL(s, 44, 44, kBackdrop, 0);
    }
}

TEST(PictureDraw, TransparentGifPixelsLetTheBackgroundThroughAndAreWhiteInTheBitmap) {
    make::Image image = make::solid(16, 16, kRed);
    for (int y = 0; y < 16; ++y)
        for (int x = 8; x < 16; ++x) image.row(y)[x] = 0;
    const auto picture = Picture::load(make::gif({{image, 0}}));
    ASSERT_TRUE(picture);
    EXPECT_FALSE(picture->opaque());

    Surface s(16, 16, kBackdrop);
    picture->draw(s.dc(), s.rect());
    EXPECT_PIXEL(s, 2, 8, RGB(255, 0, 0), 0);
    EXPECT_PIXEL(s, 12, 8, kBackdrop, 0);

    Surface plain(16, 16, kBackdrop);
    formhost::win32::MemoryDC source;
    const HGDIOBJ old = SelectObject(source.get(), picture->bitmap());
    BitBlt(plain.dc(), 0, 0, 16, 16, source.get(), 0, 0, SRCCOPY);
    SelectObject(source.get(), old);
    EXPECT_PIXEL(plain, 2, 8, RGB(255, 0, 0), 0);
    EXPECT_PIXEL(plain, 12, 8, RGB(255, 255, 255), 0);
}

TEST(PictureDraw, AlphaIsBlendedAtNaturalSizeAndStretched) {
    const auto picture = Picture::load(make::bmp32_alpha(alpha_picture()));
    ASSERT_TRUE(picture);
    EXPECT_FALSE(picture->opaque());
    for (const int scale : {1, 3}) {
        SCOPED_TRACE(scale);
        Surface s(32 * scale, 32 * scale, kBackdrop);
        picture->draw(s.dc(), s.rect());
        const int q = 8 * scale;  // the middle of each quadrant
        EXPECT_PIXEL(s, q, q, RGB(255, 0, 0), 0);
        EXPECT_PIXEL(s, 3 * q, q, kHalfBlueOverBackdrop, 2);
        EXPECT_PIXEL(s, 3 * q, 3 * q, kBackdrop, 0);
    }
}

TEST(PictureDraw, IconsAndCursorsKeepAlphaAndMaskThroughTheSystemIcon) {
    for (const bool cursor : {false, true}) {
        SCOPED_TRACE(cursor ? "cursor" : "icon");
        const auto picture = Picture::load(make::ico32(alpha_picture(), cursor, 5, 6));
        ASSERT_TRUE(picture);
        ASSERT_TRUE(picture->icon());
        EXPECT_FALSE(picture->opaque());
        Surface s(40, 40, kBackdrop);
        picture->draw(s.dc(), {4, 4, 36, 36});
        EXPECT_PIXEL(s, 10, 10, RGB(255, 0, 0), 2);
        EXPECT_PIXEL(s, 28, 10, kHalfBlueOverBackdrop, 4);
        EXPECT_PIXEL(s, 28, 28, kBackdrop, 0);
        EXPECT_PIXEL(s, 2, 2, kBackdrop, 0);
    }
}

TEST(PictureDraw, StretchingKeepsRegionsAndRepeatedDrawsAtOneSizeAgree) {
    const auto picture = Picture::load(make::bmp24(make::quadrants(40, 20, kRed, kGreen, kBlue, kWhite)));
    ASSERT_TRUE(picture);
    struct Size {
        int w, h;
    };
    for (const Size size : {Size{200, 100}, Size{13, 7}, Size{40, 100}}) {
        SCOPED_TRACE(std::to_string(size.w) + "x" + std::to_string(size.h));
        Surface first(size.w, size.h, kBackdrop), second(size.w, size.h, kBackdrop);
        picture->draw(first.dc(), first.rect());
        picture->draw(second.dc(), second.rect());
        const int x1 = size.w / 4, x2 = size.w * 3 / 4, y1 = size.h / 4, y2 = size.h * 3 / 4;
        EXPECT_PIXEL(first, x1, y1, RGB(255, 0, 0), 40);
        EXPECT_PIXEL(first, x2, y1, RGB(0, 255, 0), 40);
        EXPECT_PIXEL(first, x1, y2, RGB(0, 0, 255), 40);
        EXPECT_PIXEL(first, x2, y2, RGB(255, 255, 255), 40);
        for (int y = 0; y < size.h; ++y)
            for (int x = 0; x < size.w; ++x)
                ASSERT_EQ(first.at(x, y), second.at(x, y)) << "at (" << x << ", " << y << ")";
    }
}

}  // namespace
