// Regions and clipping: combining regions, region shapes, frames and how clipping limits
// drawing.
#include "GdiTestSupport.h"

namespace orvane::platform::test {
namespace {

using Clip = GdiTest;

void fillAll(Canvas& c) {
    fillRect(c, RECT{0, 0, c.width(), c.height()}, kRed);
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
    const RECT hole{8, 8, 12, 12};
    EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) {
        return inRect({5, 5, 15, 15}, x, y) && !inRect(hole, x, y) ? kRed : kWhite;
    }));
    c.fill(kWhite);
    EXPECT_EQ(IntersectClipRect(c, 0, 0, 10, 20), COMPLEXREGION);
    EXPECT_EQ(GetClipBox(c, &box), COMPLEXREGION);
    EXPECT_EQ(box, (RECT{5, 5, 10, 15}));
    fillAll(c);
    EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) {
        return inRect({5, 5, 10, 15}, x, y) && !inRect(hole, x, y) ? kRed : kWhite;
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
    IntersectClipRect(c, 0, 0, 4, 4);
    RECT box{};
    GetClipBox(c, &box);
    EXPECT_EQ(box, (RECT{0, 0, 4, 4}));
    fillAll(c);
    EXPECT_TRUE(pixelsMatch(c, [](int x, int y) {
        return inRect({5, 2, 9, 6}, x, y) ? kRed : kWhite;
    }));
    c.fill(kWhite);
    Owned<HRGN> rgn(CreateRectRgn(0, 0, 4, 4));
    SelectClipRgn(c, rgn);
    SetViewportOrgEx(c, -5, -5, nullptr);
    fillAll(c);
    EXPECT_TRUE(pixelsMatch(c, [](int x, int y) {
        return inRect({0, 0, 4, 4}, x, y) ? kRed : kWhite;
    }));
}

TEST_F(Clip, MirroredDcsKeepClipRegionsInMirroredCoordinates) {
    Canvas c(40, 20);
    Owned<HRGN> got(CreateRectRgn(1, 2, 3, 4));
    EXPECT_EQ(GetClipRgn(c, got), 0);  // no clip region yet
    SetLayout(c, LAYOUT_RTL);
    EXPECT_EQ(GetClipRgn(c, got), 0);
    RECT box{};
    // Each step: what the clip region reads back as, the clip box, and the surface pixels
    // a fill of the whole DC reaches (x from the right edge).
    struct Step {
        const char* what;
        std::function<int(HDC)> act;
        RECT region, surface;
    };
    const std::vector<Step> steps = {
        {"select",
         [](HDC dc) {
             Owned<HRGN> rgn(CreateRectRgn(0, 0, 10, 10));
             return SelectClipRgn(dc, rgn);
         },
         {0, 0, 10, 10},
         {30, 0, 40, 10}},
        {"offset", [](HDC dc) { return OffsetClipRgn(dc, 5, 2); }, {5, 2, 15, 12}, {25, 2, 35, 12}},
        {"intersect",
         [](HDC dc) { return IntersectClipRect(dc, 0, 0, 12, 20); },
         {5, 2, 12, 12},
         {28, 2, 35, 12}},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(step.act(c), SIMPLEREGION) << step.what;
        EXPECT_EQ(GetClipRgn(c, got), 1) << step.what;
        RECT rgnBox{};
        GetRgnBox(got, &rgnBox);
        EXPECT_EQ(rgnBox, step.region) << step.what;
        EXPECT_EQ(GetClipBox(c, &box), SIMPLEREGION) << step.what;
        EXPECT_EQ(box, step.region) << step.what;
        c.fill(kWhite);
        fillRect(c, RECT{0, 0, 40, 20}, kRed);
        EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) {
            return inRect(step.surface, x, y) ? kRed : kWhite;
        })) << step.what;
    }
    // Read back and selected again, the region stays where it was.
    EXPECT_EQ(SelectClipRgn(c, got), SIMPLEREGION);
    EXPECT_EQ(GetClipBox(c, &box), SIMPLEREGION);
    EXPECT_EQ(box, steps.back().region);
}

