// DrawEdge: which system colour each line of an edge takes, corners, BF_ADJUST and BF_MIDDLE.
#include "GdiTestSupport.h"
#include "platform/user/SystemMetrics.h"

namespace orvane::platform::test {
namespace {

using DrawEdgeTest = GdiTest;

constexpr COLORREF kBackground = RGB(1, 2, 3);  // not a system colour
constexpr RECT kBox{5, 5, 25, 20};
constexpr int kLight = COLOR_3DLIGHT, kHigh = COLOR_BTNHIGHLIGHT, kShadow = COLOR_BTNSHADOW,
              kDark = COLOR_3DDKSHADOW;

// The colour of a pixel after a two-line edge on all sides of kBox, given the outer
// top-left, outer bottom-right, inner top-left and inner bottom-right system colours. The
// bottom-right colour also owns the top-right and bottom-left corners.
COLORREF edgePixel(int x, int y, const int (&colors)[4], COLORREF middle) {
    for (int band = 0; band < 2; ++band) {
        const RECT r{kBox.left + band, kBox.top + band, kBox.right - band, kBox.bottom - band};
        if (!inRect(r, x, y)) return band == 0 ? kBackground : middle;
        if (x == r.right - 1 || y == r.bottom - 1) return GetSysColor(colors[band * 2 + 1]);
        if (x == r.left || y == r.top) return GetSysColor(colors[band * 2]);
    }
    return middle;
}

TEST_F(DrawEdgeTest, EdgesTakeTheirSystemColours) {
    struct Case {
        const char* name;
        UINT edge, flags;
        int colors[4];
    };
    const Case cases[] = {
        {"raised", EDGE_RAISED, 0, {kLight, kDark, kHigh, kShadow}},
        {"sunken", EDGE_SUNKEN, 0, {kShadow, kHigh, kDark, kLight}},
        {"etched", EDGE_ETCHED, 0, {kShadow, kHigh, kHigh, kShadow}},
        {"bump", EDGE_BUMP, 0, {kLight, kDark, kDark, kLight}},
        {"flat", EDGE_RAISED, BF_FLAT, {kShadow, kShadow, COLOR_BTNFACE, COLOR_BTNFACE}},
        {"mono",
         EDGE_SUNKEN,
         BF_MONO,
         {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOW}}};
    for (const Case& k : cases) {
        Canvas c(30, 26, kBackground);
        RECT rc = kBox;
        ASSERT_TRUE(DrawEdge(c, &rc, k.edge, BF_RECT | k.flags));
        EXPECT_EQ(rc, kBox) << "the rectangle moves only with BF_ADJUST";
        EXPECT_TRUE(pixelsMatch(c, [&](int x, int y) {
            return edgePixel(x, y, k.colors, kBackground);
        })) << k.name;
    }
    // BF_MIDDLE fills the inside with the button face colour.
    Canvas c(30, 26, kBackground);
    RECT rc = kBox;
    ASSERT_TRUE(DrawEdge(c, &rc, EDGE_SUNKEN, BF_RECT | BF_MIDDLE));
    const int sunken[4] = {kShadow, kHigh, kDark, kLight};
    EXPECT_TRUE(pixelsMatch(
        c, [&](int x, int y) { return edgePixel(x, y, sunken, GetSysColor(COLOR_BTNFACE)); }));
}

TEST_F(DrawEdgeTest, ColoursFollowChangedSystemColours) {
    const INT index = COLOR_3DLIGHT;
    const COLORREF saved = GetSysColor(index), changed = RGB(12, 34, 56);
    SetSysColors(1, &index, &changed);
    Canvas c(30, 26, kBackground);
    RECT rc = kBox;
    DrawEdge(c, &rc, EDGE_RAISED, BF_RECT);
    SetSysColors(1, &index, &saved);
    EXPECT_EQ(c.at(10, kBox.top), changed);
    EXPECT_EQ(c.at(kBox.left, 10), changed);
}

TEST_F(DrawEdgeTest, AdjustShrinksByTheDrawnEdges) {
    struct Case {
        UINT edge, flags;
        RECT expected;
    };
    const Case cases[] = {{EDGE_RAISED, BF_RECT, {7, 7, 23, 18}},
                          {BDR_RAISEDOUTER, BF_RECT, {6, 6, 24, 19}},
                          {BDR_SUNKENINNER, BF_RECT, {6, 6, 24, 19}},
                          {EDGE_SUNKEN, BF_TOPLEFT, {7, 7, 25, 20}},
                          {EDGE_ETCHED, BF_BOTTOMRIGHT, {5, 5, 23, 18}},
                          {EDGE_BUMP, BF_LEFT | BF_BOTTOM, {7, 5, 25, 18}}};
    for (const Case& k : cases) {
        Canvas c(30, 26, kBackground);
        RECT rc = kBox;
        ASSERT_TRUE(DrawEdge(c, &rc, k.edge, k.flags | BF_ADJUST));
        EXPECT_EQ(rc, k.expected) << "edge " << k.edge << " flags " << k.flags;
        // The sides not asked for stay untouched.
        EXPECT_EQ(c.at(kBox.right - 1, 12) == kBackground, !(k.flags & BF_RIGHT));
        EXPECT_EQ(c.at(12, kBox.top) == kBackground, !(k.flags & BF_TOP));
    }
}

}  // namespace
}  // namespace orvane::platform::test
