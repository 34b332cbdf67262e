// Coordinate spaces: window and viewport origins, world transforms and right-to-left layout.
#include "GdiTestSupport.h"

namespace orvane::platform::test {
namespace {

using Coordinates = GdiTest;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

void fillRed(HDC dc, const RECT& rc) {
    Owned<HBRUSH> red(CreateSolidBrush(kRed));
    FillRect(dc, &rc, red);
}

TEST_F(Coordinates, OriginsShiftDrawing) {
    struct Case {
        POINT viewport, window;
    };
    const Case cases[] = {
        {{5, 3}, {0, 0}}, {{0, 0}, {2, 1}}, {{7, 6}, {-3, 2}}, {{-2, -2}, {-4, -4}}};
    const RECT rc{2, 2, 6, 5};
    for (const Case& k : cases) {
        Canvas c(20, 20);
        SetViewportOrgEx(c, k.viewport.x, k.viewport.y, nullptr);
        SetWindowOrgEx(c, k.window.x, k.window.y, nullptr);
        const int dx = k.viewport.x - k.window.x, dy = k.viewport.y - k.window.y;
        POINT p{rc.left, rc.top};
        LPtoDP(c, &p, 1);
        EXPECT_EQ(p, (POINT{rc.left + dx, rc.top + dy}));
        DPtoLP(c, &p, 1);
        EXPECT_EQ(p, (POINT{rc.left, rc.top}));
        fillRed(c, rc);
        // Lines and pixels move the same way.
        SetPixelV(c, 0, 0, kRed);
        EXPECT_TRUE(pixelsMatch(c,
                                [&](int x, int y) {
                                    return inRect(rc, x - dx, y - dy) || (x == dx && y == dy)
                                               ? kRed
                                               : kWhite;
                                }))
            << "viewport " << k.viewport.x << "," << k.viewport.y << " window " << k.window.x << ","
            << k.window.y;
    }
}

TEST_F(Coordinates, WorldTransformsMovePixels) {
    struct Case {
        const char* name;
        XFORM xform;
        RECT logical;
        RECT device;  // where the filled logical rectangle must land
    };
    const Case cases[] = {
        {"translate", {1, 0, 0, 1, 7, 2}, {0, 0, 4, 4}, {7, 2, 11, 6}},
        {"scale", {2, 0, 0, 3, 0, 0}, {1, 1, 4, 3}, {2, 3, 8, 9}},
        {"scale and translate", {2, 0, 0, 2, 5, 1}, {0, 0, 3, 2}, {5, 1, 11, 5}},
        // (x, y) -> (20 - y, x): a quarter turn.
        {"rotate 90", {0, 1, -1, 0, 20, 0}, {0, 0, 10, 5}, {15, 0, 20, 10}},
        {"rotate 180", {-1, 0, 0, -1, 20, 20}, {0, 0, 10, 5}, {10, 15, 20, 20}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Canvas c(24, 24);
        EXPECT_FALSE(SetWorldTransform(c, &k.xform)) << "refused in the compatible mode";
        ASSERT_EQ(SetGraphicsMode(c, GM_ADVANCED), GM_COMPATIBLE);
        ASSERT_TRUE(SetWorldTransform(c, &k.xform));
        fillRed(c, k.logical);
        EXPECT_TRUE(
            pixelsMatch(c, [&](int x, int y) { return inRect(k.device, x, y) ? kRed : kWhite; }));
        // A bitmap copied to the same logical place covers the same pixels.
        c.fill(kWhite);
        Canvas src(k.logical.right, k.logical.bottom, kRed);
        ASSERT_TRUE(BitBlt(c, k.logical.left, k.logical.top, k.logical.right - k.logical.left,
                           k.logical.bottom - k.logical.top, src, 0, 0, SRCCOPY));
        EXPECT_TRUE(
            pixelsMatch(c, [&](int x, int y) { return inRect(k.device, x, y) ? kRed : kWhite; }));
        ModifyWorldTransform(c, nullptr, MWT_IDENTITY);
        EXPECT_EQ(SetGraphicsMode(c, GM_COMPATIBLE), GM_ADVANCED);
    }
}

TEST_F(Coordinates, RightToLeftLayoutMirrorsDrawing) {
    Canvas c(40, 4);
    EXPECT_EQ(SetLayout(c, LAYOUT_RTL), 0u);
    EXPECT_EQ(GetLayout(c), LAYOUT_RTL);
    fillRed(c, RECT{0, 0, 10, 2});
    EXPECT_TRUE(pixelsMatch(c, [](int x, int y) { return x >= 30 && y < 2 ? kRed : kWhite; }));
    // Logical pixel 0 is the rightmost column.
    c.fill(kWhite);
    SetPixelV(c, 0, 3, kRed);
    EXPECT_EQ(c.at(39, 3), kRed);
    EXPECT_EQ(GetPixel(c, 0, 3), kRed);
    EXPECT_EQ(GetPixel(c, 1, 3), kWhite);
}

TEST_F(Coordinates, RightToLeftPictureIsTheMirrorImage) {
    using Draw = void (*)(HDC);
    struct Case {
        const char* name;
        Draw draw;
    };
    const Case cases[] = {
        {"FillRect",
         [](HDC dc) {
             fillRed(dc, RECT{3, 2, 11, 9});
         }},
        {"Rectangle", [](HDC dc) { Rectangle(dc, 3, 2, 11, 9); }},
        {"Ellipse", [](HDC dc) { Ellipse(dc, 2, 1, 15, 12); }},
        {"RoundRect", [](HDC dc) { RoundRect(dc, 2, 1, 17, 12, 6, 6); }},
        {"LineTo",
         [](HDC dc) {
             MoveToEx(dc, 0, 1, nullptr);
             LineTo(dc, 6, 1);
             LineTo(dc, 6, 7);
             LineTo(dc, 1, 12);
         }},
        {"Polyline",
         [](HDC dc) {
             const POINT pts[] = {{1, 1}, {9, 3}, {4, 11}};
             Polyline(dc, pts, 3);
         }},
        {"Polygon",
         [](HDC dc) {
             const POINT pts[] = {{1, 1}, {12, 1}, {12, 5}, {6, 5}, {6, 11}, {1, 11}};
             Polygon(dc, pts, 6);
         }},
        {"SetPixel", [](HDC dc) { SetPixelV(dc, 2, 3, kRed); }},
        {"FillRgn",
         [](HDC dc) {
             Owned<HRGN> rgn(CreateEllipticRgn(1, 1, 12, 9));
             Owned<HBRUSH> red(CreateSolidBrush(kRed));
             FillRgn(dc, rgn, red);
         }},
        {"FrameRgn",
         [](HDC dc) {
             Owned<HRGN> rgn(CreateRectRgn(1, 1, 12, 9));
             Owned<HBRUSH> red(CreateSolidBrush(kRed));
             FrameRgn(dc, rgn, red, 2, 1);
         }},
        {"InvertRgn",
         [](HDC dc) {
             Owned<HRGN> rgn(CreateRectRgn(2, 3, 7, 12));
             InvertRgn(dc, rgn);
         }},
        {"PatBlt", [](HDC dc) { PatBlt(dc, 2, 3, 5, 4, BLACKNESS); }},
        {"FrameRect",
         [](HDC dc) {
             const RECT rc{2, 3, 9, 8};
             FrameRect(dc, &rc, HBRUSH(GetStockObject(BLACK_BRUSH)));
         }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Canvas ltr(24, 14), rtl(24, 14);
        Owned<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
        Owned<HBRUSH> brush(CreateSolidBrush(RGB(0, 160, 0)));
        for (HDC dc : {ltr.dc(), rtl.dc()}) {
            SelectObject(dc, pen);
            SelectObject(dc, brush);
        }
        SetLayout(rtl, LAYOUT_RTL);
        k.draw(ltr);
        k.draw(rtl);
        int drawn = 0;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 24; ++x)
                drawn += ltr.at(x, y) != kWhite;
        ASSERT_GT(drawn, 0) << "nothing drawn";
        EXPECT_TRUE(pixelsMatch(rtl, [&](int x, int y) { return ltr.at(23 - x, y); }));
    }
}

TEST_F(Coordinates, RightToLeftBitBltMirrorsUnlessAskedNotTo) {
    const COLORREF colours[4] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0)};
    Canvas src(4, 1);
    for (int i = 0; i < 4; ++i)
        src.raw(i, 0) = rawOf(colours[i]);
    for (const bool noMirror : {false, true}) {
        SCOPED_TRACE(noMirror ? "NOMIRRORBITMAP" : "mirrored");
        Canvas c(12, 1);
        SetLayout(c, LAYOUT_RTL);
        ASSERT_TRUE(BitBlt(c, 1, 0, 4, 1, src, 0, 0, SRCCOPY | (noMirror ? NOMIRRORBITMAP : 0)));
        // Logical [1, 5) is columns [7, 11); the mirrored image reads right to left.
        EXPECT_TRUE(pixelsMatch(c, [&](int x, int) {
            if (x < 7 || x >= 11) return kWhite;
            return noMirror ? colours[x - 7] : colours[10 - x];
        }));
    }
}

}  // namespace
}  // namespace orvane::platform::test
