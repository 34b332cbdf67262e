// Frame controls, the DC save stack, stretching modes, DIB rows and ellipse coverage.
#include <cstring>

#include "GdiTestSupport.h"
#include "platform/user/SystemMetrics.h"

namespace orvane::platform::test {
namespace {

using DrawingState = GdiTest;

TEST_F(DrawingState, CheckBoxesShowTheirStateInSystemColours) {
    struct Case {
        UINT state;
        COLORREF centre;  // where the check mark crosses the box's middle
        COLORREF face;    // the box's inside away from the mark
    };
    const Case cases[] = {
        {0, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW)},
        {DFCS_CHECKED, GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)},
        {DFCS_PUSHED, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE)},
        {DFCS_CHECKED | DFCS_INACTIVE, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE)},
    };
    for (const Case& c : cases) {
        Canvas canvas(13, 13, kRed);
        RECT rc{0, 0, 13, 13};
        ASSERT_TRUE(DrawFrameControl(canvas, &rc, DFC_BUTTON, DFCS_BUTTONCHECK | c.state));
        EXPECT_EQ(canvas.at(6, 6), c.centre) << "state " << c.state;
        EXPECT_EQ(canvas.at(3, 9), c.face) << "state " << c.state;
        // The box has a sunken edge.
        EXPECT_EQ(canvas.at(0, 0), GetSysColor(COLOR_BTNSHADOW));
        EXPECT_EQ(canvas.at(12, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
    }
}

TEST_F(DrawingState, PushButtonsAndArrowsFollowTheirState) {
    Canvas canvas(17, 17, kRed);
    RECT rc{0, 0, 17, 17};
    DrawFrameControl(canvas, &rc, DFC_BUTTON, DFCS_BUTTONPUSH);
    EXPECT_EQ(canvas.at(16, 16), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas.at(8, 8), GetSysColor(COLOR_BTNFACE));
    DrawFrameControl(canvas, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(canvas.at(16, 16), GetSysColor(COLOR_BTNHIGHLIGHT));
    // An up arrow: tip at the top, base below it, in the text colour or greyed out.
    DrawFrameControl(canvas, &rc, DFC_SCROLL, DFCS_SCROLLUP);
    EXPECT_EQ(canvas.at(8, 6), GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(canvas.at(7, 6), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(canvas.at(5, 9), GetSysColor(COLOR_BTNTEXT));
    DrawFrameControl(canvas, &rc, DFC_SCROLL, DFCS_SCROLLUP | DFCS_INACTIVE);
    EXPECT_EQ(canvas.at(8, 6), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.at(9, 10), GetSysColor(COLOR_BTNHIGHLIGHT));  // the embossed shadow
    // Unknown states and absurd sizes are refused.
    SetLastError(0);
    EXPECT_FALSE(DrawFrameControl(canvas, &rc, DFC_BUTTON, 0x1F));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    RECT huge{0, 0, 100000, 100000};
    EXPECT_FALSE(DrawFrameControl(canvas, &huge, DFC_BUTTON, DFCS_BUTTONRADIO));
    EXPECT_FALSE(DrawFrameControl(canvas, &rc, 99, 0));
}

TEST_F(DrawingState, RestoreDcBringsBackAttributesObjectsAndClipping) {
    Canvas canvas(20, 20);
    Owned<HBRUSH> brush(CreateSolidBrush(kBlue));
    SetBkColor(canvas, kRed);
    const int level = SaveDC(canvas);
    EXPECT_EQ(level, 1);
    SetBkColor(canvas, kGreen);
    SetROP2(canvas, R2_XORPEN);
    HGDIOBJ before = SelectObject(canvas, brush);
    IntersectClipRect(canvas, 0, 0, 5, 5);
    SetViewportOrgEx(canvas, 3, 3, nullptr);
    EXPECT_EQ(SaveDC(canvas), 2);
    EXPECT_FALSE(RestoreDC(canvas, 3));  // deeper than the stack
    EXPECT_TRUE(RestoreDC(canvas, -2));  // back past both saves
    EXPECT_EQ(GetBkColor(canvas), kRed);
    EXPECT_EQ(GetROP2(canvas), R2_COPYPEN);
    EXPECT_EQ(GetCurrentObject(canvas, OBJ_BRUSH), before);
    POINT org;
    GetViewportOrgEx(canvas, &org);
    EXPECT_EQ(org.x, 0);
    RECT clip;
    EXPECT_EQ(GetClipBox(canvas, &clip), SIMPLEREGION);
    EXPECT_EQ(clip, (RECT{0, 0, 20, 20}));
    EXPECT_FALSE(RestoreDC(canvas, -1));  // nothing left to restore
    // The bitmap selected at the save is selected again.
    Owned<HBITMAP> other(CreateBitmap(4, 4, 1, 32, nullptr));
    SaveDC(canvas);
    HGDIOBJ dib = SelectObject(canvas, other);
    RestoreDC(canvas, -1);
    EXPECT_EQ(GetCurrentObject(canvas, OBJ_BITMAP), dib);
    EXPECT_TRUE(DeleteObject(other));  // no longer selected anywhere
}

TEST_F(DrawingState, ShrinkingFollowsTheStretchMode) {
    // A source of alternating black and white columns, halved in width.
    Canvas source(4, 1);
    for (int x = 0; x < 4; ++x)
        source.raw(x, 0) = rawOf(x % 2 ? kWhite : kBlack);
    struct Case {
        int mode;
        COLORREF expected;
    };
    for (const Case& c : {Case{BLACKONWHITE, kBlack}, Case{WHITEONBLACK, kWhite},
                          Case{HALFTONE, RGB(128, 128, 128)}}) {
        Canvas dest(2, 1, kRed);
        SetStretchBltMode(dest, c.mode);
        ASSERT_TRUE(StretchBlt(dest, 0, 0, 2, 1, source, 0, 0, 4, 1, SRCCOPY));
        EXPECT_EQ(dest.at(0, 0), c.expected) << "mode " << c.mode;
        EXPECT_EQ(dest.at(1, 0), c.expected) << "mode " << c.mode;
    }
    Canvas dest(2, 1, kRed);
    SetStretchBltMode(dest, COLORONCOLOR);
    StretchBlt(dest, 0, 0, 2, 1, source, 0, 0, 4, 1, SRCCOPY);
    const COLORREF picked = dest.at(0, 0);
    EXPECT_TRUE(picked == kBlack || picked == kWhite);
    EXPECT_EQ(SetStretchBltMode(dest, 0), 0);  // not a mode
}

TEST_F(DrawingState, DibRowsKeepTheirOrderAndPadding) {
    Canvas canvas(3, 2);
    canvas.raw(0, 0) = rawOf(kRed);
    canvas.raw(2, 1) = rawOf(kBlue);
    // A bottom-up 24-bit copy: the first row in memory is the bottom one, rows padded to 4 bytes.
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 3;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biBitCount = 24;
    std::uint8_t rows[2 * 12];
    std::memset(rows, 0xAB, sizeof rows);
    EXPECT_EQ(GetDIBits(canvas, canvas.bitmap(), 0, 2, rows, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(rows[6], 0xFF);       // bottom row, third pixel: blue (B, G, R order)
    EXPECT_EQ(rows[12 + 2], 0xFF);  // top row, first pixel: red
    EXPECT_EQ(rows[12 + 0], 0x00);

    // An 8-bit bottom-up DIB with a colour table, drawn at (1, 1).
    std::vector<std::uint8_t> header(sizeof(BITMAPINFOHEADER) + 4 * sizeof(RGBQUAD));
    auto* bmi = reinterpret_cast<BITMAPINFO*>(header.data());
    bmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi->bmiHeader.biWidth = 2;
    bmi->bmiHeader.biHeight = 2;
    bmi->bmiHeader.biBitCount = 8;
    RGBQUAD* table = bmi->bmiColors;
    table[1] = RGBQUAD{0, 0, 255, 0};                          // red
    table[2] = RGBQUAD{0, 255, 0, 0};                          // green
    table[3] = RGBQUAD{255, 0, 0, 0};                          // blue
    const std::uint8_t indices[8] = {0, 1, 0, 0, 2, 3, 0, 0};  // bottom row first
    Canvas dest(4, 4, kWhite);
    EXPECT_EQ(SetDIBitsToDevice(dest, 1, 1, 2, 2, 0, 0, 0, 2, indices, bmi, DIB_RGB_COLORS), 2);
    EXPECT_EQ(dest.at(1, 1), kGreen);
    EXPECT_EQ(dest.at(2, 1), kBlue);
    EXPECT_EQ(dest.at(1, 2), kBlack);
    EXPECT_EQ(dest.at(2, 2), kRed);
    EXPECT_EQ(dest.at(3, 3), kWhite);
    bmi->bmiHeader.biBitCount = 7;
    EXPECT_EQ(SetDIBitsToDevice(dest, 0, 0, 2, 2, 0, 0, 0, 2, indices, bmi, DIB_RGB_COLORS), 0);
}

TEST_F(DrawingState, EllipseIsSymmetricAndOutlined) {
    for (int size : {7, 10, 31}) {
        Canvas canvas(size + 2, size + 2, kRed);
        SelectObject(canvas, GetStockObject(BLACK_PEN));
        SelectObject(canvas, GetStockObject(WHITE_BRUSH));
        Ellipse(canvas, 1, 1, 1 + size, 1 + size);
        const int mid = 1 + size / 2;
        EXPECT_EQ(canvas.at(mid, 1), kBlack) << size;  // the top of the outline
        EXPECT_EQ(canvas.at(1, mid), kBlack) << size;
        EXPECT_EQ(canvas.at(size, mid), kBlack) << size;  // right edge is the last column inside
        EXPECT_EQ(canvas.at(mid, mid), kWhite) << size;
        EXPECT_EQ(canvas.at(1, 1), kRed) << size;  // corners stay outside
        EXPECT_EQ(canvas.at(size + 1, mid), kRed) << size;
        EXPECT_TRUE(pixelsMatch(canvas, [&](int x, int y) { return canvas.at(size + 1 - x, y); }))
            << size;
        EXPECT_TRUE(pixelsMatch(canvas, [&](int x, int y) { return canvas.at(x, size + 1 - y); }))
            << size;
        // The outline has no gaps: every outline pixel touches another one.
        for (int y = 1; y <= size; ++y)
            for (int x = 1; x <= size; ++x) {
                if (canvas.at(x, y) != kBlack) continue;
                int neighbours = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        if ((dx || dy) && canvas.at(x + dx, y + dy) == kBlack) ++neighbours;
                EXPECT_GE(neighbours, 2) << size << " at " << x << "," << y;
            }
    }
}

}  // namespace
}  // namespace orvane::platform::test
