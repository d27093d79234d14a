// A canvas target's DC as the canvas's properties prepare it, and as it is
// again afterwards.
#include "formhost/win32/drawing/canvas_dc.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "formhost/win32/system/owners.h"
#include "support/process_counts.h"

namespace {

using formhost::CanvasData;
using formhost::win32::MemoryDC;
using formhost::win32::PreparedCanvasDC;
using formhost::win32::UniqueFont;
using formhost::win32::WindowDC;

class CanvasDC : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(dc_, nullptr); }

    LOGPEN pen() const {
        LOGPEN p{};
        GetObjectW(GetCurrentObject(dc_, OBJ_PEN), sizeof p, &p);
        return p;
    }
    LOGBRUSH brush() const {
        LOGBRUSH b{};
        GetObjectW(GetCurrentObject(dc_, OBJ_BRUSH), sizeof b, &b);
        return b;
    }

    const MemoryDC memory_;  // compatible with the screen
    const HDC dc_ = memory_.get();
};

TEST_F(CanvasDC, TakesPenBrushDrawModeFontAndTextColoursFromTheCanvas) {
    CanvasData d;
    d.pen_type = 2;  // dashed
    d.pen_width = 3;
    d.pen_colour = 0x0000FF;
    d.brush_type = 3;  // the second hatch pattern
    d.brush_colour = 0x00FF00;
    d.draw_mode = 6;  // R2_XORPEN
    d.text_colour = 0xFF00FF;
    d.text_background_colour = 0x123456;
    const UniqueFont font(CreateFontW(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    {
        PreparedCanvasDC prepared(dc_, d, font.get());
        EXPECT_EQ(pen().lopnStyle, static_cast<UINT>(PS_DASH));
        EXPECT_EQ(pen().lopnWidth.x, 3);
        EXPECT_EQ(pen().lopnColor, RGB(255, 0, 0));
        EXPECT_EQ(brush().lbStyle, static_cast<UINT>(BS_HATCHED));
        EXPECT_EQ(brush().lbHatch, static_cast<ULONG_PTR>(HS_VERTICAL));
        EXPECT_EQ(brush().lbColor, RGB(0, 255, 0));
        EXPECT_EQ(GetROP2(dc_), R2_XORPEN);
        EXPECT_EQ(GetCurrentObject(dc_, OBJ_FONT), font.get());
        EXPECT_EQ(GetTextColor(dc_), RGB(255, 0, 255));
        EXPECT_EQ(GetBkMode(dc_), OPAQUE);
        EXPECT_EQ(GetBkColor(dc_), static_cast<COLORREF>(0x123456));
        EXPECT_EQ(GetMapMode(dc_), MM_TEXT);
    }
    // Everything as it was: the stock objects of a fresh DC.
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_NE(GetCurrentObject(dc_, OBJ_FONT), font.get());
    EXPECT_EQ(GetROP2(dc_), R2_COPYPEN);
    EXPECT_EQ(GetBkMode(dc_), OPAQUE);
}

TEST_F(CanvasDC, DefaultsGiveASolidPenAndBrushATransparentTextBackgroundAndTheGuiFont) {
    const CanvasData d;  // as empty kind data gives it
    PreparedCanvasDC prepared(dc_, d, nullptr);
    EXPECT_EQ(pen().lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(pen().lopnColor, RGB(0, 0, 0));
    EXPECT_EQ(brush().lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush().lbColor, RGB(255, 255, 255));
    EXPECT_EQ(GetROP2(dc_), R2_COPYPEN);
    EXPECT_EQ(GetBkMode(dc_), TRANSPARENT);
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_FONT), GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(CanvasDC, TypeZeroMeansNoPenAndNoBrush) {
    CanvasData d;
    d.pen_type = 0;
    d.brush_type = 0;
    PreparedCanvasDC prepared(dc_, d, nullptr);
    EXPECT_EQ(pen().lopnStyle, static_cast<UINT>(PS_NULL));
    EXPECT_EQ(GetCurrentObject(dc_, OBJ_BRUSH), GetStockObject(NULL_BRUSH));
}

TEST_F(CanvasDC, PreparingLeavesNoObjectBehind) {
    CanvasData d;
    d.brush_type = 4;
    const int before = test_support::gdi_object_count();
    ASSERT_GE(before, 0);
    for (int i = 0; i < 200; ++i) PreparedCanvasDC prepared(dc_, d, nullptr);
    EXPECT_EQ(test_support::gdi_object_count(), before);
}

TEST(CanvasUnits, PixelsStayAndTwipsScaleByTheScreensDensity) {
    CanvasData d;
    EXPECT_EQ(formhost::win32::horizontal_pixels(d, 1440), 1440);
    d.drawing_unit = 5;
    const WindowDC screen(nullptr);
    const int ppi_x = GetDeviceCaps(screen.get(), LOGPIXELSX), ppi_y = GetDeviceCaps(screen.get(), LOGPIXELSY);
    EXPECT_EQ(formhost::win32::horizontal_pixels(d, 1440), ppi_x);
    EXPECT_EQ(formhost::win32::vertical_pixels(d, 2880), 2 * ppi_y);
}

}  // namespace
