// Exact pixel coverage of frames, rectangles, lines and focus rectangles.
#include <algorithm>
#include <cstdlib>

#include "GdiTestSupport.h"

namespace orvane::platform::test {
namespace {

using Shapes = GdiTest;

TEST_F(Shapes, FrameRectDrawsExactlyOnePixelFrame) {
    for (const RECT& rc : {RECT{3, 4, 13, 10}, RECT{0, 0, 20, 16}, RECT{5, 5, 6, 9}}) {
        Canvas c(20, 16);
        Owned<HBRUSH> red(CreateSolidBrush(kRed));
        ASSERT_TRUE(FrameRect(c, &rc, red));
        const RECT inner{rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1};
        EXPECT_TRUE(pixelsMatch(
            c,
            [&](int x, int y) { return inRect(rc, x, y) && !inRect(inner, x, y) ? kRed : kWhite; }))
            << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

TEST_F(Shapes, RectangleOutlinesWithThePenOrFillsOnePixelLessWithout) {
    for (const bool withPen : {true, false}) {
        Canvas c(20, 16);
        Owned<HPEN> pen(CreatePen(withPen ? PS_SOLID : PS_NULL, 1, kRed));
        Owned<HBRUSH> brush(CreateSolidBrush(kBlue));
        SelectObject(c, pen);
        SelectObject(c, brush);
        ASSERT_TRUE(Rectangle(c, 2, 3, 12, 9));
        // The pen runs along left..right-1 and top..bottom-1; without one, the brush covers
        // exactly what the pen's inside edge would have left.
        EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) {
            if (withPen)
                return inRect({3, 4, 11, 8}, x, y)   ? kBlue
                       : inRect({2, 3, 12, 9}, x, y) ? kRed
                                                     : kWhite;
            return inRect({2, 3, 11, 8}, x, y) ? kBlue : kWhite;
        })) << (withPen ? "pen" : "null pen");
    }
}

TEST_F(Shapes, LineToLeavesOutTheEndPoint) {
    const POINT ends[][2] = {{{2, 5}, {10, 5}}, {{10, 5}, {2, 5}}, {{5, 2}, {5, 12}},
                             {{5, 12}, {5, 2}}, {{2, 2}, {9, 9}},  {{12, 1}, {4, 9}}};
    for (const auto& [from, to] : ends) {
        Canvas c(16, 16);
        Owned<HPEN> pen(CreatePen(PS_SOLID, 1, kRed));
        SelectObject(c, pen);
        MoveToEx(c, from.x, from.y, nullptr);
        ASSERT_TRUE(LineTo(c, to.x, to.y));
        POINT pos{};
        GetCurrentPositionEx(c, &pos);
        EXPECT_EQ(pos, to);
        // Straight and 45-degree lines: the points from the start up to the end, not with it.
        const int n = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
        const int sx = (to.x > from.x) - (to.x < from.x), sy = (to.y > from.y) - (to.y < from.y);
        EXPECT_TRUE(pixelsMatch(c,
                                [&](int x, int y) {
                                    const int i = sx ? (x - from.x) * sx : (y - from.y) * sy;
                                    return i >= 0 && i < n && x == from.x + i * sx &&
                                                   y == from.y + i * sy
                                               ? kRed
                                               : kWhite;
                                }))
            << from.x << "," << from.y << " to " << to.x << "," << to.y;
    }
}

TEST_F(Shapes, ShapesReachingFarOutsideDrawOnlyWhatShows) {
    constexpr int kFar = 1000000000;
    struct Case {
        const char* name;
        void (*draw)(HDC);
        COLORREF (*expected)(int x, int y);
    };
    const Case cases[] = {
        {"ellipse", [](HDC dc) { Ellipse(dc, -kFar, -kFar, kFar, kFar); },
         [](int, int) { return kBlue; }},
        {"round rect", [](HDC dc) { RoundRect(dc, -kFar, -kFar, kFar, kFar, 9999, 9999); },
         [](int, int) { return kBlue; }},
        {"polygon",
         [](HDC dc) {
             const POINT pts[] = {{-kFar, -kFar}, {kFar, -kFar}, {kFar, kFar}, {-kFar, kFar}};
             Polygon(dc, pts, 4);
         },
         [](int, int) { return kBlue; }},
        {"rectangle", [](HDC dc) { Rectangle(dc, -kFar, 5, kFar, 10); },
         [](int, int y) { return y == 5 || y == 9 ? kRed
                                 : y > 5 && y < 9 ? kBlue
                                                  : kWhite; }},
        {"lines",
         [](HDC dc) {
             MoveToEx(dc, -2 * kFar, 3, nullptr);
             LineTo(dc, 2 * kFar, 3);
             MoveToEx(dc, -2 * kFar, -2 * kFar, nullptr);
             LineTo(dc, 2 * kFar, 2 * kFar);
         },
         [](int x, int y) { return y == 3 || x == y ? kRed : kWhite; }}};
    for (const Case& k : cases) {
        Canvas c(16, 16);
        Owned<HPEN> pen(CreatePen(PS_SOLID, 1, kRed));
        Owned<HBRUSH> brush(CreateSolidBrush(kBlue));
        SelectObject(c, pen);
        SelectObject(c, brush);
        k.draw(c);
        EXPECT_TRUE(pixelsMatch(c, k.expected)) << k.name;
    }
}

TEST_F(Shapes, DrawFocusRectTwiceRestoresThePicture) {
    Canvas c(24, 20);
    c.scramble(7);
    const std::vector<std::uint32_t> before = c.pixels();
    const RECT rc{3, 2, 19, 15};
    ASSERT_TRUE(DrawFocusRect(c, &rc));
    // Only border pixels change, each to its inverse.
    const auto flipped = [&](int x, int y) { return c.raw(x, y) != before[y * 24 + x]; };
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 24; ++x) {
            if (!flipped(x, y)) continue;
            EXPECT_TRUE(inRect(rc, x, y) && !inRect({4, 3, 18, 14}, x, y)) << x << "," << y;
            EXPECT_EQ(c.raw(x, y), before[y * 24 + x] ^ 0xFFFFFFu) << x << "," << y;
        }
    }
    // A dotted frame: along every side, every other pixel.
    for (int x = rc.left; x + 1 < rc.right; ++x) {
        EXPECT_NE(flipped(x, rc.top), flipped(x + 1, rc.top)) << x;
        EXPECT_NE(flipped(x, rc.bottom - 1), flipped(x + 1, rc.bottom - 1)) << x;
    }
    for (int y = rc.top; y + 1 < rc.bottom; ++y) {
        EXPECT_NE(flipped(rc.left, y), flipped(rc.left, y + 1)) << y;
        EXPECT_NE(flipped(rc.right - 1, y), flipped(rc.right - 1, y + 1)) << y;
    }
    ASSERT_TRUE(DrawFocusRect(c, &rc));
    EXPECT_EQ(c.pixels(), before);
}