TEST_F(Clip, CombineRgnModes) {
    // A = [0, 10) x [0, 10), B = [5, 15) x [5, 15).
    struct Case {
        int mode, type;
        RECT box;
        bool (*in)(bool a, bool b);
    };
    const Case cases[] = {
        {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}, [](bool a, bool b) { return a && b; }},
        {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}, [](bool a, bool b) { return a || b; }},
        {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}, [](bool a, bool b) { return a != b; }},
        {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}, [](bool a, bool b) { return a && !b; }},
        {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}, [](bool a, bool) { return a; }}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.mode);
        Owned<HRGN> a(CreateRectRgn(0, 0, 10, 10)), b(CreateRectRgn(5, 5, 15, 15));
        Owned<HRGN> out(CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(CombineRgn(out, a, b, k.mode), k.type);
        RECT box{};
        EXPECT_EQ(GetRgnBox(out, &box), k.type);
        EXPECT_EQ(box, k.box);
        for (int y = -1; y <= 16; ++y)
            for (int x = -1; x <= 16; ++x)
                ASSERT_EQ(PtInRegion(out, x, y) != FALSE,
                          k.in(inRect({0, 0, 10, 10}, x, y), inRect({5, 5, 15, 15}, x, y)))
                    << x << "," << y;
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

TEST_F(Clip, RoundRegionsContainTheirCentreButNotTheirCorners) {
    const std::pair<HRGN, RECT> cases[] = {
        {CreateEllipticRgn(0, 0, 20, 10), {0, 0, 20, 10}},
        {CreateEllipticRgn(10, 10, 41, 41), {10, 10, 41, 41}},
        {CreateRoundRectRgn(2, 4, 30, 24, 12, 12), {2, 4, 30, 24}}};
    for (const auto& [handle, b] : cases) {
        Owned<HRGN> rgn(handle);
        const int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
        // The centre and the middles of the sides are inside; the corners are not.
        EXPECT_TRUE(PtInRegion(rgn, cx, cy) && PtInRegion(rgn, cx, b.top) &&
                    PtInRegion(rgn, b.left, cy));
        for (const POINT p : {POINT{b.left, b.top}, POINT{b.right - 1, b.top},
                              POINT{b.left, b.bottom - 1}, POINT{b.right - 1, b.bottom - 1}})
            EXPECT_FALSE(PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
        RECT got{};
        EXPECT_EQ(GetRgnBox(rgn, &got), COMPLEXREGION);
        EXPECT_TRUE(got.left >= b.left && got.top >= b.top && got.right <= b.right &&
                    got.bottom <= b.bottom);
    }
}

TEST_F(Clip, FrameRgnFramesEveryEdge) {
    struct Case {
        const char* name;
        RECT a, b, cut;  // the region is a + b - cut
        int width, height;
    };
    const Case cases[] = {{"rectangle", {2, 2, 20, 18}, {}, {}, 3, 2},
                          {"one-pixel gap", {1, 1, 10, 18}, {11, 1, 21, 18}, {}, 3, 2},
                          {"notch", {1, 1, 21, 18}, {}, {10, 8, 11, 18}, 1, 4},
                          {"step", {1, 1, 12, 9}, {6, 9, 21, 18}, {}, 2, 2}};
    for (const Case& k : cases) {
        Owned<HRGN> rgn(CreateRectRgnIndirect(&k.a)), b(CreateRectRgnIndirect(&k.b));
        Owned<HRGN> cut(CreateRectRgnIndirect(&k.cut));
        CombineRgn(rgn, rgn, b, RGN_OR);
        CombineRgn(rgn, rgn, cut, RGN_DIFF);
        Canvas c(22, 20);
        Owned<HBRUSH> red(CreateSolidBrush(kRed));
        ASSERT_TRUE(FrameRgn(c, rgn, red, k.width, k.height));
        // A pixel of the region is on the frame when the box of width x height pixels
        // either side of it reaches outside the region.
        EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) {
            if (!PtInRegion(rgn, x, y)) return kWhite;
            for (int dy = -k.height; dy <= k.height; ++dy)
                for (int dx = -k.width; dx <= k.width; ++dx)
                    if (!PtInRegion(rgn, x + dx, y + dy)) return kRed;
            return kWhite;
        })) << k.name;
    }
}

TEST_F(Clip, HugeCurvedRegionsAreRefusedOrKeptCompact) {
    // An ellipse a hundred million rows tall would need a band per row: it is refused.
    SetLastError(0);
    EXPECT_FALSE(CreateEllipticRgn(0, 0, 10, 100000000));
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    const POINT tall[] = {{0, 0}, {10, 100000000}, {0, 100000000}};
    EXPECT_FALSE(CreatePolygonRgn(tall, 3, ALTERNATE));
    // A tall rounded rectangle is only curved at its ends, so it is made.
    Owned<HRGN> round(CreateRoundRectRgn(0, 0, 1000, 100000000, 20, 20));
    ASSERT_TRUE(round.value());
    EXPECT_TRUE(PtInRegion(round, 500, 50000000));
    EXPECT_TRUE(PtInRegion(round, 0, 500));
    EXPECT_FALSE(PtInRegion(round, 0, 0));
    EXPECT_FALSE(PtInRegion(round, 999, 99999999));
    EXPECT_TRUE(PtInRegion(round, 999, 99999000));
    // The same shape small enough to build row by row agrees with the compact one.
    Owned<HRGN> small(CreateRoundRectRgn(0, 0, 100, 300, 20, 20));
    Owned<HRGN> rows(CreateRoundRectRgn(0, 0, 100, 20, 20, 20));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 100; ++x)
            EXPECT_EQ(PtInRegion(small, x, y), PtInRegion(rows, x, y)) << x << "," << y;
}

}  // namespace
}  // namespace orvane::platform::test
