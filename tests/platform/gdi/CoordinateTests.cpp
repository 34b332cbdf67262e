// Coordinate spaces: window and viewport origins, world transforms and right-to-left layout.
#include "GdiTestSupport.h"

namespace orvane::platform::test {
namespace {

using Coordinates = GdiTest;

TEST_F(Coordinates, OriginsShiftDrawing) {
    const POINT cases[][2] = {
        {{5, 3}, {0, 0}}, {{0, 0}, {2, 1}}, {{7, 6}, {-3, 2}}, {{-2, -2}, {-4, -4}}};
    const RECT rc{2, 2, 6, 5};
    for (const auto& [viewport, window] : cases) {
        Canvas c(20, 20);
        SetViewportOrgEx(c, viewport.x, viewport.y, nullptr);
        SetWindowOrgEx(c, window.x, window.y, nullptr);
        const int dx = viewport.x - window.x, dy = viewport.y - window.y;
        POINT p{rc.left, rc.top};
        LPtoDP(c, &p, 1);
        EXPECT_EQ(p, (POINT{rc.left + dx, rc.top + dy}));
        DPtoLP(c, &p, 1);
        EXPECT_EQ(p, (POINT{rc.left, rc.top}));
        fillRect(c, rc, kRed);
        SetPixelV(c, 0, 0, kRed);
        EXPECT_TRUE(pixelsMatch(c,
                                [&](int x, int y) {
                                    return inRect(rc, x - dx, y - dy) || (x == dx && y == dy)
                                               ? kRed
                                               : kWhite;
                                }))
            << "offset " << dx << "," << dy;
    }
}

TEST_F(Coordinates, WorldTransformsMovePixels) {
    struct Case {
        const char* name;
        XFORM xform;
        RECT logical, device;  // the filled logical rectangle must cover the device one
    };
    const Case cases[] = {{"translate", {1, 0, 0, 1, 7, 2}, {0, 0, 4, 4}, {7, 2, 11, 6}},
                          {"scale", {2, 0, 0, 3, 0, 0}, {1, 1, 4, 3}, {2, 3, 8, 9}},
                          {"scale and translate", {2, 0, 0, 2, 5, 1}, {0, 0, 3, 2}, {5, 1, 11, 5}},
                          {"rotate 90",
                           {0, 1, -1, 0, 20, 0},
                           {0, 0, 10, 5},
                           {15, 0, 20, 10}},  // (x, y) -> (20 - y, x)
                          {"rotate 180", {-1, 0, 0, -1, 20, 20}, {0, 0, 10, 5}, {10, 15, 20, 20}}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Canvas c(24, 24);
        EXPECT_FALSE(SetWorldTransform(c, &k.xform)) << "refused in the compatible mode";
        ASSERT_EQ(SetGraphicsMode(c, GM_ADVANCED), GM_COMPATIBLE);
        ASSERT_TRUE(SetWorldTransform(c, &k.xform));
        const auto expected = [&](int x, int y) { return inRect(k.device, x, y) ? kRed : kWhite; };
        fillRect(c, k.logical, kRed);
        EXPECT_TRUE(pixelsMatch(c, expected));
        // A bitmap copied to the same logical rectangle covers the same pixels.
        c.fill(kWhite);
        Canvas src(k.logical.right, k.logical.bottom, kRed);
        ASSERT_TRUE(BitBlt(c, k.logical.left, k.logical.top, k.logical.right - k.logical.left,
                           k.logical.bottom - k.logical.top, src, 0, 0, SRCCOPY));
        EXPECT_TRUE(pixelsMatch(c, expected));
        ModifyWorldTransform(c, nullptr, MWT_IDENTITY);
        EXPECT_EQ(SetGraphicsMode(c, GM_COMPATIBLE), GM_ADVANCED);
    }
}

TEST_F(Coordinates, TheCompatibleModeKeepsTheWorldTransform) {
    Canvas c(24, 24);
    ASSERT_EQ(SetGraphicsMode(c, GM_ADVANCED), GM_COMPATIBLE);
    const XFORM scale{2, 0, 0, 3, 1, 0};
    ASSERT_TRUE(SetWorldTransform(c, &scale));
    EXPECT_EQ(SetGraphicsMode(c, GM_COMPATIBLE), GM_ADVANCED);  // a transform does not stop it
    EXPECT_EQ(GetGraphicsMode(c), GM_COMPATIBLE);
    XFORM kept{};
    ASSERT_TRUE(GetWorldTransform(c, &kept));
    EXPECT_EQ(kept.eM11, 2);
    EXPECT_EQ(kept.eM22, 3);
    EXPECT_EQ(kept.eDx, 1);
    // It still maps, both ways, and drawing follows it.
    POINT pts[2] = {{10, 10}, {1, 1}};
    ASSERT_TRUE(LPtoDP(c, pts, 2));
    EXPECT_EQ(pts[0], (POINT{21, 30}));
    EXPECT_EQ(pts[1], (POINT{3, 3}));
    ASSERT_TRUE(DPtoLP(c, pts, 2));
    EXPECT_EQ(pts[0], (POINT{10, 10}));
    fillRect(c, RECT{1, 1, 4, 3}, kRed);
    EXPECT_TRUE(pixelsMatch(c, [](int x, int y) {
        return inRect({3, 3, 9, 9}, x, y) ? kRed : kWhite;
    }));
    // Only the advanced mode changes it.
    const XFORM identity{1, 0, 0, 1, 0, 0};
    EXPECT_FALSE(SetWorldTransform(c, &identity));
    EXPECT_FALSE(ModifyWorldTransform(c, nullptr, MWT_IDENTITY));
    ASSERT_TRUE(GetWorldTransform(c, &kept));
    EXPECT_EQ(kept.eM11, 2);
}

TEST_F(Coordinates, RightToLeftLayoutPutsLogicalZeroOnTheRight) {
    Canvas c(40, 4);
    EXPECT_EQ(SetLayout(c, LAYOUT_RTL), 0u);
    EXPECT_EQ(GetLayout(c), LAYOUT_RTL);
    fillRect(c, RECT{0, 0, 10, 2}, kRed);
    SetPixelV(c, 0, 3, kBlue);
    EXPECT_TRUE(pixelsMatch(c, [](int x, int y) {
        return y < 2 ? (x >= 30 ? kRed : kWhite) : y == 3 && x == 39 ? kBlue : kWhite;
    }));
    EXPECT_EQ(GetPixel(c, 0, 3), kBlue);
    EXPECT_TRUE(PtVisible(c, 0, 3));
    // Bitmaps are mirrored too, unless the raster operation asks not to.
    const COLORREF colours[4] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0)};
    Canvas src(4, 1);
    for (int i = 0; i < 4; ++i)
        src.raw(i, 0) = rawOf(colours[i]);
    for (const bool keep : {false, true}) {
        c.fill(kWhite);
        ASSERT_TRUE(BitBlt(c, 1, 0, 4, 1, src, 0, 0, SRCCOPY | (keep ? NOMIRRORBITMAP : 0)));
        // Logical [1, 5) is columns [35, 39).
        for (int x = 34; x < 40; ++x)
            EXPECT_EQ(c.at(x, 0), x < 35 || x >= 39 ? kWhite : colours[keep ? x - 35 : 38 - x])
                << x;
    }
}

