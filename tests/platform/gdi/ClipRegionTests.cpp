// Regions and clipping: combining regions, region shapes and how clip regions limit drawing.
#include "GdiTestSupport.h"

namespace orvane::platform::test {
namespace {

using Clip = GdiTest;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

// Fills the whole canvas red through the current clipping.
void fillAll(Canvas& c) {
    Owned<HBRUSH> red(CreateSolidBrush(kRed));
    const RECT all{0, 0, c.width(), c.height()};
    FillRect(c, &all, red);
}

TEST_F(Clip, ClipRegionsLimitDrawing) {
    Canvas c(20, 20);
    {
        Owned<HRGN> rgn(CreateRectRgn(5, 5, 15, 15));
        EXPECT_EQ(SelectClipRgn(c, rgn), SIMPLEREGION);
    }  // the DC keeps its own copy of the region
    EXPECT_EQ(ExcludeClipRect(c, 8, 8, 12, 12), COMPLEXREGION);
    RECT box{};
    EXPECT_EQ(GetClipBox(c, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{5, 5, 15, 15}));
    EXPECT_TRUE(PtVisible(c, 5, 5));
    EXPECT_FALSE(PtVisible(c, 9, 9));
    fillAll(c);
    EXPECT_TRUE(pixelsMatch(c, [](int x, int y) {
        return inRect(RECT{5, 5, 15, 15}, x, y) && !inRect(RECT{8, 8, 12, 12}, x, y) ? kRed
                                                                                     : kWhite;
    }));

    c.fill(kWhite);
    EXPECT_EQ(IntersectClipRect(c, 0, 0, 10, 20), COMPLEXREGION);
    EXPECT_EQ(GetClipBox(c, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{5, 5, 10, 15}));
    fillAll(c);
    EXPECT_TRUE(pixelsMatch(c, [](int x, int y) {
        return inRect(RECT{5, 5, 10, 15}, x, y) && !inRect(RECT{8, 8, 12, 12}, x, y) ? kRed
                                                                                     : kWhite;
    }));

    // No region: the whole bitmap again.
    EXPECT_EQ(SelectClipRgn(c, HRGN()), SIMPLEREGION);
    EXPECT_EQ(GetClipBox(c, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{0, 0, 20, 20}));
    fillAll(c);
    EXPECT_TRUE(pixelsMatch(c, [](int, int) { return kRed; }));
}

TEST_F(Clip, ClipRectsAreLogicalAndRegionsDevice) {
    Canvas c(20, 20);
    SetViewportOrgEx(c, 5, 2, nullptr);
    // IntersectClipRect takes logical coordinates, so the viewport origin moves it ...
    IntersectClipRect(c, 0, 0, 4, 4);
    RECT box{};
    GetClipBox(c, &box);
    EXPECT_EQ(box, (RECT{0, 0, 4, 4})) << "the clip box is logical too";
    fillAll(c);
    EXPECT_TRUE(pixelsMatch(c, [](int x, int y) {
        return inRect(RECT{5, 2, 9, 6}, x, y) ? kRed : kWhite;
    }));
    // ... while a selected region is in device coordinates.
    c.fill(kWhite);
    Owned<HRGN> rgn(CreateRectRgn(0, 0, 4, 4));
    SelectClipRgn(c, rgn);
    SetViewportOrgEx(c, -5, -5, nullptr);
    fillAll(c);
    EXPECT_TRUE(pixelsMatch(c, [](int x, int y) {
        return inRect(RECT{0, 0, 4, 4}, x, y) ? kRed : kWhite;
    }));
}

TEST_F(Clip, CombineRgnModes) {
    // A = [0, 10) x [0, 10), B = [5, 15) x [5, 15).
    struct Case {
        const char* name;
        int mode;
        int type;
        RECT box;
        bool (*in)(bool a, bool b);
    };
    const Case cases[] = {
        {"and", RGN_AND, SIMPLEREGION, {5, 5, 10, 10}, [](bool a, bool b) { return a && b; }},
        {"or", RGN_OR, COMPLEXREGION, {0, 0, 15, 15}, [](bool a, bool b) { return a || b; }},
        {"xor", RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}, [](bool a, bool b) { return a != b; }},
        {"diff", RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}, [](bool a, bool b) { return a && !b; }},
        {"copy", RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}, [](bool a, bool) { return a; }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Owned<HRGN> a(CreateRectRgn(0, 0, 10, 10)), b(CreateRectRgn(5, 5, 15, 15));
        Owned<HRGN> out(CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(CombineRgn(out, a, b, k.mode), k.type);
        RECT box{};
        EXPECT_EQ(GetRgnBox(out, &box), k.type);
        EXPECT_EQ(box, k.box);
        for (int y = -1; y <= 16; ++y)
            for (int x = -1; x <= 16; ++x) {
                const bool inA = x >= 0 && x < 10 && y >= 0 && y < 10;
                const bool inB = x >= 5 && x < 15 && y >= 5 && y < 15;
                ASSERT_EQ(PtInRegion(out, x, y) != FALSE, k.in(inA, inB)) << x << "," << y;
            }
        // The destination may also be a source.
        EXPECT_EQ(CombineRgn(a, a, b, k.mode), k.type);
        EXPECT_TRUE(EqualRgn(a, out));
    }
    Owned<HRGN> a(CreateRectRgn(0, 0, 4, 4)), b(CreateRectRgn(6, 6, 9, 9));
    EXPECT_EQ(CombineRgn(a, a, b, RGN_AND), NULLREGION);
    RECT box{1, 1, 1, 1};
    EXPECT_EQ(GetRgnBox(a, &box), NULLREGION);
    EXPECT_EQ(box, (RECT{0, 0, 0, 0}));
}

TEST_F(Clip, RoundShapesContainTheirCentreButNotTheirCorners) {
    struct Case {
        const char* name;
        HRGN rgn;
        RECT box;
    };
    const Case cases[] = {
        {"ellipse", CreateEllipticRgn(0, 0, 20, 10), {0, 0, 20, 10}},
        {"circle", CreateEllipticRgn(10, 10, 41, 41), {10, 10, 41, 41}},
        {"round rect", CreateRoundRectRgn(2, 4, 30, 24, 12, 12), {2, 4, 30, 24}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Owned<HRGN> rgn(k.rgn);
        const RECT& b = k.box;
        EXPECT_TRUE(PtInRegion(rgn, (b.left + b.right) / 2, (b.top + b.bottom) / 2));
        for (const POINT p : {POINT{b.left, b.top}, POINT{b.right - 1, b.top},
                              POINT{b.left, b.bottom - 1}, POINT{b.right - 1, b.bottom - 1}})
            EXPECT_FALSE(PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
        // The middles of the sides are inside, and nothing lies outside the box.
        EXPECT_TRUE(PtInRegion(rgn, (b.left + b.right) / 2, b.top));
        EXPECT_TRUE(PtInRegion(rgn, b.left, (b.top + b.bottom) / 2));
        RECT got{};
        EXPECT_EQ(GetRgnBox(rgn, &got), COMPLEXREGION);
        EXPECT_GE(got.left, b.left);
        EXPECT_GE(got.top, b.top);
        EXPECT_LE(got.right, b.right);
        EXPECT_LE(got.bottom, b.bottom);
    }
}

TEST_F(Clip, FrameRgnFramesEveryEdge) {
    struct Case {
        const char* name;
        RECT a, b;  // the region is their union
        int width, height;
    };
    const Case cases[] = {
        {"rectangle", {2, 2, 20, 18}, {2, 2, 20, 18}, 3, 2},
        {"one-pixel gap", {1, 1, 10, 18}, {11, 1, 21, 18}, 3, 2},
        {"notch", {1, 1, 21, 18}, {1, 1, 21, 18}, 1, 4},
        {"step", {1, 1, 12, 9}, {6, 9, 21, 18}, 2, 2},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Owned<HRGN> rgn(CreateRectRgnIndirect(&k.a));
        Owned<HRGN> other(CreateRectRgnIndirect(&k.b));
        CombineRgn(rgn, rgn, other, RGN_OR);
        if (k.name[0] == 'n') {
            Owned<HRGN> notch(CreateRectRgn(10, 8, 11, 18));
            CombineRgn(rgn, rgn, notch, RGN_DIFF);
        }
        Canvas c(22, 20);
        Owned<HBRUSH> red(CreateSolidBrush(kRed));
        ASSERT_TRUE(FrameRgn(c, rgn, red, k.width, k.height));
        // A pixel of the region is on the frame when the width x height box around it
        // reaches outside the region.
        EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) {
            if (!PtInRegion(rgn, x, y)) return kWhite;
            for (int dy = -k.height; dy <= k.height; ++dy)
                for (int dx = -k.width; dx <= k.width; ++dx)
                    if (!PtInRegion(rgn, x + dx, y + dy)) return kRed;
            return kWhite;
        }));
    }
}

TEST_F(Clip, FillRgnDrawsTheRegionThroughTheOrigin) {
    Canvas c(20, 20);
    Owned<HRGN> rgn(CreateRectRgn(0, 0, 6, 3));
    Owned<HRGN> other(CreateRectRgn(3, 3, 5, 8));
    CombineRgn(rgn, rgn, other, RGN_OR);
    Owned<HBRUSH> red(CreateSolidBrush(kRed));
    SetViewportOrgEx(c, 4, 5, nullptr);
    ASSERT_TRUE(FillRgn(c, rgn, red));
    EXPECT_TRUE(pixelsMatch(
        c, [&](int x, int y) { return PtInRegion(rgn, x - 4, y - 5) ? kRed : kWhite; }));
}

}  // namespace
}  // namespace orvane::platform::test