TEST_F(Shapes, PolyPolygonFillsItsPolygonsAsOneFigure) {
    // Two overlapping squares: under the alternate rule the overlap is outside, under the
    // winding rule (both drawn the same way round) it is inside.
    const POINT pts[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}, {7, 7}, {17, 7}, {17, 17}, {7, 17}};
    const INT counts[] = {4, 4};
    for (int mode : {ALTERNATE, WINDING}) {
        Canvas canvas(20, 20);
        Owned<HBRUSH> brush(CreateSolidBrush(kBlue));
        SelectObject(canvas, brush);
        SelectObject(canvas, GetStockObject(NULL_PEN));
        SetPolyFillMode(canvas, mode);
        ASSERT_TRUE(PolyPolygon(canvas, pts, counts, 2));
        EXPECT_EQ(canvas.at(4, 4), kBlue);
        EXPECT_EQ(canvas.at(15, 15), kBlue);
        EXPECT_EQ(canvas.at(9, 9), mode == WINDING ? kBlue : kWhite) << "fill mode " << mode;
    }
    const INT bad[] = {4, 1};
    Canvas canvas(4, 4);
    EXPECT_FALSE(PolyPolygon(canvas, pts, bad, 2));
}

TEST_F(Shapes, WideLinesDrawEachPixelOnce) {
    // With an XOR mix every pixel a wide pen covers is inverted exactly once, even where the
    // pen's discs overlap along the line.
    Canvas canvas(40, 20);
    Owned<HPEN> pen(CreatePen(PS_SOLID, 5, kWhite));
    SelectObject(canvas, pen);
    SetROP2(canvas, R2_XORPEN);
    MoveToEx(canvas, 5, 10, nullptr);
    LineTo(canvas, 35, 10);
    for (int x = 6; x < 34; ++x)
        for (int y = 9; y <= 11; ++y)
            EXPECT_EQ(canvas.at(x, y), kBlack) << x << "," << y;
    EXPECT_EQ(canvas.at(20, 2), kWhite);
}

TEST_F(Shapes, PensReportAndDrawTheirWidthAndNullPensNothing) {
    struct Case {
        int style, width;
        LOGPEN reported;
        int drawnRows;  // rows a horizontal line covers at x = 20
    };
    const COLORREF c = RGB(0x12, 0x34, 0x56);
    const std::vector<Case> cases = {
        {PS_SOLID, -3, {PS_SOLID, {3, 0}, c}, 3},
        {PS_SOLID, 0, {PS_SOLID, {0, 0}, c}, 1},
        {PS_SOLID, 3, {PS_SOLID, {3, 0}, c}, 3},
        {PS_DASH, 5, {PS_DASH, {5, 0}, c}, 5},  // drawn solid, reported dashed
        {PS_NULL, -3, {PS_NULL, {1, 0}, 0}, 0},
        {PS_NULL, 7, {PS_NULL, {1, 0}, 0}, 0},
    };
    for (const Case& k : cases) {
        Owned<HPEN> pen(CreatePen(k.style, k.width, c));
        LOGPEN lp{};
        ASSERT_EQ(GetObjectW(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
        EXPECT_EQ(lp.lopnStyle, k.reported.lopnStyle) << k.style << " " << k.width;
        EXPECT_EQ(lp.lopnWidth.x, k.reported.lopnWidth.x) << k.style << " " << k.width;
        EXPECT_EQ(lp.lopnColor, k.reported.lopnColor) << k.style << " " << k.width;
        Canvas canvas(40, 20);
        HGDIOBJ old = SelectObject(canvas, pen);
        MoveToEx(canvas, 5, 10, nullptr);
        LineTo(canvas, 35, 10);
        SelectObject(canvas, old);
        int rows = 0;
        for (int y = 0; y < 20; ++y)
            rows += canvas.at(20, y) != kWhite;
        EXPECT_EQ(rows, k.drawnRows) << k.style << " " << k.width;
    }
}

TEST_F(Shapes, MemoryDcReportsTheDisplayDepth) {
    HDC dc = CreateCompatibleDC(HDC());
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);  // even with the 1 x 1 monochrome bitmap in it
    Owned<HBITMAP> mono(CreateCompatibleBitmap(dc, 8, 8));
    BITMAP bm;
    GetObjectW(mono, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);  // but a compatible bitmap takes the selected bitmap's format
    DeleteDC(dc);
}

}  // namespace
}  // namespace orvane::platform::test