TEST_F(Coordinates, RightToLeftPictureIsTheMirrorImage) {
    // One picture with every kind of drawing, made on a left-to-right and a right-to-left DC.
    const auto draw = [](HDC dc) {
        Owned<HPEN> pen(CreatePen(PS_SOLID, 1, kBlue));
        Owned<HBRUSH> brush(CreateSolidBrush(RGB(0, 160, 0)));
        SelectObject(dc, pen);
        SelectObject(dc, brush);
        fillRect(dc, RECT{1, 1, 5, 4}, kRed);
        Rectangle(dc, 6, 1, 13, 6);
        Ellipse(dc, 14, 1, 27, 12);
        RoundRect(dc, 28, 1, 41, 10, 6, 6);
        MoveToEx(dc, 1, 14, nullptr);
        LineTo(dc, 7, 14);
        LineTo(dc, 7, 20);
        LineTo(dc, 2, 25);
        const POINT line[] = {{9, 14}, {17, 16}, {12, 24}};
        Polyline(dc, line, 3);
        const POINT shape[] = {{19, 14}, {30, 14}, {30, 18}, {24, 18}, {24, 24}, {19, 24}};
        Polygon(dc, shape, 6);
        SetPixelV(dc, 33, 14, kRed);
        PatBlt(dc, 35, 14, 5, 4, BLACKNESS);
        Owned<HRGN> rgn(CreateEllipticRgn(1, 27, 12, 35));
        FillRgn(dc, rgn, HBRUSH(GetStockObject(BLACK_BRUSH)));
        SetRectRgn(rgn, 14, 27, 25, 35);
        FrameRgn(dc, rgn, HBRUSH(GetStockObject(BLACK_BRUSH)), 2, 1);
        SetRectRgn(rgn, 27, 27, 33, 35);
        InvertRgn(dc, rgn);
        const RECT frame{35, 27, 41, 34};
        FrameRect(dc, &frame, HBRUSH(GetStockObject(GRAY_BRUSH)));
        SelectObject(dc, GetStockObject(BLACK_PEN));
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
    };
    Canvas ltr(44, 36), rtl(44, 36);
    SetLayout(rtl, LAYOUT_RTL);
    draw(ltr);
    draw(rtl);
    int drawn = 0;
    for (std::uint32_t p : ltr.pixels())
        drawn += p != 0xFFFFFF;
    EXPECT_GT(drawn, 500);
    EXPECT_TRUE(pixelsMatch(rtl, [&](int x, int y) { return ltr.at(43 - x, y); }));
}

}  // namespace
}  // namespace orvane::platform::test
