// DrawEdge: which system colour each line of an edge takes, corners, BF_ADJUST and BF_MIDDLE.
#include "GdiTestSupport.h"
#include "platform/user/SystemMetrics.h"

namespace orvane::platform::test {
namespace {

// Not a system colour, so untouched pixels are recognisable.
constexpr COLORREF kBackground = RGB(1, 2, 3);
constexpr RECT kBox{5, 5, 25, 20};

using DrawEdgeTest = GdiTest;

// The colour every pixel should have after drawing a two-line edge on all four sides of
// kBox: the top-left colour on the top and left lines, the bottom-right colour on the bottom
// and right lines, which also own the top-right and bottom-left corners.
COLORREF expectedEdgePixel(int x, int y, const int (&colors)[4], COLORREF middle) {
    for (int band = 0; band < 2; ++band) {
        const RECT r{kBox.left + band, kBox.top + band, kBox.right - band, kBox.bottom - band};
        if (!inRect(r, x, y)) return middle;
        const int topLeft = colors[band * 2], bottomRight = colors[band * 2 + 1];
        if (x == r.right - 1 || y == r.bottom - 1) return GetSysColor(bottomRight);
        if (x == r.left || y == r.top) return GetSysColor(topLeft);
    }
    return middle;
}

TEST_F(DrawEdgeTest, EdgesTakeTheirSystemColours) {
    struct Case {
        const char* name;
        UINT edge, flags;
        int colors[4];  // outer top-left, outer bottom-right, inner top-left, inner bottom-right
    };
    const Case cases[] = {
        {"raised",
         EDGE_RAISED,
         0,
         {COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}},
        {"sunken",
         EDGE_SUNKEN,
         0,
         {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT}},
        {"etched",
         EDGE_ETCHED,
         0,
         {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW}},
        {"bump", EDGE_BUMP, 0, {COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT}},
        {"flat",
         EDGE_RAISED,
         BF_FLAT,
         {COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE}},
        {"mono",
         EDGE_SUNKEN,
         BF_MONO,
         {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOW}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Canvas c(30, 26, kBackground);
        RECT rc = kBox;
        ASSERT_TRUE(DrawEdge(c, &rc, k.edge, BF_RECT | k.flags));
        EXPECT_EQ(rc, kBox) << "the rectangle moves only with BF_ADJUST";
        EXPECT_TRUE(pixelsMatch(
            c, [&](int x, int y) { return expectedEdgePixel(x, y, k.colors, kBackground); }));
    }
}

TEST_F(DrawEdgeTest, ColoursFollowChangedSystemColours) {
    const INT index = COLOR_3DLIGHT;
    const COLORREF saved = GetSysColor(index);
    const COLORREF changed = RGB(12, 34, 56);
    SetSysColors(1, &index, &changed);
    Canvas c(30, 26, kBackground);
    RECT rc = kBox;
    DrawEdge(c, &rc, EDGE_RAISED, BF_RECT);
    SetSysColors(1, &index, &saved);
    EXPECT_EQ(c.at(10, kBox.top), changed);
    EXPECT_EQ(c.at(kBox.left, 10), changed);
}

TEST_F(DrawEdgeTest, MiddleFillsWithButtonFace) {
    Canvas c(30, 26, kBackground);
    RECT rc = kBox;
    ASSERT_TRUE(DrawEdge(c, &rc, EDGE_SUNKEN, BF_RECT | BF_MIDDLE));
    const int colors[4] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) {
        if (!inRect(kBox, x, y)) return kBackground;
        return expectedEdgePixel(x, y, colors, GetSysColor(COLOR_BTNFACE));
    }));
}

TEST_F(DrawEdgeTest, AdjustShrinksByTheDrawnEdges) {
    struct Case {
        UINT edge, flags;
        RECT expected;
    };
    const Case cases[] = {
        {EDGE_RAISED, BF_RECT, {7, 7, 23, 18}},
        {BDR_RAISEDOUTER, BF_RECT, {6, 6, 24, 19}},
        {BDR_SUNKENINNER, BF_RECT, {6, 6, 24, 19}},
        {EDGE_SUNKEN, BF_TOPLEFT, {7, 7, 25, 20}},
        {EDGE_ETCHED, BF_BOTTOMRIGHT, {5, 5, 23, 18}},
        {EDGE_BUMP, BF_LEFT | BF_BOTTOM, {7, 5, 25, 18}},
    };
    for (const Case& k : cases) {
        Canvas c(30, 26, kBackground);
        RECT rc = kBox;
        ASSERT_TRUE(DrawEdge(c, &rc, k.edge, k.flags | BF_ADJUST));
        EXPECT_EQ(rc, k.expected) << "edge " << k.edge << " flags " << k.flags;
        // Nothing is drawn on the sides that were not asked for.
        if (!(k.flags & BF_RIGHT)) {
            EXPECT_EQ(c.at(kBox.right - 1, 12), kBackground);
        }
        if (!(k.flags & BF_TOP)) {
            EXPECT_EQ(c.at(12, kBox.top), kBackground);
        }
    }
}

}  // namespace
}  // namespace orvane::platform::test
