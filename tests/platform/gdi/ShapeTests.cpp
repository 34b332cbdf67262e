// Exact pixel coverage of frames, rectangles, lines and focus rectangles.
#include <algorithm>
#include <cstdlib>

#include "GdiTestSupport.h"

namespace orvane::platform::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

using Shapes = GdiTest;

TEST_F(Shapes, FrameRectDrawsExactlyOnePixelFrame) {
    const RECT cases[] = {{3, 4, 13, 10}, {0, 0, 20, 16}, {5, 5, 6, 9}, {2, 7, 9, 8}};
    for (const RECT& rc : cases) {
        Canvas c(20, 16);
        Owned<HBRUSH> red(CreateSolidBrush(kRed));
        ASSERT_TRUE(FrameRect(c, &rc, red));
        const RECT inner{rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1};
        EXPECT_TRUE(pixelsMatch(
            c,
            [&](int x, int y) { return inRect(rc, x, y) && !inRect(inner, x, y) ? kRed : kWhite; }))
            << "frame " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

TEST_F(Shapes, RectangleOutlinesWithPenAndFillsInside) {
    Canvas c(20, 16);
    Owned<HPEN> pen(CreatePen(PS_SOLID, 1, kRed));
    Owned<HBRUSH> brush(CreateSolidBrush(kBlue));
    SelectObject(c, pen);
    SelectObject(c, brush);
    ASSERT_TRUE(Rectangle(c, 2, 3, 12, 9));
    // The outline runs along left..right-1 and top..bottom-1.
    const RECT outer{2, 3, 12, 9}, inner{3, 4, 11, 8};
    EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) {
        if (inRect(inner, x, y)) return kBlue;
        return inRect(outer, x, y) ? kRed : kWhite;
    }));
}

TEST_F(Shapes, RectangleWithNullPenFillsOnePixelLess) {
    Canvas c(20, 16);
    Owned<HBRUSH> brush(CreateSolidBrush(kBlue));
    SelectObject(c, GetStockObject(NULL_PEN));
    SelectObject(c, brush);
    ASSERT_TRUE(Rectangle(c, 2, 3, 12, 9));
    EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) {
        return inRect(RECT{2, 3, 11, 8}, x, y) ? kBlue : kWhite;
    }));
}

TEST_F(Shapes, LineToLeavesOutTheEndPoint) {
    struct Case {
        const char* name;
        POINT from, to;
    };
    const Case cases[] = {
        {"horizontal", {2, 5}, {10, 5}}, {"horizontal leftwards", {10, 5}, {2, 5}},
        {"vertical", {5, 2}, {5, 12}},   {"vertical upwards", {5, 12}, {5, 2}},
        {"diagonal", {2, 2}, {9, 9}},    {"anti-diagonal", {12, 1}, {4, 9}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Canvas c(16, 16);
        Owned<HPEN> pen(CreatePen(PS_SOLID, 1, kRed));
        SelectObject(c, pen);
        MoveToEx(c, k.from.x, k.from.y, nullptr);
        ASSERT_TRUE(LineTo(c, k.to.x, k.to.y));
        POINT pos{};
        GetCurrentPositionEx(c, &pos);
        EXPECT_EQ(pos, k.to);
        // Straight and 45-degree lines cover the points from the start up to, not including,
        // the end.
        const int n = std::max(std::abs(k.to.x - k.from.x), std::abs(k.to.y - k.from.y));
        const int sx = (k.to.x > k.from.x) - (k.to.x < k.from.x);
        const int sy = (k.to.y > k.from.y) - (k.to.y < k.from.y);
        EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) {
            for (int i = 0; i < n; ++i)
                if (x == k.from.x + i * sx && y == k.from.y + i * sy) return kRed;
            return kWhite;
        }));
    }
}

TEST_F(Shapes, ShapesFarOutsideTheBitmapDrawOnlyWhatShows) {
    constexpr int kFar = 1000000000;
    struct Case {
        const char* name;
        void (*draw)(HDC);
        COLORREF (*expected)(int x, int y);
    };
    const Case cases[] = {
        {"ellipse", [](HDC dc) { Ellipse(dc, -kFar, -kFar, kFar, kFar); },
         [](int, int) { return kBlue; }},
        {"round rect", [](HDC dc) { RoundRect(dc, -kFar, -kFar, kFar, kFar, 5000, 5000); },
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
        {"horizontal line",
         [](HDC dc) {
             MoveToEx(dc, -2 * kFar, 3, nullptr);
             LineTo(dc, 2 * kFar, 3);
         },
         [](int, int y) { return y == 3 ? kRed : kWhite; }},
        {"diagonal line",
         [](HDC dc) {
             MoveToEx(dc, -kFar, -kFar, nullptr);
             LineTo(dc, kFar, kFar);
         },
         [](int x, int y) { return x == y ? kRed : kWhite; }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Canvas c(16, 16);
        Owned<HPEN> pen(CreatePen(PS_SOLID, 1, kRed));
        Owned<HBRUSH> brush(CreateSolidBrush(kBlue));
        SelectObject(c, pen);
        SelectObject(c, brush);
        k.draw(c);
        EXPECT_TRUE(pixelsMatch(c, k.expected));
    }
}

TEST_F(Shapes, DrawFocusRectTwiceRestoresThePicture) {
    Canvas c(24, 20);
    c.scramble(7);
    Canvas before(24, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 24; ++x)
            before.raw(x, y) = c.raw(x, y);
    const RECT rc{3, 2, 19, 15};
    ASSERT_TRUE(DrawFocusRect(c, &rc));
    int changedOnBorder = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 24; ++x) {
            const bool border = inRect(rc, x, y) && !inRect(RECT{4, 3, 18, 14}, x, y);
            if (c.raw(x, y) == before.raw(x, y)) continue;
            // Only border pixels change, and those that do are inverted.
            EXPECT_TRUE(border) << x << "," << y;
            EXPECT_EQ(c.raw(x, y), before.raw(x, y) ^ 0xFFFFFFu) << x << "," << y;
            ++changedOnBorder;
        }
    }
    // A dotted frame: about every other border pixel, the top-left corner among them.
    const int borderPixels = 2 * (16 + 13) - 4;
    EXPECT_GE(changedOnBorder, borderPixels / 2 - 2);
    EXPECT_LE(changedOnBorder, borderPixels / 2 + 2);
    EXPECT_NE(c.raw(3, 2), before.raw(3, 2));
    ASSERT_TRUE(DrawFocusRect(c, &rc));
    int different = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 24; ++x)
            different += c.raw(x, y) != before.raw(x, y);
    EXPECT_EQ(different, 0);
}

}  // namespace
}  // namespace orvane::platform::test
